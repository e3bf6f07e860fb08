@echo off
rem An example host for Tavrel, meant to run at every logon (see
rem register-logon-task.ps1): it has Tavrel check the watched keys without
rem showing its window, then reads what Tavrel wrote under the host key.
setlocal
set "HOSTKEY=Software\TavrelLogonCheck"
set "TAVREL=%LOCALAPPDATA%\Programs\Tavrel\tavrel.exe"

rem First run: apply decisions, and ask the user about ordinary changes
rem (plays alert.wav and shows the review window; "1" decides silently).
reg query "HKCU\%HOSTKEY%" /v AutoRepair >nul 2>&1 || reg add "HKCU\%HOSTKEY%" /v AutoRepair /d 1 /f >nul
reg query "HKCU\%HOSTKEY%" /v "Tavrel Silent Mode" >nul 2>&1 || reg add "HKCU\%HOSTKEY%" /v "Tavrel Silent Mode" /d 0 /f >nul

rem Tavrel writes its status values before the review window closes; waiting
rem for it keeps two checks from running at once.
start "" /wait "%TAVREL%" /scannow key=%HOSTKEY%

set "STATUS=" & set "FOUND=" & set "LAST="
for /f "tokens=3,*" %%a in ('reg query "HKCU\%HOSTKEY%" /v "Tavrel Status" 2^>nul ^| find "REG_SZ"') do set "STATUS=%%b"
for /f "tokens=3,*" %%a in ('reg query "HKCU\%HOSTKEY%" /v "Tavrel Found" 2^>nul ^| find "REG_SZ"') do set "FOUND=%%b"
for /f "tokens=4,*" %%a in ('reg query "HKCU\%HOSTKEY%" /v "Tavrel Last Check" 2^>nul ^| find "REG_SZ"') do set "LAST=%%b"

if "%STATUS%"=="255" (
  echo Tavrel flagged %FOUND% finding^(s^) at %LAST%.
  exit /b 1
)
if "%STATUS%"=="65280" (
  echo Tavrel found nothing flagged at %LAST%.
  exit /b 0
)
echo Tavrel did not report: is it installed at %TAVREL%?
exit /b 2
