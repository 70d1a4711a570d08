{ Adds the names of the files in Folder that match Mask (such as '*.pas')
  to Names; sub-folders are left out. }
procedure ListFiles(const Folder, Mask: string; Names: TStrings);
var
  SearchRec: TSearchRec;
begin
  if FindFirst(IncludeTrailingBackslash(Folder) + Mask, faAnyFile, SearchRec) = 0 then
  try
    repeat
      if SearchRec.Attr and faDirectory = 0 then
        Names.Add(SearchRec.Name);
    until FindNext(SearchRec) <> 0;
  finally
    FindClose(SearchRec);
  end;
end;
