@echo off
rem Back up every snippet library of a folder, keep the last N copies.
rem Usage: backup_libraries.bat folder [copies]
REM.this comment starts with a dot
:: A comment written as a label that is never jumped to
setlocal EnableExtensions EnableDelayedExpansion

if "%~1"=="" (
    echo Usage: %~nx0 folder [copies] 1>&2
    exit /b 1
)
if not exist "%~f1\" (
    echo Folder "%~1" not found. & exit /b 2
)

set "source=%~f1"
set "keep=%~2"
if not defined keep set keep=5
set /a keep=keep+0, max=0x10, mask=017, total=0
set backup=%TEMP%\tarnwick_backup
set stamp=%DATE:~-4%%DATE:~3,2%%DATE:~0,2%
set name=%source:\=_%

echo.
echo Backing up "%source%" to %backup% (keeping %keep% copies)
echo Percent sign: 100%% and a caret: ^^ and an ampersand: ^& done
echo off

if not exist "%backup%" mkdir "%backup%" || goto :error

for %%f in ("%source%\*.ini" "%source%\*.dat") do (
    copy /y "%%~ff" "%backup%\%%~nf_%stamp%%%~xf" >nul 2>&1
    if errorlevel 1 (
        echo Could not copy %%~nxf
    ) else (
        set /a total+=1
        echo Copied %%~nxf ^(!total!^)
    )
)

rem Count the copies of each library and delete the oldest ones.
for /f "usebackq tokens=1,* delims=_" %%a in (`dir /b /o-d "%backup%\*.ini"`) do (
    set /a count_%%a+=1
    if !count_%%a! gtr %keep% del /q "%backup%\%%a_%%b"
)

for /l %%i in (1, 1, 3) do call :log "pass %%i of 3"

if %total% equ 0 goto nothing
if %total% geq 10 (echo Many files) else if %total% lss 2 (echo Few files) else echo Some files
if /i "%~3"=="/verbose" dir "%backup%" | find /c ".ini"
choice /c yn /m "Open the backup folder" && start "" explorer "%backup%"
goto :done

:nothing
echo Nothing copied from "%source%
goto :eof

:log
rem Appends a line to the log file: %1 is the message.
>>"%backup%\backup.log" echo [%TIME%] %~1
exit /b 0

:error
echo Failed with error %ERRORLEVEL%. 1>&2
endlocal
exit /b %ERRORLEVEL%

:done
echo Done: %total% files, %* were the arguments, %0 is the script.
endlocal & set "LAST_BACKUP=%backup%"
pushd "%backup%" && (dir /b *.ini) & popd
