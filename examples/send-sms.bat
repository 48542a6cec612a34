@echo off
rem Starts the sending program, watches it with Varnel and acts on the outcome.
rem varnel.exe must stand in the directory where the sending program creates
rem its marker files (E1.$$$ to E6.$$$). SENDER names the sending program,
rem VARNEL the monitor (by default the varnel.exe beside this file).
setlocal
if not defined SENDER set SENDER=C:\SMS\sender.exe
if not defined VARNEL set VARNEL=%~dp0varnel.exe

start "SMS sender" /b "%SENDER%" %*
"%VARNEL%"

rem "if errorlevel N" is true for N and every code above it: highest first.
rem A code below 0 (Ctrl+C ends Varnel with the system's code) is no success.
if errorlevel 11 goto unknown
if errorlevel 10 goto never_started
if errorlevel 5 goto unknown
if errorlevel 4 goto name_not_found
if errorlevel 3 goto sending_failed
if errorlevel 2 goto smtp_failed
if errorlevel 1 goto dialup_failed
if errorlevel 0 goto sent
goto unknown

:sent
echo SMS sent.
exit /b 0
:dialup_failed
echo Dial-up connection failed: check the modem line.
exit /b 1
:smtp_failed
echo Could not connect to the SMTP server: see the [ERROR#] lines above.
exit /b 2
:sending_failed
echo The message was not sent: see the [ERROR#] lines above.
exit /b 3
:name_not_found
echo A name was not found: check the recipient.
exit /b 4
:never_started
echo The sending program did not start within 20 seconds.
exit /b 10
:unknown
echo Varnel was interrupted or ended unexpectedly (code %errorlevel%).
exit /b 99
