{ Waits the given number of milliseconds while the program keeps
  painting and answering clicks. }
procedure Delay(Milliseconds: Cardinal);
var
  Start: Cardinal;
begin
  Start := GetTickCount;
  while GetTickCount - Start < Milliseconds do
  begin
    Application.ProcessMessages;
    Sleep(10);
  end;
end;
