{ Removes every space and tab from a string, not only those at its ends. }
function RemoveBlanks(const S: string): string;
var
  I: Integer;
begin
  Result := '';
  for I := 1 to Length(S) do
    if not (S[I] in [' ', #9]) then
      Result := Result + S[I];
end;
