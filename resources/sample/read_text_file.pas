{ Loads a text file line by line into a string list owned by the caller. }
procedure ReadTextFile(const FileName: string; Lines: TStrings);
var
  F: TextFile;
  Line: string;
begin
  AssignFile(F, FileName);
  Reset(F);
  try
    Lines.BeginUpdate;
    try
      while not Eof(F) do
      begin
        ReadLn(F, Line);
        Lines.Add(Line);
      end;
    finally
      Lines.EndUpdate;
    end;
  finally
    CloseFile(F);
  end;
end;
