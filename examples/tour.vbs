' An administration tour of one server through the Quorvane component:
' its services (sorted, one in full, one stopped and started again), its
' web sites with bindings and sizes, a metabase backup made and listed, its
' inventory and processes, the newest page of its System log with one event
' in full, and its terminal sessions.
'
'   cscript //nologo tour.vbs [computer [workgroup [service]]]
'
' Defaults: WEB1 in CORP of the lab network, service W32Time. The tour
' changes the server (it stops and starts the service and makes a backup):
' run it against the lab (scripts/lab-demo.sh) or a server meant for tests.
Option Explicit
On Error Resume Next

Dim computer, workgroup, serviceName
computer = "WEB1"
workgroup = "CORP"
serviceName = "W32Time"
If WScript.Arguments.Count > 0 Then computer = WScript.Arguments(0)
If WScript.Arguments.Count > 1 Then workgroup = WScript.Arguments(1)
If WScript.Arguments.Count > 2 Then serviceName = WScript.Arguments(2)

Sub Title(text)
  WScript.Echo ""
  WScript.Echo text
  WScript.Echo String(Len(text), "=")
End Sub

' Reports a failed step and goes on with the tour; the failures are counted
' and make the tour's exit status.
Dim failures
failures = 0
Function Failed(what)
  Failed = (Err.Number <> 0)
  If Failed Then
    WScript.Echo "  (" & what & " failed: " & Err.Description & " [0x" & Hex(Err.Number) & "])"
    failures = failures + 1
    Err.Clear
  End If
End Function

Function Pad(value, width)
  Dim text
  If IsNull(value) Then text = "" Else text = CStr(value)
  If Len(text) >= width Then
    Pad = Left(text, width - 1) & " "
  Else
    Pad = text & Space(width - Len(text))
  End If
End Function

Function StatusText(code)
  Select Case CLng(code)
    Case 1: StatusText = "Stopped"
    Case 2: StatusText = "Starting"
    Case 3: StatusText = "Stopping"
    Case 4: StatusText = "Running"
    Case 5: StatusText = "Continuing"
    Case 6: StatusText = "Pausing"
    Case 7: StatusText = "Paused"
    Case Else: StatusText = "Status " & code
  End Select
End Function

Function StartText(code)
  Select Case CLng(code)
    Case 0: StartText = "Boot"
    Case 1: StartText = "System"
    Case 2: StartText = "Automatic"
    Case 3: StartText = "Manual"
    Case 4: StartText = "Disabled"
    Case Else: StartText = "Start type " & code
  End Select
End Function

Function Bytes(value)
  If value >= 1048576 Then
    Bytes = FormatNumber(value / 1048576, 1) & " MB"
  ElseIf value >= 1024 Then
    Bytes = FormatNumber(value / 1024, 1) & " KB"
  Else
    Bytes = value & " bytes"
  End If
End Function

Dim services, svc, rec, dep, i, iis, sites, site, holder, b, list, info, item, proc, events, event, ts, text, tools

WScript.Echo "Quorvane administration tour of " & computer & " (" & workgroup & ")"

Title "Services, by display name"
Set services = CreateObject("Quorvane.Services")
services.setWorkgroup = workgroup
services.setComputerName = computer
Set list = services.servicesSorted("DisplayName")
If Not Failed("servicesSorted") Then
  WScript.Echo Pad("Name", 20) & Pad("Display name", 40) & Pad("State", 10) & "Start"
  For Each rec In list
    WScript.Echo Pad(rec("Name"), 20) & Pad(rec("DisplayName"), 40) & Pad(StatusText(rec("Status")), 10) & _
                 StartText(rec("StartType"))
  Next
  WScript.Echo list.Count & " services"
End If

Title "One service in full: W3SVC"
Set rec = services.getService("W3SVC")
If Not Failed("getService") Then
  WScript.Echo "  " & rec("DisplayName") & " (" & rec("Name") & "), " & StatusText(rec("Status")) & ", " & _
               StartText(rec("StartType"))
  WScript.Echo "  Program:  " & rec("Path")
  WScript.Echo "  Account:  " & rec("ServiceAccountName")
  WScript.Echo "  Type " & rec("ServiceType") & ", error control " & rec("ErrorControl")
  For Each dep In rec("Dependencies")
    WScript.Echo "  Depends on " & dep("Name") & " (" & dep("DisplayName") & ")"
  Next
End If

' A stop or start returns at once and leaves the service starting or
' stopping for a while; the next request waits until it has settled (a
' Timer loop: not every script host here has WScript.Sleep).
Function SettledStatus(name)
  Dim started, status
  started = Timer
  Do
    status = services.getService(name)("Status")
  Loop While (status = 2 Or status = 3 Or status = 5 Or status = 6) And Abs(Timer - started) < 30
  SettledStatus = status
End Function

Title "Stopping and starting " & serviceName
services.setStatus serviceName, 1, 0
If Not Failed("stop") Then
  WScript.Echo "  right after stop:   " & StatusText(services.getService(serviceName)("Status"))
  WScript.Echo "  once settled:       " & StatusText(SettledStatus(serviceName))
End If
services.setStatus serviceName, 4, 0
If Not Failed("start") Then
  WScript.Echo "  right after start:  " & StatusText(services.getService(serviceName)("Status"))
  WScript.Echo "  once settled:       " & StatusText(SettledStatus(serviceName))
End If
services.setStatus "EventLog", 1, 0
If Err.Number <> 0 Then
  WScript.Echo "  stopping EventLog is refused: " & Err.Description
  Err.Clear
End If

Title "Web sites"
Set iis = CreateObject("Quorvane.iis")
iis.setComputerName = computer
Set sites = iis.getSites()
If Not Failed("getSites") Then
  Set holder = CreateObject("Quorvane.IisSite")
  For Each rec In sites
    Set site = holder.getSiteById(computer, rec("W3SVSID"))
    If Not Failed("getSiteById") Then
      WScript.Echo "  " & Pad(site.id, 4) & Pad(site.sitename, 20) & Pad(site.stateString, 14) & Pad(Bytes(site.size), 12) & _
                   site.path
      For Each b In site.hostBindings
        WScript.Echo "        binding  " & b("ip") & ":" & b("port") & ":" & b("host")
      Next
    End If
  Next
End If

Title "Metabase backups"
iis.makeBackup
If Not Failed("makeBackup") Then WScript.Echo "  a new backup was made"
Set list = iis.iisBackupFiles()
If Not Failed("iisBackupFiles") Then
  For Each rec In list
    WScript.Echo "  " & Pad(rec("Location"), 24) & rec("Date")
  Next
End If

Title "Inventory"
Set info = CreateObject("Quorvane.ServerInfo")
Set rec = info.osInfo(computer)
If Not Failed("osInfo") Then
  WScript.Echo "  " & rec("OperatingSystem") & " " & rec("ServicePack") & " (" & rec("WindowsVersion") & ")"
  WScript.Echo "  last boot " & rec("LastBoot") & " UTC, up (days,hours,minutes) " & rec("Uptime")
End If
Set rec = info.getInfo(computer)
If Not Failed("getInfo") Then
  WScript.Echo "  " & rec("ComputerManufacturer") & " " & rec("ComputerModel") & ", " & rec("PhysicalMemory") & ", " & _
               rec("DomainRole") & " of " & rec("Domain")
  WScript.Echo "  BIOS " & rec("BIOSVersion") & " of " & rec("BIOSReleaseDate")
End If
For Each item In info.cpuInfo(computer)
  WScript.Echo "  CPU " & item("DeviceID") & ": " & item("CPUName") & ", " & item("ClockSpeed") & " MHz"
Next
Failed "cpuInfo"
For Each item In info.logicalDriveInfo(computer)
  WScript.Echo "  Drive " & item("DriveLetter") & " " & Pad(item("VolumeName"), 10) & Pad(item("DiskSize"), 12) & _
               item("FreeSpace") & " free, " & item("PercentUsed") & "% used"
Next
Failed "logicalDriveInfo"
For Each item In info.getNicInfo(computer)
  text = ""
  For Each b In item("StaticIP")
    text = text & " " & b
  Next
  WScript.Echo "  Adapter " & item("NICName") & ":" & text
Next
Failed "getNicInfo"

Title "Processes"
Set proc = CreateObject("Quorvane.process")
Set list = proc.EnumerateProcesses(computer)
If Not Failed("EnumerateProcesses") Then
  WScript.Echo "  " & Pad("Id", 7) & Pad("Name", 22) & Pad("Memory", 14) & "User"
  For Each rec In list
    WScript.Echo "  " & Pad(rec("id"), 7) & Pad(rec("Name"), 22) & Pad(rec("MemUsage"), 14) & rec("UserId")
  Next
End If

Title "Newest page of the System log"
Set events = CreateObject("Quorvane.EventLog")
WScript.Echo "  " & events.numberOfEvents(computer, "System") & " entries"
Set list = events.EnumLogEvents(computer, "System", 10, 1)
If Not Failed("EnumLogEvents") Then
  For Each rec In list
    WScript.Echo "  " & Pad(rec("RecordNumber"), 6) & Pad(rec("TimeGenerated"), 24) & Pad(rec("Type"), 13) & _
                 Left(rec("message"), 60)
  Next
  For Each rec In list
    Set event = events.getEvent(computer, rec("RecordNumber"), "System")
    If Not Failed("getEvent") Then
      WScript.Echo ""
      WScript.Echo "  Event " & event("RecordNumber") & " in full:"
      WScript.Echo "    Source " & event("SourceName") & ", code " & event("EventCode") & ", " & event("Type") & _
                   ", category " & event("CategoryString") & ", user " & event("User")
      WScript.Echo "    Generated " & event("TimeGenerated") & ", written " & event("TimeWritten") & " on " & _
                   event("ComputerName")
      WScript.Echo "    " & event("message")
    End If
    Exit For
  Next
End If

Title "Terminal sessions"
Set ts = CreateObject("Quorvane.TerminalServices")
Set list = ts.getLogonUsers(computer)
If Not Failed("getLogonUsers") Then
  If list.Count = 0 Then WScript.Echo "  (no sessions)"
  For Each rec In list
    WScript.Echo "  " & Pad(rec("username"), 16) & Pad(rec("sessionid"), 12) & Pad(rec("id"), 4) & Pad(rec("state"), 8) & _
                 "idle " & Pad(rec("idletime"), 6) & "since " & rec("logontime")
  Next
End If

WScript.Echo ""
If failures > 0 Then
  WScript.Echo "End of the tour: " & failures & " step(s) failed."
  WScript.Quit 1
End If
WScript.Echo "End of the tour."
