' Errors as a VBScript client sees them: the platform's number and text
' reach the script unchanged from a method without a handler, and stacked
' behind each operation's message from methods with one; the component's
' own errors carry the runtime's numbers and texts.
Option Explicit
Dim passed, failed, errNumber, errSource, errDescription
passed = 0
failed = 0

Const NoMember = "Object doesn't support this property or method"
Dim services, tools, site, iisObj, util, info, processes, x
Dim platformNumber, platformText

' The same directory failure without a handler (getComputers) and with one
' (getService): the number and source stay, the message stacks in front.
Set services = CreateObject("Quorvane.Services")
services.setWorkgroup = "NOSUCHGROUP"
services.setComputerName = "NOSUCHPC"
On Error Resume Next
Set x = services.getComputers()
Capture
On Error GoTo 0
platformNumber = errNumber
platformText = errDescription
Check platformNumber <> 0, "an unreachable target fails"
Check Len(platformText) > 0, "the platform's failure has a description"
Check Len(errSource) > 0, "and a source"

On Error Resume Next
Set x = services.getService("W32Time")
Capture
On Error GoTo 0
CheckEqual errNumber, platformNumber, "getService keeps the platform's number"
CheckEqual errDescription, "Error with getService: " & platformText, "getService stacks its message"

On Error Resume Next
Set x = services.getWorkgroups()
Capture
On Error GoTo 0
CheckEqual errDescription, "error with getWorkgroups: " & platformText, "getWorkgroups stacks its message"

' Two levels: Tools reads the service through its own Services object.
Set tools = CreateObject("Quorvane.Tools")
On Error Resume Next
x = tools.ServiceIsRunning("Spooler")
Capture
On Error GoTo 0
CheckEqual errNumber, platformNumber, "ServiceIsRunning keeps the first failure's number"
CheckEqual errDescription, "Error getting running status for theSpooler service: Error with getService: " & _
           platformText, "ServiceIsRunning stacks both messages, outer first"
On Error Resume Next
x = tools.singleServerMode()
Capture
On Error GoTo 0
CheckEqual errDescription, "Error getting singleServerMode status: Error with getService: " & platformText, _
           "singleServerMode stacks both messages"

' Tools.tryConnection never fails: it explains.
CheckEqual tools.tryConnection("NOSUCHGROUP", "NOSUCHPC"), False, "tryConnection of an unreachable computer is False"
CheckEqual tools.message, "Could not connect to NOSUCHPC. This means either that it's a ""ghost"" on the network, " & _
           "or that Kelvara does not have the correct credetials to access it.", "and keeps the connect message"

' IIS paths fail the same way behind their own messages.
Set iisObj = CreateObject("Quorvane.iis")
iisObj.setComputerName = "NOSUCHPC"
On Error Resume Next
Set x = iisObj.getSites()
Capture
On Error GoTo 0
Check StartsWith(errDescription, "Error with Quorvane.Iis.getSites: "), "getSites names itself: " & errDescription
On Error Resume Next
Set x = iisObj.iisBackupFiles()
Capture
On Error GoTo 0
Check StartsWith(errDescription, "error listing iisBackupFiles: Error with quorvane.IisTool.metaBaseBackupFiles: "), _
      "iisBackupFiles stacks the tool's message: " & errDescription
Set site = CreateObject("Quorvane.IisSite")
On Error Resume Next
Set x = site.getSiteById("NOSUCHPC", 1)
Capture
On Error GoTo 0
Check StartsWith(errDescription, "Error with Quorvane.IisSite.getSiteById: "), "getSiteById names itself"

' Wine's management service lacks properties these read: each fails with
' 438 behind its own message (a host that has them returns the records).
Set info = CreateObject("Quorvane.ServerInfo")
Set processes = CreateObject("Quorvane.process")
ExpectRecordsOrMessage "cpuInfo", "Error retreiving CPU info for .: "
ExpectRecordsOrMessage "logicalDriveInfo", "Error retreiving LogicalDriveInfo for .: "
ExpectRecordsOrMessage "EnumerateProcesses", "Unable to get processes: "

' A process that does not exist is not an error to end.
On Error Resume Next
processes.terminateProcess 987654, "."
Capture
On Error GoTo 0
CheckEqual errNumber, 0, "terminateProcess of a process that does not exist succeeds"

' The component's own errors: runtime numbers, texts and source.
Set util = CreateObject("Quorvane.Util")
On Error Resume Next
x = util.formatDateTime(Now, 7)
Capture
On Error GoTo 0
CheckEqual errNumber, 5, "a named format outside 0 to 4 fails with 5"
CheckEqual errDescription, "Invalid procedure call or argument", "with the runtime's text"
CheckEqual errSource, "Quorvane", "and the component as source"
On Error Resume Next
x = util.formatDateTime("no date at all", 1)
Capture
On Error GoTo 0
CheckEqual errNumber, 13, "a text that is no date fails with 13"
On Error Resume Next
x = util.translateStringDate("20240102+***")
Capture
On Error GoTo 0
Check StartsWith(errDescription, "Error translating string to date: "), _
      "translateStringDate reports through its message: " & errDescription
On Error Resume Next
x = util.Val()
Capture
On Error GoTo 0
CheckEqual errNumber, 450, "a missing argument is the runtime's wrong number of arguments"
On Error Resume Next
x = info.osInfo(".").NoSuchMember
Capture
On Error GoTo 0
CheckEqual errNumber, 438, "an unknown member of a collection fails with 438"
CheckEqual errDescription, NoMember, "with the runtime's text"

Finish

Sub ExpectRecordsOrMessage(method, message)
  Dim result
  On Error Resume Next
  Select Case method
    Case "cpuInfo": Set result = info.cpuInfo(".")
    Case "logicalDriveInfo": Set result = info.logicalDriveInfo(".")
    Case "EnumerateProcesses": Set result = processes.EnumerateProcesses(".")
  End Select
  Capture
  On Error GoTo 0
  If errNumber = 0 Then
    Check IsObject(result), method & " returns records where the service has the properties"
  Else
    CheckEqual errNumber, 438, method & " fails with 438 where the service lacks a property"
    CheckEqual errDescription, message & NoMember, method & " stacks its own message"
  End If
End Sub

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
  If actual = expected Then
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
