{ Shows the one instance of a form class, creating it on first use;
  a second call brings the existing form to the front. }
procedure ShowSingleForm(FormClass: TFormClass; var Reference);
begin
  if TForm(Reference) = nil then
    Application.CreateForm(FormClass, Reference);
  TForm(Reference).Show;
  TForm(Reference).BringToFront;
end;

{ Usage: ShowSingleForm(TAboutBox, AboutBox); }
