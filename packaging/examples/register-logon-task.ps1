# Registers logon-check.cmd (beside this script) as a scheduled task that runs
# at every logon of the current user, with that user's own rights.
# Run it once, as the user, from this folder:
#   powershell -ExecutionPolicy Bypass -File register-logon-task.ps1
# The trigger names only this user, which is what lets a user without
# administrator rights register it where policy allows; otherwise an
# administrator runs it once with -User, or a shortcut to logon-check.cmd in
# the user's Startup folder (shell:startup) does the same job.
param([string]$User = "$env:USERDOMAIN\$env:USERNAME")

$check = Join-Path $PSScriptRoot 'logon-check.cmd'
$action = New-ScheduledTaskAction -Execute 'cmd.exe' -Argument "/c `"$check`""
$trigger = New-ScheduledTaskTrigger -AtLogOn -User $User
$principal = New-ScheduledTaskPrincipal -UserId $User -LogonType Interactive -RunLevel Limited
Register-ScheduledTask -TaskName 'Tavrel logon check' -Action $action -Trigger $trigger `
  -Principal $principal -Force | Out-Null
Write-Host "Registered 'Tavrel logon check' for $User."
