' ServerInfo and process against the lab's management service: values as
' delivered (64-bit numbers as text, Null kept), sizes as text, dates, the
' computer summary, and processes with their owners and their ending.
On Error Resume Next

Dim info, result, rec, i, k, list, expected, web1, wmi, item, n

Set info = CreateObject("Quorvane.ServerInfo")
Set web1 = ComputerNamed("WEB1")
Set wmi = web1("wmi")

' The value of a fleet instance's property: Null when the fleet leaves it out.
Function Prop(instance, name)
  If instance.Exists(name) Then
    If IsObject(instance(name)) Then
      Set Prop = instance(name)
    Else
      Prop = instance(name)
    End If
  Else
    Prop = Null
  End If
End Function

Sub CheckList(what, collection, fleetList)
  Dim j
  If IsNull(fleetList) Then
    CheckEqual what & " (empty list)", collection.Count, 0
    Exit Sub
  End If
  CheckEqual what & " count", collection.Count, fleetList.Count
  For j = 0 To fleetList.Count - 1
    CheckEqual what & " item " & j, collection(CStr(j)), fleetList(j)
  Next
End Sub

Section "getNicInfo: IP-enabled adapters keyed by index, address lists"
Set result = info.getNicInfo("WEB1")
CheckNoError "getNicInfo"
n = 0
For i = 0 To wmi("Win32_NetworkAdapterConfiguration").Count - 1
  Set item = wmi("Win32_NetworkAdapterConfiguration")(i)
  If item("IPEnabled") Then
    n = n + 1
    Set rec = result(CStr(item("Index")))
    CheckKeys "adapter " & item("Index"), rec, "NICName,MACAddress,DNSHostName,DNSDomain,StaticIP,SubNet,GateWay"
    CheckEqual "position " & n & " is the adapter delivered " & n & "th", result(n)("MACAddress"), item("MACAddress")
    CheckEqual "NICName", rec("NICName"), Prop(item, "Description")
    CheckEqual "MACAddress", rec("MACAddress"), Prop(item, "MACAddress")
    CheckEqual "DNSHostName", rec("DNSHostName"), Prop(item, "DNSHostName")
    CheckEqual "DNSDomain as delivered", rec("DNSDomain"), Prop(item, "DNSDomain")
    CheckList "StaticIP", rec("StaticIP"), Prop(item, "IPAddress")
    CheckList "SubNet", rec("SubNet"), Prop(item, "IPSubnet")
    CheckList "GateWay", rec("GateWay"), Prop(item, "DefaultIPGateway")
  End If
Next
CheckEqual "adapter count", result.Count, n
CheckEqual "a computer without adapters", info.getNicInfo("WEB2").Count, 0

' The readable size of the inventory: chained two-decimal steps.
Function SizeText(bytes)
  Dim kb, mb, gb, tb
  kb = FormatNumber(bytes / 1024, 2)
  mb = FormatNumber(CDbl(kb) / 1024, 2)
  gb = FormatNumber(CDbl(mb) / 1024, 2)
  tb = FormatNumber(CDbl(gb) / 1024, 2)
  If CDbl(tb) >= 1 Then
    SizeText = tb & " Tb"
  ElseIf CDbl(gb) >= 1 Then
    SizeText = gb & " Gb"
  ElseIf CDbl(mb) >= 1 Then
    SizeText = mb & " Mb"
  ElseIf CDbl(kb) >= 100 Then
    SizeText = kb & " Kb"
  Else
    SizeText = CStr(bytes) & "b"
  End If
End Function

Section "logicalDriveInfo: fixed disks only, sizes delivered as text"
Set result = info.logicalDriveInfo("WEB1")
CheckNoError "logicalDriveInfo"
n = 0
For i = 0 To wmi("Win32_LogicalDisk").Count - 1
  Set item = wmi("Win32_LogicalDisk")(i)
  If Prop(item, "MediaType") = 12 Then
    n = n + 1
    Set rec = result(CStr(n))
    CheckKeys "drive " & item("Caption"), rec, "DiskSize,diskSizeInBytes,PercentUsed,FreeSpaceInBytes,FreeSpace,DriveLetter,FileSystem,VolumeName"
    CheckEqual "diskSizeInBytes", rec("diskSizeInBytes"), item("Size")
    CheckType "64-bit size delivered as text", rec("diskSizeInBytes"), "String"
    CheckEqual "FreeSpaceInBytes", rec("FreeSpaceInBytes"), item("FreeSpace")
    CheckEqual "DiskSize", rec("DiskSize"), SizeText(CDbl(item("Size")))
    CheckEqual "FreeSpace", rec("FreeSpace"), SizeText(CDbl(item("FreeSpace")))
    CheckEqual "PercentUsed", rec("PercentUsed"), FormatNumber((CDbl(item("Size")) - CDbl(item("FreeSpace"))) * 100 / CDbl(item("Size")), 1)
    CheckEqual "DriveLetter", rec("DriveLetter"), item("Caption")
    CheckEqual "FileSystem", rec("FileSystem"), item("FileSystem")
    CheckEqual "VolumeName", rec("VolumeName"), item("VolumeName")
  End If
Next
CheckEqual "drive count (floppy, CD and network drives left out)", result.Count, n
CheckEqual "E: in megabytes", result("3")("DiskSize"), "238.42 Mb"
CheckEqual "E: free in bytes", result("3")("FreeSpace"), "500b"
CheckEqual "a computer with a CD drive only", info.logicalDriveInfo("WEB2").Count, 0

Section "cpuInfo: processor records, names trimmed, values as delivered"
Set result = info.cpuInfo("WEB1")
CheckNoError "cpuInfo"
CheckEqual "processor count", result.Count, wmi("Win32_Processor").Count
For i = 0 To wmi("Win32_Processor").Count - 1
  Set item = wmi("Win32_Processor")(i)
  Set rec = result(CStr(i + 1))
  CheckKeys "processor", rec, "CPUName,ClockSpeed,Description,Manufacturer,DeviceID,L2CacheSize,Socket"
  CheckEqual "CPUName", rec("CPUName"), Trim(item("Name"))
  CheckEqual "ClockSpeed", rec("ClockSpeed"), item("CurrentClockSpeed")
  CheckType "ClockSpeed", rec("ClockSpeed"), "Long"
  CheckEqual "Description", rec("Description"), item("Description")
  CheckEqual "Manufacturer", rec("Manufacturer"), item("Manufacturer")
  CheckEqual "DeviceID", rec("DeviceID"), item("DeviceID")
  CheckEqual "L2CacheSize", rec("L2CacheSize"), item("L2CacheSize")
  CheckEqual "Socket", rec("Socket"), item("SocketDesignation")
Next
CheckTrue "a Null cache size stays Null", IsNull(info.cpuInfo("WEB2")("1")("L2CacheSize"))

' Universal time of the management service's text: the clock time less its offset.
Function UtcOf(text)
  Dim offset
  If InStr(text, "+***") > 0 Then
    UtcOf = DateSerial(CInt(Mid(text, 1, 4)), CInt(Mid(text, 5, 2)), CInt(Mid(text, 7, 2)))
    Exit Function
  End If
  offset = CInt(Mid(text, 23, 3))
  If Mid(text, 22, 1) = "+" Then offset = -offset
  UtcOf = TextDate(text) + offset / 1440
End Function

Section "osInfo: values as delivered, last boot in universal time, uptime"
Dim os, boot, minutes, parts
Set os = wmi("Win32_OperatingSystem")(0)
Set rec = info.osInfo("WEB1")
CheckNoError "osInfo"
CheckKeys "os record", rec, "BuildType,OperatingSystem,ServicePack,SerialNumber,OSLanguage,CurrentTimeZone,SPMajor,SPMinor,WindowsVersion,BuildNumber,LastBootRaw,LastBoot,Uptime"
CheckEqual "BuildType", rec("BuildType"), os("BuildType")
CheckEqual "OperatingSystem", rec("OperatingSystem"), os("Caption")
CheckEqual "ServicePack", rec("ServicePack"), os("CSDVersion")
CheckEqual "SerialNumber", rec("SerialNumber"), os("SerialNumber")
CheckEqual "OSLanguage", rec("OSLanguage"), os("OSLanguage")
CheckType "OSLanguage (unsigned 32-bit)", rec("OSLanguage"), "Long"
CheckEqual "CurrentTimeZone", rec("CurrentTimeZone"), os("CurrentTimeZone")
CheckType "CurrentTimeZone (signed 16-bit)", rec("CurrentTimeZone"), "Integer"
CheckEqual "SPMajor", rec("SPMajor"), os("ServicePackMajorVersion")
CheckEqual "SPMinor", rec("SPMinor"), os("ServicePackMinorVersion")
CheckEqual "WindowsVersion", rec("WindowsVersion"), os("Version")
CheckEqual "BuildNumber", rec("BuildNumber"), os("BuildNumber")
CheckEqual "LastBootRaw", rec("LastBootRaw"), os("LastBootUpTime")
CheckTrue "LastBoot", SameMoment(rec("LastBoot"), UtcOf(os("LastBootUpTime")))
CheckType "LastBoot", rec("LastBoot"), "Date"
boot = UtcOf(os("LastBootUpTime"))
minutes = Int(CDbl(Now) * 1440 + 0.000001) - Int(CDbl(boot) * 1440 + 0.000001)
parts = Split(rec("Uptime"), ",")
CheckEqual "Uptime has three parts: " & rec("Uptime"), UBound(parts), 2
CheckTrue "Uptime within a minute of " & minutes, Abs(CLng(parts(0)) * 1440 + CLng(parts(1)) * 60 + CLng(parts(2)) - minutes) <= 1
CheckTrue "Uptime hours and minutes in range", CLng(parts(1)) < 24 And CLng(parts(2)) < 60
Set rec = info.osInfo("WEB2")
CheckTrue "a time given as asterisks and +*** is midnight", SameMoment(rec("LastBoot"), DateSerial(2026, 2, 28))

Section "OsHotFixStatus: entries as delivered, Null kept"
Set result = info.OsHotFixStatus("WEB1")
CheckNoError "OsHotFixStatus"
CheckEqual "hotfix count", result.Count, wmi("Win32_QuickFixEngineering").Count
For i = 0 To wmi("Win32_QuickFixEngineering").Count - 1
  Set item = wmi("Win32_QuickFixEngineering")(i)
  Set rec = result(CStr(i + 1))
  CheckKeys "hotfix", rec, "Caption,Computer,Description,Comments,HotFixID,Date,InstalledBy,InstalledOn,Name,ServicePack,Status"
  CheckEqual "Caption", rec("Caption"), Prop(item, "Caption")
  CheckEqual "Computer", rec("Computer"), Prop(item, "CSName")
  CheckEqual "Description", rec("Description"), Prop(item, "Description")
  CheckEqual "Comments", rec("Comments"), Prop(item, "FixComments")
  CheckEqual "HotFixID", rec("HotFixID"), Prop(item, "HotFixID")
  CheckEqual "Date", rec("Date"), Prop(item, "InstallDate")
  CheckEqual "InstalledBy", rec("InstalledBy"), Prop(item, "InstalledBy")
  CheckEqual "InstalledOn", rec("InstalledOn"), Prop(item, "InstalledOn")
  CheckEqual "Name", rec("Name"), Prop(item, "Name")
  CheckEqual "ServicePack", rec("ServicePack"), Prop(item, "ServicePackInEffect")
  CheckEqual "Status", rec("Status"), Prop(item, "Status")
Next
CheckEqual "a computer without entries", info.OsHotFixStatus("WEB2").Count, 0

Function RoleText(role)
  Select Case role
    Case 0: RoleText = "Standalone Workstation"
    Case 1: RoleText = "Member Workstation"
    Case 2: RoleText = "Standalone Server"
    Case 3: RoleText = "Member Server"
    Case 4: RoleText = "Backup Domain Controller"
    Case 5: RoleText = "Primary Domain Controller"
    Case Else: RoleText = "Unknown Domain Role"
  End Select
End Function

Function OrBlank(value)
  If IsNull(value) Then
    OrBlank = ""
  Else
    OrBlank = value
  End If
End Function

' The summary of one computer against its fleet instances.
Sub CheckSummary(name)
  Dim c, cs, board, bios, r, memory, keys
  Set c = ComputerNamed(name)
  Set r = info.getInfo(name)
  CheckNoError "getInfo " & name
  keys = "MotherBoardProduct,MotherBoardManufacturer,MotherBoardVersion,BIOSDescription,BIOSReleaseDate,BIOSVersion,BIOSManufacturer,BIOSSerialNumber"
  Set board = Nothing
  Set bios = Nothing
  If c.Exists("wmi") Then
    If c("wmi").Exists("Win32_BaseBoard") Then Set board = c("wmi")("Win32_BaseBoard")(0)
    If c("wmi").Exists("Win32_BIOS") Then Set bios = c("wmi")("Win32_BIOS")(0)
    If c("wmi").Exists("Win32_ComputerSystem") Then
      Set cs = c("wmi")("Win32_ComputerSystem")(0)
      keys = "ComputerName,Status,SystemType,PhysicalMemory,DomainRole,ConsoleUser,ComputerManufacturer,ComputerModel,Domain,SystemInstallDate,CPUCount," & keys
      memory = Prop(cs, "TotalPhysicalMemory")
      If IsNull(memory) Then
        CheckEqual name & " PhysicalMemory", r("PhysicalMemory"), "mb"
      Else
        CheckEqual name & " PhysicalMemory", r("PhysicalMemory"), CStr(Fix(CDbl(memory) / 1024000)) & "mb"
      End If
      CheckEqual name & " ComputerName", r("ComputerName"), Prop(cs, "Name")
      CheckEqual name & " Status", r("Status"), Prop(cs, "Status")
      CheckEqual name & " SystemType", r("SystemType"), Prop(cs, "SystemType")
      CheckEqual name & " DomainRole", r("DomainRole"), RoleText(Prop(cs, "DomainRole"))
      CheckEqual name & " ConsoleUser", r("ConsoleUser"), Prop(cs, "UserName")
      CheckEqual name & " ComputerManufacturer", r("ComputerManufacturer"), Prop(cs, "Manufacturer")
      CheckEqual name & " ComputerModel", r("ComputerModel"), Prop(cs, "Model")
      CheckEqual name & " Domain", r("Domain"), Prop(cs, "Domain")
      CheckEqual name & " SystemInstallDate", r("SystemInstallDate"), Prop(cs, "InstallDate")
      CheckEqual name & " CPUCount", r("CPUCount"), Prop(cs, "NumberOfProcessors")
    End If
  End If
  CheckKeys name & " summary", r, keys
  If board Is Nothing Then
    CheckEqual name & " MotherBoardProduct", r("MotherBoardProduct"), ""
    CheckEqual name & " MotherBoardVersion", r("MotherBoardVersion"), ""
  Else
    CheckEqual name & " MotherBoardProduct", r("MotherBoardProduct"), OrBlank(Prop(board, "Product"))
    CheckEqual name & " MotherBoardManufacturer", r("MotherBoardManufacturer"), OrBlank(Prop(board, "Manufacturer"))
    CheckEqual name & " MotherBoardVersion", r("MotherBoardVersion"), OrBlank(Prop(board, "Version"))
  End If
  If bios Is Nothing Then
    CheckEqual name & " BIOSReleaseDate", r("BIOSReleaseDate"), ""
    CheckEqual name & " BIOSVersion", r("BIOSVersion"), ""
  Else
    CheckTrue name & " BIOSReleaseDate", SameMoment(r("BIOSReleaseDate"), UtcOf(Prop(bios, "ReleaseDate")))
    CheckEqual name & " BIOSDescription", r("BIOSDescription"), OrBlank(Prop(bios, "Description"))
    CheckEqual name & " BIOSVersion", r("BIOSVersion"), OrBlank(Prop(bios, "Version"))
    CheckEqual name & " BIOSManufacturer", r("BIOSManufacturer"), OrBlank(Prop(bios, "Manufacturer"))
    CheckEqual name & " BIOSSerialNumber", r("BIOSSerialNumber"), OrBlank(Prop(bios, "SerialNumber"))
  End If
End Sub

Section "getInfo: one record from the computer system, main board and BIOS"
CheckSummary "WEB1"
CheckSummary "WEB2"
CheckSummary "TS1"
CheckEqual "523mb for 536,281,088 bytes", info.getInfo("WEB1")("PhysicalMemory"), "523mb"

Section "ServerInfo on an unreachable computer: each method's own message"
Set result = info.getNicInfo("GHOST7")
CheckError "getNicInfo", &H800706BA, "Error retreiving NIC info for GHOST7: The RPC server is unavailable."
Set result = info.logicalDriveInfo("GHOST7")
CheckError "logicalDriveInfo", &H800706BA, "Error retreiving LogicalDriveInfo for GHOST7: The RPC server is unavailable."
Set result = info.cpuInfo("GHOST7")
CheckError "cpuInfo", &H800706BA, "Error retreiving CPU info for GHOST7: The RPC server is unavailable."
Set result = info.osInfo("GHOST7")
CheckError "osInfo", &H800706BA, "Error retreiving OS info for GHOST7: The RPC server is unavailable."
Set result = info.OsHotFixStatus("GHOST7")
CheckError "OsHotFixStatus", &H800706BA, "Error retreiving hotfix status for GHOST7: The RPC server is unavailable."
Set result = info.getInfo("GHOST7")
CheckError "getInfo", &H800706BA, "Unable to get computer info fror GHOST7: The RPC server is unavailable."

' The memory text of a working set: the runtime's text of bytes / 1024.
Function MemText(bytes)
  MemText = CStr(CDbl(bytes) / 1024) & " K"
End Function

Sub CheckProcess(what, r, p)
  CheckKeys what, r, "Caption,Started,Priority,id,Name,MemUsage,UserId"
  CheckEqual what & " Caption", r("Caption"), Prop(p, "Caption")
  CheckEqual what & " Started", r("Started"), Prop(p, "CreationDate")
  CheckEqual what & " Priority", r("Priority"), Prop(p, "Priority")
  CheckEqual what & " id", r("id"), p("ProcessId")
  CheckType what & " id", r("id"), "Long"
  CheckEqual what & " Name", r("Name"), p("Name")
  CheckEqual what & " MemUsage", r("MemUsage"), MemText(p("WorkingSetSize"))
  If p.Exists("owner") Then
    CheckEqual what & " UserId", r("UserId"), p("owner")(0)
  Else
    CheckEqual what & " UserId (GetOwner refused)", r("UserId"), ""
  End If
End Sub

Dim processes
Set processes = wmi("Win32_Process")

Section "EnumerateProcesses, getProcessDetails: seven fields, owners through GetOwner"
Dim proc
Set proc = CreateObject("Quorvane.process")
Set result = proc.EnumerateProcesses("WEB1")
CheckNoError "EnumerateProcesses"
CheckEqual "process count", result.Count, processes.Count
For i = 0 To processes.Count - 1
  CheckProcess "process " & (i + 1), result(CStr(i + 1)), processes(i)
Next
CheckEqual "1 MiB", result("12")("MemUsage"), "1024 K"
For i = 0 To processes.Count - 1
  Set rec = proc.getProcessDetails(processes(i)("ProcessId"), "WEB1")
  CheckProcess "details of " & processes(i)("ProcessId"), rec, processes(i)
Next
CheckNoError "getProcessDetails"
CheckEqual "a process that does not exist", proc.getProcessDetails(99999, "WEB1").Count, 0

Section "terminateProcess: ends what may end, reports a refusal with its return value"
proc.terminateProcess 3344, "WEB1"
CheckNoError "terminate backup.exe"
CheckEqual "backup.exe gone", proc.getProcessDetails(3344, "WEB1").Count, 0
CheckEqual "one process fewer", proc.EnumerateProcesses("WEB1").Count, processes.Count - 1
proc.terminateProcess 4, "WEB1"
CheckError "a refusal (return value 2) is reported", 5, "Unable to terminate process. Reason: 2: Terminate returned 2"
CheckEqual "System stays", proc.getProcessDetails(4, "WEB1").Count, 7
proc.terminateProcess 99999, "WEB1"
CheckNoError "no such process"
proc.terminateProcess 3344, "GHOST7"
CheckError "an unreachable computer", &H800706BA, "Unable to terminate process. Reason: : The RPC server is unavailable."
Set result = proc.EnumerateProcesses("GHOST7")
CheckError "EnumerateProcesses", &H800706BA, "Unable to get processes: The RPC server is unavailable."
Set result = proc.getProcessDetails(4, "GHOST7")
CheckError "getProcessDetails", &H800706BA, "Error getting process details: The RPC server is unavailable."

Finish
