{ Copies a file through a buffer; an existing target is overwritten.
  Raises EFOpenError / EFCreateError when a file cannot be opened. }
procedure CopyFileTo(const Source, Target: string);
var
  Input, Output: TFileStream;
begin
  Input := TFileStream.Create(Source, fmOpenRead or fmShareDenyWrite);
  try
    Output := TFileStream.Create(Target, fmCreate);
    try
      Output.CopyFrom(Input, 0);
    finally
      Output.Free;
    end;
  finally
    Input.Free;
  end;
end;
