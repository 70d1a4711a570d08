{ Saves and restores a form's position and size in an INI file, under a
  section named after the form. Needs IniFiles in the uses clause. }
procedure SaveFormPlacement(AForm: TForm; const IniName: string);
var
  Ini: TIniFile;
begin
  Ini := TIniFile.Create(IniName);
  try
    Ini.WriteInteger(AForm.Name, 'Left', AForm.Left);
    Ini.WriteInteger(AForm.Name, 'Top', AForm.Top);
    Ini.WriteInteger(AForm.Name, 'Width', AForm.Width);
    Ini.WriteInteger(AForm.Name, 'Height', AForm.Height);
  finally
    Ini.Free;
  end;
end;

procedure LoadFormPlacement(AForm: TForm; const IniName: string);
var
  Ini: TIniFile;
begin
  Ini := TIniFile.Create(IniName);
  try
    AForm.SetBounds(Ini.ReadInteger(AForm.Name, 'Left', AForm.Left),
      Ini.ReadInteger(AForm.Name, 'Top', AForm.Top),
      Ini.ReadInteger(AForm.Name, 'Width', AForm.Width),
      Ini.ReadInteger(AForm.Name, 'Height', AForm.Height));
  finally
    Ini.Free;
  end;
end;
