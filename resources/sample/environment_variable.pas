{ The value of an environment variable, or the empty string when it is
  not set. }
function GetEnvVar(const Name: string): string;
var
  Size: DWORD;
begin
  Size := GetEnvironmentVariable(PChar(Name), nil, 0);
  if Size = 0 then
  begin
    Result := '';
    Exit;
  end;
  SetLength(Result, Size - 1);
  GetEnvironmentVariable(PChar(Name), PChar(Result), Size);
end;
