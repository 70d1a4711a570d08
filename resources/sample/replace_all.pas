{ Replaces every occurrence of OldPart in S by NewPart, ignoring case. }
function ReplaceAll(const S, OldPart, NewPart: string): string;
begin
  Result := StringReplace(S, OldPart, NewPart, [rfReplaceAll, rfIgnoreCase]);
end;
