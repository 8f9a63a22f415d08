' Inventory of the local computer through the Quorvane component: operating
' system, processors, drives, network adapters, processes and event logs.
' A section the host's management service cannot serve prints the
' component's error message instead, and the script goes on.
'
'   cscript //nologo inventory.vbs [computer]
Option Explicit

Dim computer, info, processes, events
computer = "."
If WScript.Arguments.Count > 0 Then computer = WScript.Arguments(0)

Set info = CreateObject("Quorvane.ServerInfo")
Set processes = CreateObject("Quorvane.process")
Set events = CreateObject("Quorvane.EventLog")

Heading "Operating system"
Dim os
On Error Resume Next
Set os = info.osInfo(computer)
If Not Failed() Then
  On Error GoTo 0
  Show "Name", os("OperatingSystem")
  Show "Version", os("WindowsVersion") & " (build " & os("BuildNumber") & ")"
  Show "Service pack", os("ServicePack")
  Show "Serial number", os("SerialNumber")
  Show "Last boot (UTC)", os("LastBoot")
  Show "Up", os("Uptime")
End If

Heading "Processors"
Dim cpus, cpu
On Error Resume Next
Set cpus = info.cpuInfo(computer)
If Not Failed() Then
  On Error GoTo 0
  For Each cpu In cpus
    Show cpu("DeviceID"), cpu("CPUName") & ", " & cpu("ClockSpeed") & " MHz, L2 " & cpu("L2CacheSize") & " KB"
  Next
End If

Heading "Drives"
Dim drives, drive
On Error Resume Next
Set drives = info.logicalDriveInfo(computer)
If Not Failed() Then
  On Error GoTo 0
  For Each drive In drives
    Show drive("DriveLetter"), drive("DiskSize") & ", " & drive("FreeSpace") & " free, " & drive("PercentUsed") & _
         " used, " & drive("FileSystem")
  Next
End If

Heading "Network adapters"
Dim nics, nic
On Error Resume Next
Set nics = info.getNicInfo(computer)
If Not Failed() Then
  On Error GoTo 0
  For Each nic In nics
    Show nic("NICName"), "MAC " & nic("MACAddress") & ", IP " & Joined(nic("StaticIP")) & ", mask " & _
         Joined(nic("SubNet")) & ", gateway " & Joined(nic("GateWay"))
  Next
End If

Heading "Processes"
Dim list, proc
On Error Resume Next
Set list = processes.EnumerateProcesses(computer)
If Not Failed() Then
  On Error GoTo 0
  For Each proc In list
    Show proc("id"), proc("Name") & ", " & proc("MemUsage") & ", started " & proc("Started") & ", " & proc("UserId")
  Next
End If

Heading "Event logs"
Dim logs, logName
On Error Resume Next
Set logs = events.EnumEventLogs(computer)
If Not Failed() Then
  On Error GoTo 0
  If logs.Count = 0 Then WScript.Echo "  (the management service lists no event logs)"
  For Each logName In logs
    Show logName, events.numberOfEvents(computer, logName) & " events"
  Next
End If

Sub Heading(title)
  WScript.Echo ""
  WScript.Echo title
End Sub

Sub Show(label, value)
  WScript.Echo "  " & label & ": " & value
End Sub

' After a call made under On Error Resume Next: prints the component's
' message when the call failed.
Function Failed()
  Failed = (Err.Number <> 0)
  If Failed Then WScript.Echo "  (not available here: " & Err.Description & ")"
  Err.Clear
End Function

Function Joined(list)
  Dim item, text
  text = ""
  For Each item In list
    If text <> "" Then text = text & " "
    text = text & item
  Next
  Joined = text
End Function
