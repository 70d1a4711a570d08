{ Puts the elements of an array in random order (Fisher-Yates); every
  order is equally likely. Call Randomize once at start-up. }
procedure Shuffle(var Values: array of Integer);
var
  I, J, T: Integer;
begin
  for I := High(Values) downto 1 do
  begin
    J := Random(I + 1);
    T := Values[I];
    Values[I] := Values[J];
    Values[J] := T;
  end;
end;
