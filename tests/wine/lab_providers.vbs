' The lab's providers used directly, for what the component never asks of
' them: members in any case, a missing member, the property cache of Put,
' GetInfo and SetInfo, lists written back, backups made and deleted by name,
' and the management scripting forms (paths, ExecMethod_, in-parameters).
' What the providers answer the component is checked, through it, by the
' other lab tests, and their rules by the lab's model checks.
On Error Resume Next

Dim s, item, d, m, v, loc, w, p, outp, inp

Section "WinNT: members in any case, the property cache"
Set s = GetObject("WinNT://CORP/web1").GetObject("service", "w3svc")
CheckValues "child lookup in any case", "Name,ADsPath,Parent", Array(s.Name, s.ADsPath, s.Parent), _
            Array("W3SVC", "WinNT://CORP/WEB1/W3SVC", "WinNT://CORP/WEB1")
CheckEqual "member name in upper case", s.DISPLAYNAME, "World Wide Web Publishing Service"
CheckEqual "generic Get", s.Get("displayname"), s.DisplayName
d = s.Colour
CheckError "a member the object lacks", 438, "Object doesn't support this property or method"
Set item = GetObject("WinNT://CORP/WEB1/Nope,Service")
CheckTrue "binding a missing service fails", Err.Number <> 0
Err.Clear
s.Put "StartType", 3
CheckEqual "a written value reads back before SetInfo", s.StartType, 3
CheckEqual "but is not committed", GetObject("WinNT://CORP/WEB1/W3SVC,Service").StartType, 2
s.GetInfo
CheckEqual "GetInfo drops it", s.StartType, 2
s.StartType = 3
s.SetInfo
CheckNoError "SetInfo"
CheckEqual "committed", GetObject("WinNT://CORP/WEB1/W3SVC,Service").StartType, 3
s.Put "StartType", "automatic"
CheckError "a value of the wrong kind", &H8000500C, "The directory datatype cannot be converted to/from a native DS datatype"

Section "IIS: bindings written as a list; backups made and deleted by name"
Set m = GetObject("IIS://web1/w3svc/4")
m.ServerBindings = Array(":8081:")
m.SetInfo
m.Start
CheckNoError "with bindings of its own it starts"
d = m.ServerBindings
CheckValues "site 4", "ServerState,binding", Array(m.ServerState, d(0)), Array(2, ":8081:")
Set m = GetObject("IIS://WEB1")
m.Backup "lab test", -1, 2
m.EnumBackups "lab test", 0, v, loc, d
CheckNoError "a new backup"
CheckValues "the new backup", "location,version,types", Array(loc, v, TypeName(v) & " " & TypeName(d)), _
            Array("lab test", 0, "Long Date")
CheckTrue "made now", Abs(CDbl(d) - CDbl(Now)) < 300 / 86400
m.DeleteBackup "lab test", 0
m.EnumBackups "lab test", 0, v, loc, d
CheckError "deleted", &H80070103, "No more data is available."

Section "management: paths, methods through ExecMethod_, failures"
Set w = GetObject("winmgmts://web1")
For Each p In w.ExecQuery("select * from win32_process where name = 'w3wp.exe'")
  CheckValues "w3wp.exe", "ProcessId,class", Array(p.PROCESSID, p.Path_.Class), Array(2312, "Win32_Process")
  Set outp = p.ExecMethod_("GetOwner")
  CheckValues "ExecMethod_ GetOwner", "ReturnValue,User", Array(outp.ReturnValue, outp.User), Array(0, "NETWORK SERVICE")
  CheckEqual "methods of a process", p.Methods_.Count, 2
  Set inp = p.Methods_.Item("Terminate").InParameters.SpawnInstance_()
  inp.Reason = 0
  CheckEqual "Terminate through its parameters", p.ExecMethod_("Terminate", inp).ReturnValue, 0
  Set outp = p.ExecMethod_("Terminate", inp)
  CheckError "a process that has gone", &H80041002, "Not found"
Next
CheckEqual "w3wp.exe ended", w.ExecQuery("Select * from Win32_Process where ProcessId = 2312").Count, 0
Set p = w.ExecQuery("Select * from Win32_Nothing")
CheckError "an unknown class", &H80041010, "Invalid class"
Set p = w.ExecQuery("Select * from Win32_Process where Owner = 'x'")
CheckError "an unknown property", &H80041017, "Invalid query"

Section "management: Security-log entries only with the Security privilege enabled"
For Each p In w.ExecQuery("Select * from Win32_NTLogEvent where LogFile='Security'")
  Exit For
Next
' (An error of the walk itself reaches the script with its number only.)
CheckTrue "without the privilege: error " & Hex(Err.Number), Err.Number = &H80041003
Err.Clear
CheckEqual "the log files are listed without it", w.ExecQuery("Select * from Win32_NTEventLogFile where LogfileName='Security'").Count, 1
Set w = GetObject("winmgmts:{impersonationLevel=impersonate,(Security)}!//web1")
For Each p In w.ExecQuery("Select * from Win32_NTLogEvent where LogFile='Security'")
  CheckEqual "with it", p.Logfile, "Security"
  Exit For
Next
CheckNoError "Security entries read"

Finish
