{ Rounds a value to the given number of decimals, halves away from zero:
  RoundDecimals(2.125, 2) = 2.13, RoundDecimals(-2.125, 2) = -2.13.
  Needs Math in the uses clause. }
function RoundDecimals(Value: Double; Decimals: Integer): Double;
var
  Factor: Double;
begin
  Factor := IntPower(10, Decimals);
  if Value >= 0 then
    Result := Int(Value * Factor + 0.5) / Factor
  else
    Result := -Int(-Value * Factor + 0.5) / Factor;
end;
