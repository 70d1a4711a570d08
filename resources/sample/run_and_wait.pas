{ Starts a program and waits until it ends; returns its exit code, or -1
  when it could not be started. }
function RunAndWait(const CommandLine: string): Integer;
var
  StartInfo: TStartupInfo;
  ProcInfo: TProcessInformation;
  ExitCode: DWORD;
begin
  Result := -1;
  FillChar(StartInfo, SizeOf(StartInfo), 0);
  StartInfo.cb := SizeOf(StartInfo);
  if CreateProcess(nil, PChar(CommandLine), nil, nil, False, 0, nil, nil,
    StartInfo, ProcInfo) then
  try
    WaitForSingleObject(ProcInfo.hProcess, INFINITE);
    if GetExitCodeProcess(ProcInfo.hProcess, ExitCode) then
      Result := ExitCode;
  finally
    CloseHandle(ProcInfo.hThread);
    CloseHandle(ProcInfo.hProcess);
  end;
end;
