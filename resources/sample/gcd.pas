{ Euclid's algorithm. }
function Gcd(A, B: Integer): Integer;
var
  T: Integer;
begin
  while B <> 0 do
  begin
    T := A mod B;
    A := B;
    B := T;
  end;
  Result := Abs(A);
end;
