' Services and Tools against the lab: browsing, listing, sorting, details,
' control (with the refusals the lab's services make) and the utilities.
On Error Resume Next

Dim svc, result, rec, i, list, expected, web1, services, s, deps, names

Function NewServices(workgroup, computer)
  Set NewServices = CreateObject("Quorvane.Services")
  NewServices.setWorkgroup = workgroup
  NewServices.setComputerName = computer
End Function

' Status of one service as the product reads it now.
Function StatusOf(svc, name)
  StatusOf = svc.getService(name)("Status")
End Function

Section "getWorkgroups: every workgroup of the fleet, in order"
Set svc = CreateObject("Quorvane.Services")
Set result = svc.getWorkgroups()
CheckNoError "getWorkgroups"
CheckEqual "workgroup count", result.Count, fleet("workgroups").Count
For i = 0 To fleet("workgroups").Count - 1
  CheckKeys "workgroup record", result(CStr(i + 1)), "Workgroup"
  CheckEqual "workgroup " & (i + 1), result(i + 1)("Workgroup"), fleet("workgroups")(i)("name")
  CheckType "workgroup name", result(i + 1)("workgroup"), "String"
Next

Section "getComputers: the workgroup's computers only, in order; a missing workgroup fails unchanged"
Set svc = NewServices("CORP", "")
Set result = svc.getComputers()
CheckNoError "getComputers"
names = ""
For i = 0 To fleet("computers").Count - 1
  If fleet("computers")(i)("workgroup") = "CORP" Then names = names & fleet("computers")(i)("name") & ","
Next
expected = ""
i = 0
For Each rec In result
  i = i + 1
  CheckKeys "computer record", rec, "Computer"
  expected = expected & rec("Computer") & ","
  CheckEqual "position key " & i, result(CStr(i))("Computer"), rec("Computer")
Next
CheckEqual "computers of CORP (users and groups filtered out)", expected, names
svc.setWorkgroup = "EMPTY"
CheckEqual "a workgroup without computers", svc.getComputers().Count, 0
svc.setWorkgroup = "NOWHERE"
Set result = svc.getComputers()
CheckError "getComputers of a missing workgroup", &H8007054B, "The specified domain either does not exist or could not be contacted."

Set web1 = ComputerNamed("WEB1")
Set services = web1("services")

Section "process: five text fields per service, in the provider's order"
Set svc = NewServices("CORP", "WEB1")
Set result = svc.process()
CheckNoError "process"
CheckEqual "service count", result.Count, services.Count
For i = 0 To services.Count - 1
  Set rec = result(i + 1)
  Set s = services(i)
  CheckKeys "summary record", rec, "Name,DisplayName,Status,ServiceType,StartType"
  CheckEqual "Name " & i, rec("Name"), s("Name")
  CheckEqual "DisplayName " & s("Name"), rec("DisplayName"), s("DisplayName")
  CheckEqual "Status " & s("Name"), rec("Status"), CStr(s("Status"))
  CheckEqual "ServiceType " & s("Name"), rec("ServiceType"), CStr(s("ServiceType"))
  CheckEqual "StartType " & s("Name"), rec("StartType"), CStr(s("StartType"))
  CheckType "Status is text", rec("Status"), "String"
Next
svc.setComputerName = "GHOST7"
Set result = svc.process()
CheckError "process on an unreachable computer", &H80070035, "The network path was not found."

' The fleet's services ordered stably by one summary field, compared as text.
Function SortedNames(field)
  Dim order, n, a, b, t, k
  n = services.Count
  ReDim order(n - 1)
  For a = 0 To n - 1
    order(a) = a
  Next
  For a = 1 To n - 1
    t = order(a)
    b = a - 1
    Do While b >= 0
      If StrComp(CStr(FieldOf(services(order(b)), field)), CStr(FieldOf(services(t), field)), 1) <= 0 Then Exit Do
      order(b + 1) = order(b)
      b = b - 1
    Loop
    order(b + 1) = t
  Next
  SortedNames = ""
  For k = 0 To n - 1
    SortedNames = SortedNames & services(order(k))("Name") & ","
  Next
End Function

' A field of a fleet entry, its name in any case.
Function FieldOf(entry, field)
  Dim k
  For Each k In entry.Keys
    If LCase(k) = LCase(field) Then FieldOf = entry(k)
  Next
End Function

Function ListedNames(result)
  Dim r
  ListedNames = ""
  For Each r In result
    ListedNames = ListedNames & r("Name") & ","
  Next
End Function

Section "servicesSorted: stable text order by any summary field, key in any case"
Set svc = NewServices("CORP", "WEB1")
For Each s In Array("DisplayName", "displayname", "Status", "StartType", "ServiceType", "Name")
  Set result = svc.servicesSorted(s)
  CheckNoError "servicesSorted " & s
  CheckEqual "order by " & s, ListedNames(result), SortedNames(s)
  CheckEqual "position keys by " & s, result("1")("Name"), result(1)("Name")
Next
Set result = svc.servicesSorted("Colour")
CheckTrue "a sort key that is no field fails", Err.Number <> 0
Err.Clear

Section "getService: nine fields with numbers, texts and the dependency list"
Set svc = NewServices("CORP", "WEB1")
For i = 0 To services.Count - 1
  Set s = services(i)
  If s("Name") <> "Netlogon" Then
    Set rec = svc.getService(LCase(s("Name")))
    CheckNoError "getService " & s("Name")
    CheckKeys "detail " & s("Name"), rec, "Status,Name,DisplayName,Path,ServiceAccountName,StartType,ServiceType,ErrorControl,Dependencies"
    CheckEqual "Status " & s("Name"), rec("Status"), s("Status")
    CheckType "Status", rec("Status"), "Long"
    CheckType "StartType", rec("StartType"), "Long"
    CheckType "ServiceType", rec("ServiceType"), "Long"
    CheckType "ErrorControl", rec("ErrorControl"), "String"
    CheckEqual "Name", rec("Name"), s("Name")
    CheckEqual "Path", rec("Path"), s("Path")
    CheckEqual "ServiceAccountName", rec("ServiceAccountName"), s("ServiceAccountName")
    CheckEqual "StartType", rec("StartType"), s("StartType")
    CheckEqual "ServiceType", rec("ServiceType"), s("ServiceType")
    CheckEqual "ErrorControl", rec("ErrorControl"), CStr(s("ErrorControl"))
    Set deps = rec("Dependencies")
    CheckEqual "dependency count " & s("Name"), deps.Count, s("Dependencies").Count
    Dim d
    For d = 0 To s("Dependencies").Count - 1
      CheckKeys "dependency record", deps(CStr(d)), "Name,DisplayName"
      CheckEqual "dependency " & d & " of " & s("Name"), deps(CStr(d))("Name"), s("Dependencies")(d)
      CheckEqual "display name of " & s("Dependencies")(d), deps(CStr(d))("DisplayName"), _
                 ItemWhere(services, "Name", s("Dependencies")(d))("DisplayName")
    Next
  End If
Next
Set rec = svc.getService("Netlogon")
CheckError "a dependency that is a load-order group", &H80070424, _
           "Error with getService: The specified service does not exist as an installed service."
Set rec = svc.getService("NoSuchService")
CheckError "a missing service", &H80070424, "Error with getService: The specified service does not exist as an installed service."
svc.setComputerName = "GHOST7"
Set rec = svc.getService("W3SVC")
CheckError "an unreachable computer", &H80070035, "Error with getService: The network path was not found."

Section "setStatus: start, stop, pause and start type, and the refusals"
Set svc = NewServices("CORP", "WEB1")
svc.setStatus "Spooler", 4, 0
CheckNoError "start Spooler"
CheckEqual "Spooler running", StatusOf(svc, "Spooler"), 4
svc.setStatus "Spooler", 1, 3
CheckNoError "stop Spooler and make it manual"
Set rec = svc.getService("Spooler")
CheckEqual "Spooler stopped", rec("Status"), 1
CheckEqual "Spooler start type", rec("StartType"), 3
svc.setStatus "W32Time", 999, 0
CheckEqual "999 stops", StatusOf(svc, "W32Time"), 1
svc.setStatus "Schedule", 6, 0
CheckEqual "6 pauses", StatusOf(svc, "Schedule"), 7
svc.setStatus "SMTPSVC", 7, 0
CheckNoError "7 makes no call"
CheckEqual "SMTPSVC still paused", StatusOf(svc, "SMTPSVC"), 7
svc.setStatus "wuauserv", 0, 3
CheckEqual "status 0 only writes the start type", svc.getService("wuauserv")("StartType"), 3
CheckEqual "and leaves the state", StatusOf(svc, "wuauserv"), 4
svc.setStatus "Tcpip", 1, 4
CheckError "a service that does not stop", &H80070425, "The service cannot accept control messages at this time."
Set rec = svc.getService("Tcpip")
CheckEqual "the refused stop leaves it running", rec("Status"), 4
CheckEqual "and its start type unwritten", rec("StartType"), 1
svc.setStatus "HTTP", 1, 0
CheckError "a service others depend on", &H8007041B, _
           "A stop control has been sent to a service that other running services are dependent on."
svc.setStatus "MSFTPSVC", 4, 0
CheckError "a disabled service", &H80070422, _
           "The service cannot be started, either because it is disabled or because it has no enabled devices associated with it."
svc.setStatus "LanmanServer", 6, 0
CheckError "a service that does not pause", &H8007041C, "The requested control is not valid for this service."
svc.setStatus "wuauserv", 1, 9
CheckError "a start type the provider refuses at SetInfo", &H80070057, "The parameter is incorrect."
CheckEqual "the stop before it stays", StatusOf(svc, "wuauserv"), 1
svc.setStatus "Nope", 1, 0
CheckError "a missing service", &H80070424, "The specified service does not exist as an installed service."
Set list = NewServices("CORP", "WEB1").process()
CheckEqual "a new object sees the changes", list(ItemIndex(services, "Spooler"))("StartType"), "3"

Function ItemIndex(list, name)
  Dim k
  For k = 0 To list.Count - 1
    If list(k)("Name") = name Then ItemIndex = k + 1
  Next
End Function

Section "Tools: connection test, boot tool, reboot requests"
Dim tools, ok, lines, host, requests
Set tools = CreateObject("Quorvane.Tools")
CheckEqual "message of a new object", tools.message, ""
CheckEqual "a workgroup that exists", tools.tryConnection("CORP"), True
CheckEqual "a computer that answers", tools.tryConnection("CORP", "WEB1"), True
CheckEqual "message untouched", tools.message, ""
CheckEqual "a ghost computer", tools.tryConnection("CORP", "GHOST7"), False
CheckEqual "ghost message", tools.message, "Could not connect to GHOST7. This means either that it's a ""ghost"" on the network, or that Kelvara does not have the correct credetials to access it."
CheckEqual "a missing workgroup", tools.tryConnection("NOWHERE", "  "), False
CheckEqual "browse message", tools.message, "Could not browse the selected workgroup or domain. Please make sure that Kelvara have the userrights needed to browse the computer network"
CheckEqual "success keeps the message", tools.tryConnection("CORP"), True
CheckTrue "message kept", Left(tools.message, 16) = "Could not browse"
CheckEqual "the lab's shutdown.exe is in system32", tools.gotBootTool(), True
CheckNoError "gotBootTool"
CheckTrue "a remote reboot starts", tools.rebootComputer("WEB2") > 32
host = "  " & LCase(HostName()) & " "
CheckTrue "a reboot of this host starts", tools.rebootComputer(host) > 32
CheckEqual "this host becomes 127.0.0.1 in the caller's variable", host, "127.0.0.1"
CheckNoError "rebootComputer"
' The requests are recorded by the lab's shutdown.exe, which runs detached.
Dim started
started = Timer
requests = ""
Do While Abs(Timer - started) < 20
  requests = ReadRequests()
  If InStr(requests, "127.0.0.1") > 0 And InStr(requests, "WEB2") > 0 Then Exit Do
  shell.Run "cmd /c exit", 0, True
Loop
CheckTrue "reboot request for WEB2 recorded: " & requests, InStr(requests, "shutdown.exe -f -r -t 1 -m \\WEB2" & vbCrLf) > 0
CheckTrue "reboot request for this host recorded", InStr(requests, "shutdown.exe -f -r -t 1 -m \\127.0.0.1" & vbCrLf) > 0

Function ReadRequests()
  On Error Resume Next
  Dim path
  path = "C:\quorvane-lab\shutdown-requests.txt"
  ReadRequests = ""
  If fso.FileExists(path) Then ReadRequests = fso.OpenTextFile(path, 1).ReadAll
  Err.Clear
End Function

Section "Tools on this host: single-server mode and running services"
Dim labhost, local
Set labhost = LocalComputer()
Set local = NewServices(labhost("workgroup"), labhost("name"))
CheckEqual "workstation service runs: no single-server mode", tools.singleServerMode(), ""
CheckNoError "singleServerMode"
For i = 0 To labhost("services").Count - 1
  Set s = labhost("services")(i)
  CheckEqual "ServiceIsRunning " & s("Name"), tools.ServiceIsRunning(LCase(s("Name"))), (s("Status") = 4)
Next
CheckNoError "ServiceIsRunning"
tools.ServiceIsRunning "nope"
CheckError "a missing local service", &H80070424, _
           "Error getting running status for thenope service: Error with getService: The specified service does not exist as an installed service."
local.setStatus "LanmanWorkstation", 1, 0
CheckNoError "stop the local workstation service"
result = tools.singleServerMode()
CheckTrue "single-server mode names this host: " & result, Len(result) > Len(HostName()) + 1 And _
          UCase(Right(result, Len(HostName()) + 1)) = UCase("," & HostName())
CheckEqual "ServiceIsRunning after the stop", tools.ServiceIsRunning("LanmanWorkstation"), False

Finish
