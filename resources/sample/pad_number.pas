{ A number written with leading zeros up to Width digits: PadNumber(42, 5)
  gives '00042'. Longer numbers are returned whole. }
function PadNumber(Value, Width: Integer): string;
begin
  Result := IntToStr(Abs(Value));
  while Length(Result) < Width do
    Result := '0' + Result;
  if Value < 0 then
    Result := '-' + Result;
end;
