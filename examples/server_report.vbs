' A one-page report of a server, written without knowing any record's keys
' in advance: every field of the operating-system and computer records by
' Keys(), the disks, the automatic services that are not running, and the
' newest errors of the System log from getLogPage. Changes nothing.
'
'   cscript //nologo server_report.vbs [computer [workgroup]]
'
' Defaults: WEB1 in CORP of the lab network (scripts/lab-demo.sh sets it up).
Option Explicit
On Error Resume Next

Dim computer, workgroup
computer = "WEB1"
workgroup = "CORP"
If WScript.Arguments.Count > 0 Then computer = WScript.Arguments(0)
If WScript.Arguments.Count > 1 Then workgroup = WScript.Arguments(1)

Sub Title(text)
  WScript.Echo ""
  WScript.Echo text
  WScript.Echo String(Len(text), "-")
End Sub

Function Failed(what)
  Failed = (Err.Number <> 0)
  If Failed Then
    WScript.Echo "  (" & what & " failed: " & Err.Description & ")"
    Err.Clear
  End If
End Function

Function Shown(ByVal value)
  If IsObject(value) Then
    Shown = "(" & value.Count & " items)"
  ElseIf IsNull(value) Then
    Shown = "(none)"
  ElseIf IsArray(value) Then
    Shown = "(list)"
  Else
    Shown = CStr(value)
  End If
End Function

' Every field of a record, under the name the component gives it.
Sub ShowRecord(record)
  Dim keys, key
  keys = record.Keys()
  For Each key In keys
    WScript.Echo "  " & Left(key & ":" & Space(26), 26) & Shown(record(key))
  Next
End Sub

Dim info, services, el, record, drive, service, page, events, entry, listed

WScript.Echo "Server report for " & computer & " (" & workgroup & "), " & Now

Set info = CreateObject("Quorvane.ServerInfo")
Title "Operating system"
Set record = info.osInfo(computer)
If Not Failed("osInfo") Then ShowRecord record

Title "Computer"
Set record = info.getInfo(computer)
If Not Failed("getInfo") Then ShowRecord record

Title "Disks"
For Each drive In info.logicalDriveInfo(computer)
  WScript.Echo "  " & drive("DriveLetter") & " " & drive("FileSystem") & ", " & drive("FreeSpace") & _
               " free of " & drive("DiskSize") & " (" & drive("PercentUsed") & " used)"
Next
Failed "logicalDriveInfo"

Title "Automatic services not running"
Set services = CreateObject("Quorvane.Services")
services.setWorkgroup = workgroup
services.setComputerName = computer
listed = 0
For Each service In services.servicesSorted("DisplayName")
  ' Status 4 is running; StartType 2 is automatic.
  If service("StartType") = "2" And service("Status") <> "4" Then
    WScript.Echo "  " & service("DisplayName") & " (" & service("Name") & "), status " & service("Status")
    listed = listed + 1
  End If
Next
If Not Failed("servicesSorted") And listed = 0 Then WScript.Echo "  none"

Title "Newest errors and warnings in the System log"
Set el = CreateObject("Quorvane.EventLog")
Set page = el.getLogPage(computer, "System", 50, 1)
If Not Failed("getLogPage") Then
  WScript.Echo "  (" & page("Total") & " entries in " & page("Pages") & " pages of 50; the newest page:)"
  listed = 0
  For Each entry In page("Events")
    If entry("Type") <> "Information" Then
      WScript.Echo "  " & entry("TimeGenerated") & "  " & entry("Type") & "  " & entry("SourceName") & _
                   ": " & entry("message")
      listed = listed + 1
    End If
  Next
  If listed = 0 Then WScript.Echo "  none"
End If
