{ Places a form in the middle of the screen, whatever its Position says. }
procedure CentreForm(AForm: TForm);
begin
  AForm.Left := (Screen.Width - AForm.Width) div 2;
  AForm.Top := (Screen.Height - AForm.Height) div 2;
end;
