{ True when N is a prime number; trial division by odd numbers up to the
  square root of N. }
function IsPrime(N: Cardinal): Boolean;
var
  D: Cardinal;
begin
  if N < 4 then
  begin
    Result := N > 1;
    Exit;
  end;
  Result := False;
  if not Odd(N) then
    Exit;
  D := 3;
  while D <= N div D do
  begin
    if N mod D = 0 then
      Exit;
    Inc(D, 2);
  end;
  Result := True;
end;
