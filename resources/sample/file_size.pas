{ The size of a file in bytes, or -1 when it cannot be found. }
function GetFileSizeOf(const FileName: string): Longint;
var
  SearchRec: TSearchRec;
begin
  if FindFirst(FileName, faAnyFile, SearchRec) = 0 then
  begin
    Result := SearchRec.Size;
    FindClose(SearchRec);
  end
  else
    Result := -1;
end;
