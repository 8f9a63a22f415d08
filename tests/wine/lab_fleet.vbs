' Quorvane.Fleet against the lab: Run on a member of every class that takes
' a computer, each record against the direct call (its result, or its
' number and description), the four forms of the computer list, the bounds
' of Timeout and Parallel, refused members and duplicates, and a host that
' never answers.
On Error Resume Next

Dim runner, runs, run, hosts, records, rec, host, direct, directNumber, directDescription, i, list, started

Set runner = CreateObject("Quorvane.Fleet")

' The member called directly, as a script calls it.
Function DirectCall(className, memberName, host, arg)
  Dim o, parts
  Set DirectCall = Nothing
  Select Case className
  Case "Services"
    Set o = CreateObject("Quorvane.Services")
    parts = Split(host, "/")
    o.setWorkgroup = parts(0) : o.setComputerName = parts(1)
    Set DirectCall = o.getService(arg)
  Case "iis"
    Set o = CreateObject("Quorvane.iis")
    parts = Split(host, "/")
    o.setWorkgroup = parts(0) : o.setComputerName = parts(1)
    Set DirectCall = o.getSites()
  Case "IisSite" : Set DirectCall = CreateObject("Quorvane.IisSite").getSiteById(host, arg)
  Case "ServerInfo" : Set DirectCall = CreateObject("Quorvane.ServerInfo").getInfo(host)
  Case "process" : Set DirectCall = CreateObject("Quorvane.process").getProcessDetails(arg, host)
  Case "EventLog" : DirectCall = CreateObject("Quorvane.EventLog").numberOfEvents(host, arg)
  Case "TerminalServices" : Set DirectCall = CreateObject("Quorvane.TerminalServices").getLogonUsers(host)
  Case "Tools" : DirectCall = CreateObject("Quorvane.Tools").tryConnection(arg, host)
  End Select
End Function

' Values alike: collections item by item, sites by their fields, plain
' values by type and value.
Function Same(a, b)
  Dim k
  Same = False
  If IsObject(a) <> IsObject(b) Then Exit Function
  If Not IsObject(a) Then
    Same = (TypeName(a) = TypeName(b))
    If Same Then Same = (a = b) Or (IsNull(a) And IsNull(b))
    Exit Function
  End If
  If TypeName(a) <> TypeName(b) Then Exit Function
  If TypeName(a) = "_IisSite" Then
    Same = a.sitename = b.sitename And a.id = b.id And a.stateString = b.stateString And a.path = b.path
    Exit Function
  End If
  If a.Count <> b.Count Then Exit Function
  For k = 1 To a.Count
    If Not Same(a(k), b(k)) Then Exit Function
  Next
  Same = True
End Function

Section "Run on a member of each class: every record as the direct call gives it"
' class, member, computers, the other argument
runs = Array( _
  Array("Services", "getService", "CORP/WEB1 CORP/DB1 CORP/GHOST7 CORP/NOWHERE", "W3SVC"), _
  Array("iis", "getSites", "CORP/WEB1,CORP/WEB2,CORP/DB1", Empty), _
  Array("IisSite", "getSiteById", "WEB1 WEB2 GHOST7", 1), _
  Array("ServerInfo", "getInfo", "WEB1 DB1 GHOST7", Empty), _
  Array("process", "getProcessDetails", "LABHOST WEB1 GHOST7", 4), _
  Array("EventLog", "numberOfEvents", "WEB1 DB1 GHOST7", "System"), _
  Array("TerminalServices", "getLogonUsers", "TS1 WEB1 GHOST7", Empty), _
  Array("Tools", "tryConnection", "WEB1 GHOST7", "CORP"))
For Each run In runs
  If IsEmpty(run(3)) Then
    Set records = runner.Run("Quorvane." & run(0), run(1), run(2))
  Else
    Set records = runner.Run(run(0), run(1), run(2), run(3))
  End If
  CheckNoError run(0) & "." & run(1) & " through Run"
  hosts = Split(Replace(run(2), ",", " "), " ")
  CheckEqual run(0) & " record count", records.Count, UBound(hosts) + 1
  For i = 0 To UBound(hosts)
    host = hosts(i)
    Err.Clear
    If run(0) = "EventLog" Or run(0) = "Tools" Then
      direct = DirectCall(run(0), run(1), host, run(3))
    Else
      Set direct = DirectCall(run(0), run(1), host, run(3))
    End If
    directNumber = Err.Number : directDescription = Err.Description
    Err.Clear
    Set rec = records(host)
    CheckEqual run(0) & " " & host & ": in input order", records(i + 1)("Computer"), host
    CheckEqual run(0) & " " & host & ": Ok", rec("Ok"), directNumber = 0
    CheckEqual run(0) & " " & host & ": Number", rec("Number"), directNumber
    CheckEqual run(0) & " " & host & ": Description", rec("Description"), directDescription
    CheckType run(0) & " " & host & ": Seconds", rec("Seconds"), "Double"
    If directNumber = 0 Then CheckTrue run(0) & " " & host & ": the direct call's result", Same(rec("Result"), direct)
  Next
Next
CheckEqual "an unreachable host fails in the lab", runner.Run("ServerInfo", "osInfo", "GHOST7")(1)("Ok"), False

Section "computers as an array, a collection of the component and a text"
Set list = CreateObject("Quorvane.Services")
list.setWorkgroup = "EMPTY"
Set list = list.getComputers()
list.Add "WEB1" : list.Add "DB1"
For Each hosts In Array(Array("WEB1", "DB1"), list, "  WEB1 ,, DB1  ")
  Set records = runner.Run("ServerInfo", "osInfo", hosts)
  CheckNoError "Run over " & TypeName(hosts)
  CheckEqual TypeName(hosts) & ": count", records.Count, 2
  CheckEqual TypeName(hosts) & ": second", records(2)("Computer"), "DB1"
  CheckEqual TypeName(hosts) & ": result", records("web1")("Result")("OperatingSystem"), _
             CreateObject("Quorvane.ServerInfo").osInfo("WEB1")("OperatingSystem")
Next
CheckEqual "an empty text: no records", runner.Run("ServerInfo", "osInfo", "").Count, 0

Section "Timeout and Parallel: defaults, bounds, refusals leave the value"
CheckEqual "Timeout default", runner.Timeout, 30
CheckEqual "Parallel default", runner.Parallel, 8
runner.Timeout = 0 : CheckNoError "Timeout 0" : CheckEqual "Timeout 0 kept", runner.Timeout, 0
runner.Parallel = 64 : runner.Parallel = 1 : CheckNoError "Parallel 64 and 1"
runner.Timeout = -1 : CheckEqual "Timeout -1 refused", Err.Number, 5 : Err.Clear
runner.Parallel = 0 : CheckEqual "Parallel 0 refused", Err.Number, 5 : Err.Clear
runner.Parallel = 65 : CheckEqual "Parallel 65 refused", Err.Number, 5 : Err.Clear
CheckEqual "values after refusals", runner.Timeout & " " & runner.Parallel, "0 1"
runner.Timeout = 0.5 : CheckNoError "Timeout 0.5" : CheckEqual "a fraction kept", runner.Timeout, 0.5
' Each refused naming Timeout, the value kept: Empty would otherwise read as 0, no bound.
For Each run In Array(Array(Empty, 13), Array(Null, 13), Array("abc", 13), Array(-0.5, 5), Array(86401, 5))
  runner.Timeout = run(0)
  CheckEqual "Timeout " & Show(run(0)) & " refused", Err.Number, run(1)
  CheckEqual "Timeout " & Show(run(0)) & " names Timeout once", _
             Left(Err.Description, 9) & InStr(10, Err.Description, "Timeout"), "Timeout: 0"
  Err.Clear
Next
runner.Parallel = "abc"
CheckEqual "Parallel abc refused", Err.Number & " " & Err.Description, "13 Parallel: ""abc"" is not a number"
Err.Clear
runner.Parallel = Empty : CheckEqual "Parallel Empty refused", Err.Number, 13 : Err.Clear
CheckEqual "values after these refusals", runner.Timeout & " " & runner.Parallel, "0.5 1"
runner.Timeout = 30 : runner.Parallel = 8

Section "refused runs: duplicates, members without a computer, unknown names"
Set records = Nothing
Set records = runner.Run("ServerInfo", "osInfo", "WEB1 DB1 web1")
CheckEqual "a computer named twice", Err.Number, 457 : Err.Clear
CheckTrue "no records for a duplicate", records Is Nothing
For Each run In Array(Array("Util", "Val"), Array("Tools", "ServiceIsRunning"), Array("Tools", "message"), _
                      Array("IisSite", "sitename"), Array("Nowhere", "osInfo"), Array("ServerInfo", "nothing"))
  runner.Run run(0), run(1), "WEB1", "x"
  CheckEqual run(0) & "." & run(1) & " refused", Err.Number, 5 : Err.Clear
Next
runner.Run "process", "getProcessDetails", "WEB1"
CheckEqual "an argument missing", Err.Number, 5 : Err.Clear

Section "lists read as scripts write them; plain values only cross to the workers"
Set records = runner.Run("ServerInfo", "osInfo", Array(" WEB1 ", "DB1" & vbTab))
CheckNoError "array entries trimmed"
CheckEqual "trimmed keys", records(1)("Computer") & "," & records(2)("Computer"), "WEB1,DB1"
runner.Run "ServerInfo", "osInfo", Array("WEB1", " WEB1 ")
CheckEqual "a name twice after trimming", Err.Number & " " & Err.Description, "457 Run: WEB1 is named more than once"
Err.Clear
runner.Run "ServerInfo", "osInfo", Array("WEB1", Null)
CheckEqual "a Null entry", Err.Number & " " & Err.Description, "94 Run: a computer in the list is Null"
Err.Clear
runner.Run Null, "osInfo", "WEB1"
CheckEqual "a Null class names Run once", Err.Number & " " & Err.Description, "94 Run: Invalid use of Null"
Err.Clear
runner.Run "EventLog", "numberOfEvents", "WEB1", Array("System", Array(list))
CheckEqual "a collection deep in an argument", Err.Number, 13
CheckEqual "refused naming Run once", Left(Err.Description, 5) & InStr(6, Err.Description, "Run:"), "Run: 0"
Err.Clear
runner.Run "EventLog", "numberOfEvents", "WEB1", list
CheckEqual "a collection as an argument", Err.Number, 13 : Err.Clear

Section "a host that never answers: its record after the bound, the others as usual"
Dim labProcess, took
Set labProcess = CreateObject("WScript.Shell").Environment("PROCESS")
runner.Timeout = 0.5 : runner.Parallel = 8
started = Timer
Set records = runner.Run("ServerInfo", "osInfo", "HUNG1 WEB1")
took = Timer - started
CheckNoError "Run with a hung host"
CheckTrue "returns at the half-second bound: " & took, took >= 0.45 And took < 1.5
CheckEqual "hung: Ok", records("HUNG1")("Ok"), False
CheckEqual "hung: Number", records("HUNG1")("Number"), &H800705B4
CheckEqual "hung: Description", records("HUNG1")("Description"), "osInfo on HUNG1 did not answer within 0.5 s"
CheckTrue "hung: Result Empty", IsEmpty(records("HUNG1")("Result"))
CheckEqual "the other host answered", records("WEB1")("Ok"), True
CheckEqual "the lab holds one caller", labProcess("QV_LAB_STUCK_CALLERS"), "1"

' While that call is out the host is not called again: at once, no new thread.
runner.Timeout = 5
started = Timer
For i = 1 To 20
  Set records = runner.Run("ServerInfo", "osInfo", "HUNG1, WEB1")
Next
took = Timer - started
CheckTrue "20 runs over the hung host return at once: " & took, took < 3
CheckEqual "hung again: Number", records("HUNG1")("Number"), &H800705B4
CheckEqual "hung again: Description", records("HUNG1")("Description"), _
           "osInfo on HUNG1 was not called: an earlier call to it has not come back"
CheckEqual "the other host still answers", records("WEB1")("Ok"), True
CheckEqual "still one caller held by the lab", labProcess("QV_LAB_STUCK_CALLERS"), "1"

Finish
