' Services and Tools against the lab: browsing, listing, sorting, details,
' control (with the refusals the lab's services make) and the utilities.
On Error Resume Next

Dim svc, result, rec, i, s, names, web1, services, deps, d, tools, host, requests, started, labhost, local

Const NoService = "The specified service does not exist as an installed service."

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
Set result = CreateObject("Quorvane.Services").getWorkgroups()
CheckNoError "getWorkgroups"
CheckEqual "workgroups", Joined(result, "workgroup"), Joined(fleet("workgroups"), "name")
For i = 1 To result.Count
  CheckKeys "workgroup record", result(CStr(i)), "Workgroup"
Next

Section "getComputers: the workgroup's computers only, in order; a missing workgroup fails unchanged"
Set svc = NewServices("CORP", "")
Set result = svc.getComputers()
CheckNoError "getComputers"
names = ""
For Each rec In fleet("computers").Items
  If rec("workgroup") = "CORP" Then names = names & rec("name") & ","
Next
For i = 1 To result.Count
  CheckKeys "computer record", result(CStr(i)), "Computer"
Next
CheckEqual "computers of CORP (users and groups filtered out)", Joined(result, "Computer"), names
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
  CheckKeys "summary record", rec, "Name,DisplayName,Status,ServiceType,StartType"
  CheckFields "service " & i, rec, services(i), "Name,DisplayName,Status=$Status,ServiceType=$ServiceType,StartType=$StartType"
Next
svc.setComputerName = "GHOST7"
Set result = svc.process()
CheckError "process on an unreachable computer", &H80070035, "The network path was not found."

Section "servicesSorted: stable text order by any summary field, key in any case"
' Each record follows the one before it: a greater field as text, or an
' equal one and a later place in the provider's order.
Dim place, field, prior, ordered, seen
Set place = CreateObject("Scripting.Dictionary")
For i = 0 To services.Count - 1
  place(services(i)("Name")) = i
Next
Set svc = NewServices("CORP", "WEB1")
For Each field In Array("DisplayName", "displayname", "Status", "StartType", "ServiceType", "Name")
  Set result = svc.servicesSorted(field)
  CheckNoError "servicesSorted " & field
  ordered = True
  Set prior = Nothing
  Set seen = CreateObject("Scripting.Dictionary")
  For Each rec In result
    If place.Exists(rec("Name")) Then seen(rec("Name")) = True
    If Not prior Is Nothing Then
      i = StrComp(prior(field), rec(field), 1)
      If i > 0 Or (i = 0 And place(prior("Name")) > place(rec("Name"))) Then ordered = False
    End If
    Set prior = rec
  Next
  CheckTrue "order by " & field, ordered
  CheckEqual "every service once by " & field, result.Count & " " & seen.Count, services.Count & " " & services.Count
  CheckEqual "position keys by " & field, result("1")("Name"), result(1)("Name")
Next
Set result = svc.servicesSorted("Colour")
CheckTrue "a sort key that is no field fails", Err.Number <> 0
Err.Clear

Section "getService: nine fields with numbers, texts and the dependency list"
For i = 0 To services.Count - 1
  Set s = services(i)
  If s("Name") <> "Netlogon" Then
    Set rec = svc.getService(LCase(s("Name")))
    CheckNoError "getService " & s("Name")
    CheckKeys "detail " & s("Name"), rec, "Status,Name,DisplayName,Path,ServiceAccountName,StartType,ServiceType,ErrorControl,Dependencies"
    CheckFields s("Name"), rec, s, "Status,Name,DisplayName,Path,ServiceAccountName,StartType,ServiceType,ErrorControl=$ErrorControl"
    CheckTypes s("Name"), rec, "Status:Long,StartType:Long,ServiceType:Long,ErrorControl:String"
    Set deps = rec("Dependencies")
    CheckEqual "dependency count " & s("Name"), deps.Count, s("Dependencies").Count
    For d = 0 To s("Dependencies").Count - 1
      CheckKeys "dependency record", deps(CStr(d)), "Name,DisplayName"
      CheckEqual "dependency " & d & " of " & s("Name"), deps(CStr(d))("Name"), s("Dependencies")(d)
      CheckEqual "display name of " & s("Dependencies")(d), deps(CStr(d))("DisplayName"), _
                 ItemWhere(services, "Name", s("Dependencies")(d))("DisplayName")
    Next
  End If
Next
For Each s In Array("Netlogon", "NoSuchService")
  Set rec = svc.getService(s)
  CheckError "getService of " & s & " (a load-order group, a missing service)", &H80070424, "Error with getService: " & NoService
Next
svc.setComputerName = "GHOST7"
Set rec = svc.getService("W3SVC")
CheckError "an unreachable computer", &H80070035, "Error with getService: The network path was not found."

' The status a service settles in: read until it is no longer pending, for
' a few seconds at most (the fleet's pending times are under two).
Function Settled(svc, name)
  Dim started, status
  started = Timer
  Do
    status = StatusOf(svc, name)
  Loop While status <> 1 And status <> 4 And status <> 7 And Abs(Timer - started) < 5
  Settled = status
End Function

Section "setStatus: each change passes through its pending state, then settles"
Set svc = NewServices("CORP", "WEB1")
' service, status asked, start type asked, status seen at once, status and start type once settled
For Each s In Array(Array("Spooler", 4, 0, 2, 4, 2), Array("Spooler", 1, 3, 3, 1, 3), Array("W32Time", 999, 0, 3, 1, 2), _
                    Array("Schedule", 6, 0, 6, 7, 2), Array("SMTPSVC", 7, 0, 7, 7, 2), Array("wuauserv", 0, 3, 4, 4, 3))
  svc.setStatus s(0), s(1), s(2)
  CheckNoError "setStatus " & s(0) & ", " & s(1) & ", " & s(2)
  CheckEqual s(0) & " right after " & s(1), StatusOf(svc, s(0)), s(3)
  CheckEqual s(0) & " once settled", Settled(svc, s(0)), s(4)
  CheckEqual s(0) & " start type after " & s(2), svc.getService(s(0))("StartType"), s(5)
Next

Section "setStatus: a service that is starting takes no other request"
svc.setStatus "Spooler", 4, 0
CheckNoError "start Spooler"
CheckEqual "Spooler is start pending", StatusOf(svc, "Spooler"), 2
For Each s In Array(Array(1, &H80070425, "The service cannot accept control messages at this time."), _
                    Array(6, &H80070425, "The service cannot accept control messages at this time."), _
                    Array(4, &H80070420, "An instance of the service is already running."))
  svc.setStatus "Spooler", s(0), 4
  CheckError "setStatus Spooler, " & s(0) & " while it starts", s(1), s(2)
Next
CheckEqual "Spooler runs once settled", Settled(svc, "Spooler"), 4
CheckEqual "the refused requests left its start type", svc.getService("Spooler")("StartType"), 3

Section "setStatus: the requests the service manager refuses, with its codes"
For Each s In Array(Array("RpcSs", 1, 0, &H8007041C, "The requested control is not valid for this service."), _
                    Array("Tcpip", 1, 4, &H8007041C, "The requested control is not valid for this service."), _
                    Array("HTTP", 1, 0, &H8007041B, "A stop control has been sent to a service that other running services are dependent on."), _
                    Array("MSFTPSVC", 4, 0, &H80070422, "The service cannot be started, either because it is disabled or because it has no enabled devices associated with it."), _
                    Array("LanmanServer", 6, 0, &H8007041C, "The requested control is not valid for this service."), _
                    Array("Alerter", 1, 0, &H80070426, "The service has not been started."), _
                    Array("wuauserv", 1, 9, &H80070057, "The parameter is incorrect."), _
                    Array("Nope", 1, 0, &H80070424, NoService))
  svc.setStatus s(0), s(1), s(2)
  CheckError "setStatus " & s(0) & ", " & s(1) & ", " & s(2) & " is refused", s(3), s(4)
Next
Set rec = svc.getService("Tcpip")
CheckEqual "the refused stop leaves it running", rec("Status"), 4
CheckEqual "and its start type unwritten", rec("StartType"), 1
CheckEqual "a stop before a start type refused at SetInfo stays", Settled(svc, "wuauserv"), 1
Set result = NewServices("CORP", "WEB1").process()
For Each rec In result
  If rec("Name") = "Spooler" Then CheckEqual "a new object sees the changes", rec("StartType"), "3"
Next

Section "Tools: connection test, boot tool, reboot requests"
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
CheckTrue "a remote reboot starts", tools.rebootComputer("WEB2") > 32
host = "  " & LCase(HostName()) & " "
CheckTrue "a reboot of this host starts", tools.rebootComputer(host) > 32
CheckEqual "this host becomes 127.0.0.1 in the caller's variable", host, "127.0.0.1"
CheckNoError "gotBootTool and rebootComputer"
' The requests are recorded by the lab's shutdown.exe, which runs detached.
started = Timer
requests = ""
Do While Abs(Timer - started) < 20
  If fso.FileExists("C:\quorvane-lab\shutdown-requests.txt") Then requests = fso.OpenTextFile("C:\quorvane-lab\shutdown-requests.txt", 1).ReadAll
  Err.Clear
  If InStr(requests, "127.0.0.1") > 0 And InStr(requests, "WEB2") > 0 Then Exit Do
  shell.Run "cmd /c exit", 0, True
Loop
For Each s In Array("WEB2", "127.0.0.1")
  CheckTrue "reboot request for " & s & " recorded: " & requests, InStr(requests, "shutdown.exe -f -r -t 1 -m \\" & s & vbCrLf) > 0
Next

Section "Tools on this host: single-server mode and running services"
Set labhost = LocalComputer()
Set local = NewServices(labhost("workgroup"), labhost("name"))
CheckEqual "workstation service runs: no single-server mode", tools.singleServerMode(), ""
CheckNoError "singleServerMode"
For Each s In labhost("services").Items
  CheckEqual "ServiceIsRunning " & s("Name"), tools.ServiceIsRunning(LCase(s("Name"))), (s("Status") = 4)
Next
CheckNoError "ServiceIsRunning"
tools.ServiceIsRunning "nope"
CheckError "a missing local service", &H80070424, "Error getting running status for thenope service: Error with getService: " & NoService
local.setStatus "LanmanWorkstation", 1, 0
CheckNoError "stop the local workstation service"
result = tools.singleServerMode()
CheckTrue "single-server mode names this host: " & result, Len(result) > Len(HostName()) + 1 And _
          UCase(Right(result, Len(HostName()) + 1)) = UCase("," & HostName())
CheckEqual "ServiceIsRunning after the stop", tools.ServiceIsRunning("LanmanWorkstation"), False

Finish
