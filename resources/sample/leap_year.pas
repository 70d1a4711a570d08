{ The Gregorian rule: every fourth year, except whole centuries that are
  not divisible by 400. }
function IsLeap(Year: Word): Boolean;
begin
  Result := (Year mod 4 = 0) and ((Year mod 100 <> 0) or (Year mod 400 = 0));
end;
