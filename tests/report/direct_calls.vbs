' The morning page's reads made one by one by direct calls, over the hosts
' of the network that answer (the ones named in /skip are left out: a host
' that never answers would hold a direct call for good), for comparison
' with the report's time through Quorvane.Fleet. Prints
' "direct calls: N hosts, S seconds".
'
'   cscript //nologo direct_calls.vbs /asof:"2026-03-02 20:00" /skip:"HUNG1"
Option Explicit
Dim skip, since, started, hosts, browser, wg, pc, name, group, s, info, events, sessions, services, seconds

Function Named(name)
  Dim a, prefix
  Named = ""
  prefix = "/" & LCase(name) & ":"
  For a = 0 To WScript.Arguments.Count - 1
    If LCase(Left(WScript.Arguments(a), Len(prefix))) = prefix Then Named = Mid(WScript.Arguments(a), Len(prefix) + 1)
  Next
End Function

skip = "," & UCase(Replace(Named("skip"), " ", "")) & ","
since = DateAdd("h", -24, CDate(Named("asof")))
Set info = CreateObject("Quorvane.ServerInfo")
Set events = CreateObject("Quorvane.EventLog")
Set sessions = CreateObject("Quorvane.TerminalServices")
Set browser = CreateObject("Quorvane.Services")
started = Timer
hosts = 0
On Error Resume Next
For Each wg In browser.getWorkgroups()
  group = wg("Workgroup")
  browser.setWorkgroup = group
  For Each pc In browser.getComputers()
    name = pc("Computer")
    If InStr(skip, "," & UCase(name) & ",") = 0 Then
      Err.Clear
      Set s = info.osInfo(name)
      If Err.Number = 0 Then
        hosts = hosts + 1
        Set s = info.logicalDriveInfo(name)
        Set services = CreateObject("Quorvane.Services")
        services.setWorkgroup = group
        services.setComputerName = name
        Set s = services.servicesSorted("DisplayName")
        Set s = events.findEvents(name, "System", since, "Error,Warning", 10000)
        Set s = events.findEvents(name, "Application", since, "Error,Warning", 10000)
        Set s = sessions.getLogonUsers(name)
      End If
      Err.Clear
    End If
  Next
Next
seconds = Timer - started
WScript.Echo "direct calls: " & hosts & " hosts, " & FormatNumber(seconds, 1, True, False, False) & " seconds"
