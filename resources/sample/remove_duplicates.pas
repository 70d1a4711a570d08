{ Removes repeated lines from a list, keeping the first of each and the
  order of the rest. Lines are compared without regard to letter case. }
procedure RemoveDuplicates(Lines: TStrings);
var
  Seen: TStringList;
  I: Integer;
begin
  Seen := TStringList.Create;
  try
    Seen.Sorted := True;
    Seen.Duplicates := dupIgnore;
    I := 0;
    while I < Lines.Count do
      if Seen.IndexOf(Lines[I]) >= 0 then
        Lines.Delete(I)
      else
      begin
        Seen.Add(Lines[I]);
        Inc(I);
      end;
  finally
    Seen.Free;
  end;
end;
