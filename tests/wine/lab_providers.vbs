' The lab's providers used directly, as the platform's are used by scripts:
' WinNT: and IIS: objects (members in any case, Filter, Get, Put and
' SetInfo, operations and their refusals, backups) and the management
' service (query forms, lazily walked sets, methods, values as delivered).
' Binding failures reach the component with their codes (see the other
' tests); the prefix's own GetObject shows them all as a syntax error.
On Error Resume Next

Dim root, wg, pc, s, names, item, n, web1, m, v, loc, d, w, p, set1, outp, inp, i

Set web1 = ComputerNamed("WEB1")

Section "WinNT: workgroups, Filter, members in any case"
Set root = GetObject("WinNT:")
CheckNoError "bind WinNT:"
names = ""
For Each wg In root
  names = names & wg.Name & ","
  CheckEqual "workgroup class", wg.Class, "Domain"
Next
n = ""
For i = 0 To fleet("workgroups").Count - 1
  n = n & fleet("workgroups")(i)("name") & ","
Next
CheckEqual "workgroups", names, n
Set wg = GetObject("WinNT://corp")
n = 0
For Each item In wg
  n = n + 1
Next
CheckEqual "CORP holds its computers and its members", n, 5 + fleet("workgroups")(0)("members").Count
wg.Filter = Array("user", "Group")
names = ""
For Each item In wg
  names = names & item.Class & ":" & item.Name & ","
Next
CheckEqual "a class filter", names, "Group:Domain Admins,User:webmaster,"
Set pc = GetObject("WinNT://CORP/web1")
pc.Filter = Array("Service")
n = 0
For Each item In pc
  n = n + 1
  CheckEqual "service class", item.Class, "Service"
Next
CheckEqual "services of WEB1", n, web1("services").Count
d = pc.Filter
CheckEqual "the filter reads back", d(0), "Service"
Set s = pc.GetObject("service", "w3svc")
CheckEqual "child lookup in any case", s.Name, "W3SVC"
CheckEqual "ADsPath", s.ADsPath, "WinNT://CORP/WEB1/W3SVC"
CheckEqual "Parent", s.Parent, "WinNT://CORP/WEB1"
Set item = pc.GetObject("Service", "Nope")
CheckError "a missing child", &H80070424, "The specified service does not exist as an installed service."
CheckTrue "binding a missing service fails", Err.Number = 0
Set item = GetObject("WinNT://CORP/WEB1/Nope,Service")
CheckTrue "binding a missing service fails", Err.Number <> 0
Err.Clear

Section "WinNT: service properties, Get, Put and SetInfo"
Set s = GetObject("WinNT://CORP/WEB1/W3SVC,Service")
CheckEqual "member name in upper case", s.DISPLAYNAME, "World Wide Web Publishing Service"
CheckEqual "generic Get", s.Get("displayname"), s.DisplayName
CheckEqual "status", s.status, 4
CheckType "status", s.Status, "Long"
d = s.Dependencies
CheckTrue "several dependencies come as a list", IsArray(d)
CheckEqual "second dependency", d(1), "HTTP"
Set item = GetObject("WinNT://CORP/WEB1/Dnscache,Service")
CheckType "one dependency comes as a text", item.Dependencies, "String"
Set item = GetObject("WinNT://CORP/WEB1/HTTP,Service")
d = item.Dependencies
CheckError "no dependencies: the property is not there", &H8000500D, "The directory property cannot be found in the cache."
d = s.Colour
CheckError "a member the object lacks", 438, "Object doesn't support this property or method"
s.Put "StartType", 3
CheckEqual "a written value reads back before SetInfo", s.StartType, 3
CheckEqual "but is not committed", GetObject("WinNT://CORP/WEB1/W3SVC,Service").StartType, 2
s.GetInfo
CheckEqual "GetInfo drops it", s.StartType, 2
s.StartType = 3
s.SetInfo
CheckNoError "SetInfo"
CheckEqual "committed", GetObject("WinNT://CORP/WEB1/W3SVC,Service").StartType, 3
s.Put "Status", 1
s.SetInfo
CheckError "the state is not a property to write", &H80005006, "The specified directory property is not supported."
s.GetInfo
s.Put "StartType", "automatic"
CheckError "a value of the wrong kind", &H8000500C, "The directory datatype cannot be converted to/from a native DS datatype"

Section "WinNT: service operations and refusals"
s.Start
CheckError "start of a running service", &H80070420, "An instance of the service is already running."
Set item = GetObject("WinNT://CORP/WEB1/EventLog,Service")
item.Stop
CheckError "a service marked not to stop", &H80070425, "The service cannot accept control messages at this time."
Set item = GetObject("WinNT://CORP/WEB1/IISADMIN,Service")
item.Stop
CheckError "a service with running dependents", &H8007041B, "A stop control has been sent to a service that other running services are dependent on."
s.Pause
CheckEqual "pause", s.Status, 7
s.Continue
CheckEqual "continue", s.Status, 4
s.Stop
item.Stop
CheckError "a paused dependent counts as running", &H8007041B, "A stop control has been sent to a service that other running services are dependent on."
GetObject("WinNT://CORP/WEB1/SMTPSVC,Service").Stop
item.Stop
CheckNoError "stop in dependency order"
s.Start
CheckNoError "start starts what it depends on"
CheckEqual "IISADMIN started again", GetObject("WinNT://CORP/WEB1/IISADMIN,Service").Status, 4
Set item = GetObject("WinNT://CORP/WEB1/Alerter,Service")
item.Start
CheckError "a disabled service", &H80070422, "The service cannot be started, either because it is disabled or because it has no enabled devices associated with it."
Set item = GetObject("WinNT://CORP/WEB1/MSFTPSVC,Service")
item.StartType = 3
item.SetInfo
item.Start
CheckNoError "enabled, it starts"
GetObject("WinNT://CORP/WEB1/Spooler,Service").Pause
CheckError "pause of a stopped service", &H80070426, "The service has not been started."
Set item = GetObject("WinNT://CORP/WEB1")
item.Start
CheckError "a computer has no operations", 438, "Object doesn't support this property or method"

Section "IIS: sites, root, filters and bindings"
Set m = GetObject("IIS://web1/w3svc/1")
CheckEqual "site class", m.Class, "IIsWebServer"
CheckEqual "site name", m.Name, "1"
CheckEqual "description", m.ServerComment, "Default Web Site"
d = m.ServerBindings
CheckTrue "bindings are a list", IsArray(d)
CheckEqual "first binding", d(0), ":80:"
Set item = m.GetObject("IIsWebVirtualDir", "root")
CheckEqual "root path", item.Path, "D:\sites\default"
CheckEqual "generic Get of the path", item.Get("path"), "D:\sites\default"
names = ""
For Each v In item
  names = names & v.Class & ":" & v.Name & ","
Next
CheckEqual "root children", names, "IIsWebVirtualDir:docs,IIsWebDirectory:images,IIsWebVirtualDir:scripts,"
Set v = item.GetObject("IIsWebVirtualDir", "images")
CheckError "a plain directory is not a virtual one", &H80070003, "The system cannot find the path specified."
names = ""
For Each v In GetObject("IIS://WEB1/W3SVC")
  names = names & v.Class & ","
Next
CheckEqual "service node children", names, "IIsFilters,IIsWebInfo,IIsWebServer,IIsWebServer,IIsWebServer,IIsWebServer,IIsWebServer,"
names = ""
For Each v In GetObject("IIS://WEB1/W3SVC/1/Filters")
  names = names & v.Name & "=" & v.FilterState & ","
Next
CheckEqual "filters", names, "Compression=1,UrlScan=4,"
Set m = GetObject("IIS://WEB1/W3SVC/4")
m.Start
CheckError "a site on taken bindings", &H80070034, "You were not connected because a duplicate name exists on the network. If joining a domain, go to System in Control Panel to change the computer name and try again. If joining a workgroup, choose another workgroup name."
m.ServerBindings = Array(":8081:")
m.SetInfo
m.Start
CheckNoError "with bindings of its own it starts"
CheckEqual "started", m.ServerState, 2

Section "IIS: backups listed by reference to the end, made under the next version"
Set m = GetObject("IIS://WEB1")
For i = 0 To web1("web")("backups").Count - 1
  m.EnumBackups "", i, v, loc, d
  CheckNoError "EnumBackups " & i
  CheckEqual "location " & i, loc, web1("web")("backups")(i)("location")
  CheckEqual "version " & i, v, web1("web")("backups")(i)("version")
  CheckType "version", v, "Long"
  CheckTrue "date " & i, SameMoment(d, IsoDate(web1("web")("backups")(i)("date")))
  CheckType "date", d, "Date"
Next
m.EnumBackups "", i, v, loc, d
CheckError "past the last backup", &H80070103, "No more data is available."
m.EnumBackups "before PATCH", 1, v, loc, d
CheckEqual "by location, in any case", v, 1
m.Backup "lab test", -1, 2
m.Backup "lab test", &HFFFFFFFF, 2
CheckNoError "two backups under one name"
m.EnumBackups "lab test", 1, v, loc, d
CheckEqual "the second took the next version", v, 1
CheckTrue "made now", Abs(CDbl(d) - CDbl(Now)) < 300 / 86400
m.Backup "lab test", 0, 2
CheckError "an existing version", &H800700B7, "Cannot create a file when that file already exists."
m.Backup "lab:test", -1, 2
CheckError "a name the store refuses", &H80070057, "The parameter is incorrect."
m.DeleteBackup "lab test", 0
m.EnumBackups "lab test", 1, v, loc, d
CheckError "deleted", &H80070103, "No more data is available."

Section "management: sets in order, any letter case, values as delivered"
Set w = GetObject("winmgmts://web1")
CheckNoError "bind winmgmts://web1"
names = ""
For Each p In w.InstancesOf("win32_process")
  names = names & p.processid & ","
Next
n = ""
For i = 0 To web1("wmi")("Win32_Process").Count - 1
  n = n & web1("wmi")("Win32_Process")(i)("ProcessId") & ","
Next
CheckEqual "processes in the fleet's order", names, n
CheckEqual "Count", w.InstancesOf("Win32_Process").Count, web1("wmi")("Win32_Process").Count
For Each p In w.ExecQuery("select * from win32_process where name = 'NOTEPAD.EXE'")
  CheckEqual "a text compared in any case", p.PROCESSID, 3080
  CheckType "64-bit numbers come as text", p.WorkingSetSize, "String"
  CheckEqual "working set", p.WorkingSetSize, "1048576"
  CheckType "32-bit numbers as numbers", p.ProcessId, "Long"
  CheckEqual "path", p.Path_.Class, "Win32_Process"
Next
Function Listed(query)
  Dim item
  Listed = ""
  For Each item In w.ExecQuery(query)
    Listed = Listed & item.ProcessId & ","
  Next
End Function
CheckEqual "a range", Listed("SELECT ProcessId FROM Win32_Process WHERE ProcessId > 400 AND ProcessId <= 500"), "416,440,488,500,"
CheckEqual "negative numbers", Listed("Select * from Win32_Process where ProcessId > -1 and ProcessId < 5"), "0,4,"
CheckEqual "escapes", Listed("Select * from Win32_Process where CommandLine = 'c:\\windows\\system32\\inetsrv\\w3wp.exe -a \\\\.\\pipe\\iisipm -ap ""DefaultAppPool""'"), "2312,"
CheckEqual "an escaped quote", Listed("select * from Win32_Process where Name = 'it\'s'"), ""
CheckEqual "or, not and parentheses", Listed("select * from Win32_Process where (ProcessId = 4 or ProcessId = 368) and not Name = 'System'"), "368,"
n = 0
For Each p In w.ExecQuery("Select * from Win32_NetworkAdapterConfiguration Where IPEnabled = True")
  n = n + 1
Next
CheckEqual "the literal True", n, 2
For Each p In w.ExecQuery("Select Name from Win32_Process where ProcessId = 4")
  CheckEqual "a selected property", p.Name, "System"
  v = p.ProcessId
  CheckError "a property not selected", 438, "Object doesn't support this property or method"
Next
For Each p In w.ExecQuery("Select * from Win32_LogicalDisk where Size > 100000000000 and Size < 200000000000")
  CheckEqual "a 64-bit text compared as a number", p.DeviceID, "D:"
Next
Set set1 = w.ExecQuery("Select * from Win32_Nothing")
CheckError "an unknown class", &H80041010, "Invalid class"
Set set1 = w.ExecQuery("Select * from Win32_NTLogEvent where LogFile='System' and Recordnumber <= and Recordnumber >0")
CheckError "a bound left empty", &H80041017, "Invalid query"
Set set1 = w.ExecQuery("Select * from Win32_Process where Owner = 'x'")
CheckError "an unknown property", &H80041017, "Invalid query"
Set set1 = w.InstancesOf("Win32_Nothing")
CheckError "InstancesOf an unknown class", &H80041010, "Invalid class"
For Each p In w.ExecQuery("Select * from Win32_NTLogEvent where Logfile = 'System'")
  CheckEqual "the newest entry comes first", p.RecordNumber, 3000
  Exit For
Next
Set item = LocalComputer()
For Each p In GetObject("WinMgmts:").ExecQuery("SELECT Bias FROM win32_TimeZone")
  CheckEqual "WinMgmts: is the local computer", p.Bias, item("wmi")("Win32_TimeZone")(0)("Bias")
Next

Section "management: GetOwner and Terminate in both forms"
For Each p In w.ExecQuery("Select * from Win32_Process where ProcessId = 2312")
  CheckEqual "GetOwner", p.GetOwner(v, d), 0
  CheckEqual "user", v, "NETWORK SERVICE"
  CheckEqual "domain", d, "NT AUTHORITY"
  Set outp = p.ExecMethod_("GetOwner")
  CheckEqual "ExecMethod_ GetOwner", outp.ReturnValue, 0
  CheckEqual "its user", outp.User, "NETWORK SERVICE"
  CheckEqual "methods of a process", p.Methods_.Count, 2
  Set inp = p.Methods_.Item("Terminate").InParameters.SpawnInstance_()
  inp.Reason = 0
  Set outp = p.ExecMethod_("Terminate", inp)
  CheckEqual "Terminate through its parameters", outp.ReturnValue, 0
  Set outp = p.ExecMethod_("Terminate", inp)
  CheckError "a process that has gone", &H80041002, "Not found"
  Set outp = p.Methods_.Item("Nope")
  CheckError "a method it lacks", &H80041002, "Not found"
Next
CheckEqual "w3wp.exe ended", Listed("Select * from Win32_Process where ProcessId = 2312"), ""
For Each p In w.ExecQuery("Select * from Win32_Process where ProcessId = 0")
  CheckEqual "GetOwner refused", p.GetOwner(v, d), 2
  CheckEqual "Terminate refused", p.Terminate(0), 2
Next
For Each p In w.ExecQuery("Select * from Win32_Process where ProcessId = 3080")
  CheckEqual "Terminate called directly", p.Terminate(), 0
Next
CheckEqual "notepad.exe ended", Listed("Select * from Win32_Process where ProcessId = 3080"), ""
For Each p In w.ExecQuery("Select * from Win32_OperatingSystem")
  v = p.GetOwner(v, d)
  CheckError "other classes have no such method", 438, "Object doesn't support this property or method"
Next

Finish
