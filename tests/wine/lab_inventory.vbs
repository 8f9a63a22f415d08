' ServerInfo and process against the lab's management service: values as
' delivered (64-bit numbers as text, Null kept), sizes as text, dates, the
' computer summary, and processes with their owners and their ending.
On Error Resume Next

Dim info, result, rec, i, n, web1, wmi, item, os, boot, minutes, pair, parts, proc, processes, list, j

Set info = CreateObject("Quorvane.ServerInfo")
Set web1 = ComputerNamed("WEB1")
Set wmi = web1("wmi")

Section "getNicInfo: IP-enabled adapters keyed by index, address lists"
Set result = info.getNicInfo("WEB1")
CheckNoError "getNicInfo"
n = 0
For Each item In wmi("Win32_NetworkAdapterConfiguration").Items
  If item("IPEnabled") Then
    n = n + 1
    Set rec = result(CStr(item("Index")))
    CheckKeys "adapter " & item("Index"), rec, "NICName,MACAddress,DNSHostName,DNSDomain,StaticIP,SubNet,GateWay"
    CheckFields "adapter " & item("Index"), rec, item, "NICName=Description,MACAddress,DNSHostName,DNSDomain"
    CheckEqual "position " & n & " is the adapter delivered " & n & "th", result(n)("MACAddress"), item("MACAddress")
    ' Address lists keyed from "0"; a list the service leaves Null is empty.
    For Each pair In Array("StaticIP=IPAddress", "SubNet=IPSubnet", "GateWay=DefaultIPGateway")
      parts = Split(pair, "=")
      Set list = CreateObject("Scripting.Dictionary")
      If IsObject(item(parts(1))) Then Set list = item(parts(1))
      CheckEqual parts(0) & " count", rec(parts(0)).Count, list.Count
      For j = 0 To list.Count - 1
        CheckEqual parts(0) & " item " & j, rec(parts(0))(CStr(j)), list(j)
      Next
    Next
  End If
Next
CheckEqual "adapter count", result.Count, n
CheckEqual "a computer without adapters", info.getNicInfo("WEB2").Count, 0

Section "logicalDriveInfo: fixed disks only, sizes delivered as text"
' The readable sizes and the percentage used of WEB1's fixed disks, worked
' out by hand from the fleet.
Dim readable
readable = Array(Array("40.00 Gb", "16.00 Gb", "60.0"), Array("100.00 Gb", "75.00 Gb", "25.0"), Array("238.42 Mb", "500b", "100.0"))
Set result = info.logicalDriveInfo("WEB1")
CheckNoError "logicalDriveInfo"
n = 0
For Each item In wmi("Win32_LogicalDisk").Items
  If Member(item, "MediaType", Null) = 12 Then
    n = n + 1
    Set rec = result(CStr(n))
    CheckKeys "drive " & item("Caption"), rec, "DiskSize,diskSizeInBytes,PercentUsed,FreeSpaceInBytes,FreeSpace,DriveLetter,FileSystem,VolumeName"
    CheckFields "drive " & item("Caption"), rec, item, "diskSizeInBytes=Size,FreeSpaceInBytes=FreeSpace,DriveLetter=Caption,FileSystem,VolumeName"
    CheckType "64-bit size delivered as text", rec("diskSizeInBytes"), "String"
    CheckNamed "drive " & item("Caption"), rec, "DiskSize,FreeSpace,PercentUsed", readable(n - 1)
  End If
Next
CheckEqual "drive count (floppy, CD and network drives left out)", result.Count, n
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
  CheckFields "processor " & i, rec, item, "ClockSpeed=CurrentClockSpeed,Description,Manufacturer,DeviceID,L2CacheSize,Socket=SocketDesignation"
  CheckType "ClockSpeed", rec("ClockSpeed"), "Long"
Next
CheckTrue "a Null cache size stays Null", IsNull(info.cpuInfo("WEB2")("1")("L2CacheSize"))

Section "osInfo: values as delivered, last boot in universal time, uptime"
Set os = wmi("Win32_OperatingSystem")(0)
Set rec = info.osInfo("WEB1")
CheckNoError "osInfo"
CheckKeys "os record", rec, "BuildType,OperatingSystem,ServicePack,SerialNumber,OSLanguage,CurrentTimeZone,SPMajor,SPMinor,WindowsVersion,BuildNumber,LastBootRaw,LastBoot,Uptime"
CheckFields "os", rec, os, "BuildType,OperatingSystem=Caption,ServicePack=CSDVersion,SerialNumber,OSLanguage,CurrentTimeZone," & _
            "SPMajor=ServicePackMajorVersion,SPMinor=ServicePackMinorVersion,WindowsVersion=Version,BuildNumber,LastBootRaw=LastBootUpTime"
CheckTypes "os", rec, "OSLanguage:Long,CurrentTimeZone:Integer,LastBoot:Date"
' 20260301080000.500000+060 in universal time.
boot = DateSerial(2026, 3, 1) + TimeSerial(7, 0, 0)
CheckTrue "LastBoot", SameMoment(rec("LastBoot"), boot)
minutes = Int(CDbl(Now) * 1440 + 0.000001) - Int(CDbl(boot) * 1440 + 0.000001)
parts = Split(rec("Uptime"), ",")
CheckEqual "Uptime has three parts: " & rec("Uptime"), UBound(parts), 2
CheckTrue "Uptime within a minute of " & minutes, Abs(CLng(parts(0)) * 1440 + CLng(parts(1)) * 60 + CLng(parts(2)) - minutes) <= 1
CheckTrue "Uptime hours and minutes in range", CLng(parts(1)) < 24 And CLng(parts(2)) < 60
CheckTrue "a time given as asterisks and +*** is midnight", SameMoment(info.osInfo("WEB2")("LastBoot"), DateSerial(2026, 2, 28))

Section "OsHotFixStatus: entries as delivered, Null kept"
Set result = info.OsHotFixStatus("WEB1")
CheckNoError "OsHotFixStatus"
CheckEqual "hotfix count", result.Count, wmi("Win32_QuickFixEngineering").Count
For i = 0 To wmi("Win32_QuickFixEngineering").Count - 1
  CheckKeys "hotfix " & i, result(CStr(i + 1)), "Caption,Computer,Description,Comments,HotFixID,Date,InstalledBy,InstalledOn,Name,ServicePack,Status"
  CheckFields "hotfix " & i, result(CStr(i + 1)), wmi("Win32_QuickFixEngineering")(i), "Caption,Computer=CSName,Description," & _
              "Comments=FixComments,HotFixID,Date=InstallDate,InstalledBy,InstalledOn,Name,ServicePack=ServicePackInEffect,Status"
Next
CheckEqual "a computer without entries", info.OsHotFixStatus("WEB2").Count, 0

' The summary of one computer against its fleet instances: the computer
' system's fields where the service has the class, then main board and BIOS
' texts, blank where the service has no instance or value.
Sub CheckSummary(name, role)
  On Error Resume Next
  Dim c, r, keys, cs, bios, memory
  Set c = Member(ComputerNamed(name), "wmi", CreateObject("Scripting.Dictionary"))
  Set r = info.getInfo(name)
  CheckNoError "getInfo " & name
  keys = "MotherBoardProduct,MotherBoardManufacturer,MotherBoardVersion,BIOSDescription,BIOSReleaseDate,BIOSVersion,BIOSManufacturer,BIOSSerialNumber"
  If c.Exists("Win32_ComputerSystem") Then
    Set cs = c("Win32_ComputerSystem")(0)
    keys = "ComputerName,Status,SystemType,PhysicalMemory,DomainRole,ConsoleUser,ComputerManufacturer,ComputerModel,Domain,SystemInstallDate,CPUCount," & keys
    memory = "mb"
    If Not IsNull(cs("TotalPhysicalMemory")) Then memory = CStr(Fix(CDbl(cs("TotalPhysicalMemory")) / 1024000)) & "mb"
    CheckEqual name & " PhysicalMemory", r("PhysicalMemory"), memory
    CheckEqual name & " DomainRole " & cs("DomainRole"), r("DomainRole"), role
    CheckFields name, r, cs, "ComputerName=Name,Status,SystemType,ConsoleUser=UserName,ComputerManufacturer=Manufacturer," & _
                "ComputerModel=Model,Domain,SystemInstallDate=InstallDate,CPUCount=NumberOfProcessors"
  End If
  CheckKeys name & " summary", r, keys
  Set cs = CreateObject("Scripting.Dictionary")
  If c.Exists("Win32_BaseBoard") Then Set cs = c("Win32_BaseBoard")(0)
  CheckFields name, r, cs, "MotherBoardProduct=?Product,MotherBoardManufacturer=?Manufacturer,MotherBoardVersion=?Version"
  Set bios = CreateObject("Scripting.Dictionary")
  If c.Exists("Win32_BIOS") Then Set bios = c("Win32_BIOS")(0)
  CheckFields name, r, bios, "BIOSDescription=?Description,BIOSVersion=?Version,BIOSManufacturer=?Manufacturer,BIOSSerialNumber=?SerialNumber"
  If bios.Exists("ReleaseDate") Then ' written with the offset +000
    CheckTrue name & " BIOSReleaseDate", SameMoment(r("BIOSReleaseDate"), TextDate(bios("ReleaseDate")))
  Else
    CheckEqual name & " BIOSReleaseDate", r("BIOSReleaseDate"), ""
  End If
  CheckNoError name & " summary read"
End Sub

Section "getInfo: one record from the computer system, main board and BIOS"
CheckSummary "WEB1", "Member Server"
CheckSummary "WEB2", "Unknown Domain Role"
CheckSummary "TS1", ""
CheckEqual "523mb for 536,281,088 bytes", info.getInfo("WEB1")("PhysicalMemory"), "523mb"

Section "ServerInfo on an unreachable computer: each method's own message"
For Each pair In Array("getNicInfo:Error retreiving NIC info for", "logicalDriveInfo:Error retreiving LogicalDriveInfo for", _
                        "cpuInfo:Error retreiving CPU info for", "osInfo:Error retreiving OS info for", _
                        "OsHotFixStatus:Error retreiving hotfix status for", "getInfo:Unable to get computer info fror")
  parts = Split(pair, ":")
  Select Case parts(0)
    Case "getNicInfo": Set result = info.getNicInfo("GHOST7")
    Case "logicalDriveInfo": Set result = info.logicalDriveInfo("GHOST7")
    Case "cpuInfo": Set result = info.cpuInfo("GHOST7")
    Case "osInfo": Set result = info.osInfo("GHOST7")
    Case "OsHotFixStatus": Set result = info.OsHotFixStatus("GHOST7")
    Case "getInfo": Set result = info.getInfo("GHOST7")
  End Select
  CheckError parts(0), &H800706BA, parts(1) & " GHOST7: The RPC server is unavailable."
Next

Section "EnumerateProcesses, getProcessDetails: seven fields, owners through GetOwner"
Set proc = CreateObject("Quorvane.process")
Set processes = wmi("Win32_Process")
Set result = proc.EnumerateProcesses("WEB1")
CheckNoError "EnumerateProcesses"
CheckEqual "process count", result.Count, processes.Count
For i = 0 To processes.Count - 1
  Set item = processes(i)
  For Each rec In Array(result(CStr(i + 1)), proc.getProcessDetails(item("ProcessId"), "WEB1"))
    CheckKeys "process " & item("ProcessId"), rec, "Caption,Started,Priority,id,Name,MemUsage,UserId"
    CheckFields "process " & item("ProcessId"), rec, item, "Caption,Started=CreationDate,Priority,id=ProcessId,Name"
    CheckType "id", rec("id"), "Long"
    CheckEqual "MemUsage", rec("MemUsage"), CStr(CDbl(item("WorkingSetSize")) / 1024) & " K"
    If item.Exists("owner") Then
      CheckEqual "UserId", rec("UserId"), item("owner")(0)
    Else
      CheckEqual "UserId (GetOwner refused)", rec("UserId"), ""
    End If
  Next
Next
CheckNoError "getProcessDetails"
CheckEqual "1 MiB", result("12")("MemUsage"), "1024 K"
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
