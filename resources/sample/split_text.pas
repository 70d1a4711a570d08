{ Splits a text at every occurrence of a separator character into a list
  owned by the caller; empty parts are kept, so 'a;;b' gives three lines. }
procedure SplitText(const S: string; Separator: Char; Parts: TStrings);
var
  Start, I: Integer;
begin
  Parts.Clear;
  Start := 1;
  for I := 1 to Length(S) do
    if S[I] = Separator then
    begin
      Parts.Add(Copy(S, Start, I - Start));
      Start := I + 1;
    end;
  Parts.Add(Copy(S, Start, Length(S) - Start + 1));
end;
