' The real Win32 adapters as far as Wine provides them: management
' records of the local computer, the host's regional formatting, the
' file test, and command capture through cmd.exe.
Option Explicit
Dim passed, failed, errNumber, errSource, errDescription
passed = 0
failed = 0

' --- management: operating system and adapters -----------------------------
Dim info, os, nics, nic, address, ipv4
Set info = CreateObject("Quorvane.ServerInfo")
Set os = info.osInfo(".")
Check InStr(os("OperatingSystem"), "Windows") > 0, "osInfo reads the system's caption: " & os("OperatingSystem")
Check Len(os("WindowsVersion")) > 0, "osInfo reads the version: " & os("WindowsVersion")
Check IsNumeric(os("BuildNumber")), "osInfo reads the build number"
CheckEqual VarType(os("LastBoot")), vbDate, "LastBoot is a date"
Check os("LastBoot") < Now + 1, "the last boot lies in the past"
Check Len(os("Uptime")) > 0, "the uptime is described: " & os("Uptime")
Set os = info.osInfo("localhost")
Check os.Count = 13, "the local computer answers as localhost too"

Set nics = info.getNicInfo(".")
ipv4 = 0
For Each nic In nics
  CheckEqual nic.Count, 7, "an adapter record has seven fields"
  For Each address In nic("StaticIP")
    If UBound(Split(address, ".")) = 3 Then ipv4 = ipv4 + 1
  Next
Next
Check ipv4 >= 1, "an enabled adapter lists an IPv4 address"

' --- event logs: Wine keeps none, so every list is empty ---------------------
Dim events
Set events = CreateObject("Quorvane.EventLog")
Check IsObject(events.EnumEventLogs(".")), "EnumEventLogs returns a collection"
CheckEqual events.numberOfEvents(".", "Application"), 0, "a log the service does not know counts 0"
CheckEqual events.EnumLogEvents(".", "Application").Count, 0, "an empty log gives an empty page"
CheckEqual events.getEvent(".", 1).Count, 0, "an event that is not there gives an empty record"

' --- regional settings: the component formats as the script does ------------
Dim util, moments, moment, format
Set util = CreateObject("Quorvane.Util")
moments = Array(Now, DateSerial(2026, 12, 5) + TimeSerial(12, 30, 45), DateSerial(1999, 1, 31), TimeSerial(23, 59, 59))
For Each moment In moments
  For format = 0 To 4
    CheckEqual util.formatDateTime(moment, format), FormatDateTime(moment, format), _
               "formatDateTime(" & moment & ", " & format & ") equals the script's FormatDateTime"
  Next
Next
CheckEqual util.formatDateTime("2024-02-29 10:11:12", 2), FormatDateTime(CDate("2024-02-29 10:11:12"), 2), _
           "a date text is read as the script reads it"
CheckEqual util.Val("  12 34.5e1xyz"), 12345, "Val reads the leading number, blanks ignored"
CheckEqual util.Val("&HFF"), 255, "Val reads hexadecimal"
CheckEqual util.Val("abc"), 0, "Val of no number is 0"
CheckEqual util.IIf(False, "yes", 42), 42, "IIf returns falsepart unchanged"
CheckEqual VarType(util.IIf(True, CInt(7), "no")), vbInteger, "IIf keeps the type of the part it returns"
Check IsNull(util.IIf(1, Null, 0)), "IIf passes Null through"

' --- host checks ----------------------------------------------------------------
Dim tools
Set tools = CreateObject("Quorvane.Tools")
CheckEqual tools.gotBootTool(), CreateObject("Scripting.FileSystemObject").FileExists( _
           CreateObject("WScript.Shell").Environment("PROCESS")("windir") & "\system32\shutdown.exe"), _
           "gotBootTool agrees with the file system"

' --- terminal sessions through cmd.exe ----------------------------------------
Dim terminal, users, output
Set terminal = CreateObject("Quorvane.TerminalServices")
Set users = terminal.getLogonUsers("localhost")
CheckEqual users.Count, 0, "getLogonUsers runs ""query user"" through cmd.exe: Wine has no sessions to list"
output = terminal.changeUserStatus("reset", "localhost", "7")
Check InStr(output, "reset session 7 /server:localhost") > 0, _
      "changeUserStatus returns what cmd.exe printed for its command line: " & output
output = terminal.changeUserStatus("disconnect", "localhost", "7")
Check InStr(output, "tsdiscon") > 0, "disconnect runs tsdiscon: " & output
CheckEqual terminal.changeUserStatus("logoff", "localhost", "7"), "", "another status runs nothing"
On Error Resume Next
Set users = terminal.getLogonUsers("localhost & echo injected")
Capture
On Error GoTo 0
Check StartsWith(errDescription, "Unable to get Terminal server users: "), _
      "a server name that is no host name is refused: " & errDescription
On Error Resume Next
output = terminal.changeUserStatus("reset", "localhost", "7 & echo injected")
Capture
On Error GoTo 0
Check StartsWith(errDescription, "Unable to change user status on terminal server localhost: "), _
      "a session id that is no number is refused: " & errDescription

Finish

' --- checks -----------------------------------------------------------------
Function StartsWith(text, prefix)
  StartsWith = (Left(text, Len(prefix)) = prefix)
End Function

Sub Check(ok, what)
  If ok Then
    passed = passed + 1
  Else
    failed = failed + 1
    WScript.Echo "FAIL: " & what
  End If
End Sub

Sub CheckEqual(actual, expected, what)
  Dim same
  If IsNull(actual) Or IsNull(expected) Then
    same = IsNull(actual) And IsNull(expected)
  Else
    same = (actual = expected)
  End If
  If same Then
    Check True, what
  Else
    Check False, what & ": got [" & actual & "], expected [" & expected & "]"
  End If
End Sub

' Keeps the error the last statement left (under On Error Resume Next).
Sub Capture()
  errNumber = Err.Number
  errSource = Err.Source
  errDescription = Err.Description
  Err.Clear
End Sub

Sub Finish()
  WScript.Echo passed & " passed, " & failed & " failed"
  If failed > 0 Then WScript.Quit 1
  WScript.Quit 0
End Sub
