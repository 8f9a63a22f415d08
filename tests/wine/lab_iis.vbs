' iis and IisSite against the lab's metabase: reading, listing, sizes of the
' real folders behind the sites, control with the lab's refusals, backups.
On Error Resume Next

Dim web1, web, sites, site, iis, rec, result, i, k, expected, keys

Set web1 = ComputerNamed("WEB1")
Set web = web1("web")
Set sites = web("sites")

' A root-directory value: the site's own, else the metabase default.
Function RootValue(site, name)
  If site("root").Exists(name) Then
    RootValue = site("root")(name)
  Else
    RootValue = web("rootDefaults")(name)
  End If
End Function

' Bytes of the fleet's folders at or below a path of the computer.
Function FolderBytes(computer, path)
  Dim f, list
  FolderBytes = 0
  Set list = computer("folders")
  For f = 0 To list.Count - 1
    If LCase(list(f)("path")) = LCase(path) Or LCase(Left(list(f)("path"), Len(path) + 1)) = LCase(path & "\") Then
      FolderBytes = FolderBytes + list(f)("files") * list(f)("bytes")
    End If
  Next
End Function

' The home folder and the folders of the root's direct virtual directories.
Function SiteBytes(computer, site)
  Dim d
  SiteBytes = FolderBytes(computer, site("root")("Path"))
  If site.Exists("dirs") Then
    For d = 0 To site("dirs").Count - 1
      If Member(site("dirs")(d), "Class", "IIsWebVirtualDir") = "IIsWebVirtualDir" Then
        SiteBytes = SiteBytes + FolderBytes(computer, site("dirs")(d)("Path"))
      End If
    Next
  End If
End Function

Function StateText(code)
  Select Case code
    Case 2: StateText = "Running"
    Case 4: StateText = "Stopped"
    Case 6: StateText = "Paused"
    Case Else: StateText = ""
  End Select
End Function

Function ProcessText(code)
  Select Case code
    Case 0: ProcessText = "Low (IIS Process)"
    Case 1: ProcessText = "High (isolated)"
    Case 2: ProcessText = "Medium (pooled)"
    Case Else: ProcessText = ""
  End Select
End Function

Function ExecuteLevel(site)
  If Not RootValue(site, "AccessScript") Then
    ExecuteLevel = 1
  ElseIf RootValue(site, "AccessExecute") Then
    ExecuteLevel = 3
  Else
    ExecuteLevel = 2
  End If
End Function

Function ExecuteText(level)
  Select Case level
    Case 1: ExecuteText = "None"
    Case 2: ExecuteText = "Scripts only"
    Case 3: ExecuteText = "Scripts and Executables"
  End Select
End Function

' The binding list: server bindings "0".., then secure bindings numbered on.
Sub CheckBindings(what, bindings, site)
  Dim b, n, parts, list, secure
  n = 0
  For Each secure In Array(False, True)
    If secure Then
      Set list = Member(site, "SecureBindings", CreateObject("Scripting.Dictionary"))
    Else
      Set list = site("ServerBindings")
    End If
    For b = 0 To list.Count - 1
      parts = Split(list(b), ":")
      Set rec = bindings(CStr(n))
      CheckKeys what & " binding " & n, rec, "ip,port,host"
      CheckEqual what & " ip " & n, rec("ip"), parts(0)
      CheckEqual what & " host " & n, rec("host"), parts(2)
      If secure Then
        CheckEqual what & " secure port " & n, rec("port"), parts(1)
        CheckType what & " secure port", rec("port"), "String"
      Else
        CheckEqual what & " port " & n, rec("port"), CLng(parts(1))
        CheckType what & " port", rec("port"), "Long"
      End If
      n = n + 1
    Next
  Next
  CheckEqual what & " binding count", bindings.Count, n
End Sub

Set iis = CreateObject("Quorvane.iis")
iis.setComputerName = "WEB1"
iis.setWorkgroup = "CORP"

Section "getSites: the web sites only, keyed by number, in the provider's order"
Set result = iis.getSites()
CheckNoError "getSites"
CheckEqual "site count (the Filters and Info nodes left out)", result.Count, sites.Count
For i = 0 To sites.Count - 1
  Set site = sites(i)
  Set rec = result(CStr(site("Name")))
  CheckKeys "site record", rec, "W3SVSID,ServerComment,ServerState"
  CheckEqual "W3SVSID", rec("W3SVSID"), site("Name")
  CheckType "W3SVSID", rec("W3SVSID"), "Long"
  CheckEqual "ServerComment", rec("ServerComment"), site("ServerComment")
  CheckEqual "ServerState", rec("ServerState"), site("ServerState")
  CheckEqual "position " & (i + 1), result(i + 1)("W3SVSID"), site("Name")
Next

Section "getSite: every key from the site and its root, sizes from the real folders"
For i = 0 To sites.Count - 1
  Set site = sites(i)
  iis.setSiteId = site("Name")
  Err.Clear
  Set rec = iis.getSite()
  CheckNoError "getSite " & site("Name")
  keys = "Size,siteId,name,statusId,ISAPIFilters,Bindings"
  If StateText(site("ServerState")) <> "" Then keys = keys & ",status"
  keys = keys & ",ExecuteLevel,Execute"
  If ProcessText(RootValue(site, "AppIsolated")) <> "" Then keys = keys & ",Process"
  keys = keys & ",path,SiteAnonUser,AllowAnonymous,SessionTimeout,ReadAccess,WriteAccess,SourceAccess,ProcessLevel," & _
         "DirectoryBrowsing,FrontPageEnabled,ASPbuffer,AspScriptTimeout,AspSessionTimeout,AspScriptLanguage"
  CheckKeys "site " & site("Name"), rec, keys
  CheckEqual "Size of " & site("ServerComment"), rec("Size"), CDbl(SiteBytes(web1, site))
  CheckType "Size", rec("Size"), "Double"
  CheckEqual "siteId", rec("siteId"), site("Name")
  CheckEqual "name", rec("name"), site("ServerComment")
  CheckEqual "statusId", rec("statusId"), site("ServerState")
  If StateText(site("ServerState")) <> "" Then CheckEqual "status", rec("status"), StateText(site("ServerState"))
  CheckEqual "ExecuteLevel", rec("ExecuteLevel"), ExecuteLevel(site)
  CheckEqual "Execute", rec("Execute"), ExecuteText(ExecuteLevel(site))
  If ProcessText(RootValue(site, "AppIsolated")) <> "" Then CheckEqual "Process", rec("Process"), ProcessText(RootValue(site, "AppIsolated"))
  CheckEqual "path", rec("path"), RootValue(site, "Path")
  CheckEqual "SiteAnonUser", rec("SiteAnonUser"), RootValue(site, "AnonymousUserName")
  CheckEqual "AllowAnonymous", rec("AllowAnonymous"), RootValue(site, "AuthAnonymous")
  CheckType "AllowAnonymous", rec("AllowAnonymous"), "Boolean"
  CheckEqual "SessionTimeout", rec("SessionTimeout"), RootValue(site, "AspSessionTimeout")
  CheckEqual "ReadAccess", rec("ReadAccess"), RootValue(site, "AccessRead")
  CheckEqual "WriteAccess", rec("WriteAccess"), RootValue(site, "AccessWrite")
  CheckEqual "SourceAccess", rec("SourceAccess"), RootValue(site, "AccessSource")
  CheckEqual "ProcessLevel", rec("ProcessLevel"), RootValue(site, "AppIsolated")
  CheckEqual "DirectoryBrowsing", rec("DirectoryBrowsing"), RootValue(site, "EnableDirBrowsing")
  CheckEqual "FrontPageEnabled", rec("FrontPageEnabled"), RootValue(site, "FrontPageWeb")
  CheckEqual "ASPbuffer", rec("ASPbuffer"), RootValue(site, "AspBufferingOn")
  CheckEqual "AspScriptTimeout", rec("AspScriptTimeout"), RootValue(site, "AspScriptTimeout")
  CheckEqual "AspSessionTimeout", rec("AspSessionTimeout"), RootValue(site, "AspSessionTimeout")
  CheckEqual "AspScriptLanguage", rec("AspScriptLanguage"), RootValue(site, "AspScriptLanguage")
  CheckBindings "site " & site("Name"), rec("Bindings"), site
  If site.Exists("filters") Then
    CheckEqual "filter count", rec("ISAPIFilters").Count, site("filters").Count
    For k = 0 To site("filters").Count - 1
      CheckKeys "filter record", rec("ISAPIFilters")(CStr(k)), "Filter,Description,Path,State"
      CheckEqual "Filter", rec("ISAPIFilters")(CStr(k))("Filter"), site("filters")(k)("Name")
      CheckEqual "Description", rec("ISAPIFilters")(CStr(k))("Description"), site("filters")(k)("FilterDescription")
      CheckEqual "Path", rec("ISAPIFilters")(CStr(k))("Path"), site("filters")(k)("FilterPath")
      CheckEqual "State", rec("ISAPIFilters")(CStr(k))("State"), site("filters")(k)("FilterState")
    Next
  Else
    CheckEqual "a site without a Filters node", rec("ISAPIFilters").Count, 0
  End If
Next
iis.setSiteId = 99
Set rec = iis.getSite()
CheckError "a site number with no site", &H80070003, "Error with Quorvane.Iis.getSite: The system cannot find the path specified."

' One IisSite against its fleet site.
Sub CheckIisSite(what, s, site, computer)
  CheckEqual what & " id", s.id, site("Name")
  CheckType what & " id", s.id, "Long"
  CheckEqual what & " sitename", s.sitename, site("ServerComment")
  CheckEqual what & " state", s.state, site("ServerState")
  If StateText(site("ServerState")) = "" Then
    CheckEqual what & " stateString", s.stateString, "Unknown state"
  Else
    CheckEqual what & " stateString", s.stateString, StateText(site("ServerState"))
  End If
  CheckEqual what & " size", s.size, CDbl(SiteBytes(computer, site))
  CheckType what & " size", s.size, "Double"
  CheckEqual what & " accessScript", s.accessScript, RootValue(site, "AccessScript")
  CheckEqual what & " AccessExecute", s.AccessExecute, RootValue(site, "AccessExecute")
  CheckEqual what & " executeLevel", s.executeLevel, ExecuteLevel(site)
  CheckEqual what & " execute", s.execute, ExecuteText(ExecuteLevel(site))
  CheckEqual what & " appIsolated", s.appIsolated, RootValue(site, "AppIsolated")
  If ProcessText(RootValue(site, "AppIsolated")) = "" Then
    CheckEqual what & " Process", s.Process, "Unknown process level"
  Else
    CheckEqual what & " Process", s.Process, ProcessText(RootValue(site, "AppIsolated"))
  End If
  CheckEqual what & " path", s.path, RootValue(site, "Path")
  CheckEqual what & " anonymousUserName", s.anonymousUserName, RootValue(site, "AnonymousUserName")
  CheckEqual what & " authAnonymous", s.authAnonymous, RootValue(site, "AuthAnonymous")
  CheckEqual what & " accessRead", s.accessRead, RootValue(site, "AccessRead")
  CheckEqual what & " accessWrite", s.accessWrite, RootValue(site, "AccessWrite")
  CheckEqual what & " accessSource", s.accessSource, RootValue(site, "AccessSource")
  CheckEqual what & " enableDirBrowsing", s.enableDirBrowsing, RootValue(site, "EnableDirBrowsing")
  CheckEqual what & " frontpageWeb", s.frontpageWeb, RootValue(site, "FrontPageWeb")
  CheckEqual what & " aspBufferingOn", s.aspBufferingOn, RootValue(site, "AspBufferingOn")
  CheckEqual what & " aspScriptTimeout", s.aspScriptTimeout, RootValue(site, "AspScriptTimeout")
  CheckEqual what & " aspSessionTimeout", s.aspSessionTimeout, RootValue(site, "AspSessionTimeout")
  CheckEqual what & " aspScriptLanguage", s.aspScriptLanguage, RootValue(site, "AspScriptLanguage")
  CheckBindings what, s.hostBindings, site
End Sub

Section "getSiteById and getSitesExtended: IisSite objects filled from the metabase"
Dim holder, s
Set holder = CreateObject("Quorvane.IisSite")
For i = 0 To sites.Count - 1
  Err.Clear
  Set s = holder.getSiteById("WEB1", sites(i)("Name"))
  CheckNoError "getSiteById " & sites(i)("Name")
  CheckIisSite "site " & sites(i)("Name"), s, sites(i), web1
Next
Err.Clear
Set result = iis.getSitesExtended()
CheckNoError "getSitesExtended"
CheckEqual "extended count", result.Count, sites.Count
For i = 0 To sites.Count - 1
  CheckIisSite "extended " & sites(i)("Name"), result(CStr(sites(i)("Name"))), sites(i), web1
Next
Set s = holder.getSiteById("WEB1", 99)
CheckError "a missing site", &H80070003, "Error with Quorvane.IisSite.getSiteById: The system cannot find the path specified."

Section "IisSite properties: a new object, values set by hand, kept through getSiteById"
Dim hand, bindings
Set hand = CreateObject("Quorvane.IisSite")
CheckEqual "new id", hand.id, 0
CheckEqual "new sitename", hand.sitename, ""
CheckEqual "new accessRead", hand.accessRead, False
CheckTrue "new hostBindings is Nothing", hand.hostBindings Is Nothing
Set bindings = holder.getSiteById("WEB1", 1).hostBindings
Set hand.hostBindings = bindings
hand.aspScriptLanguage = "PerlScript" : hand.aspScriptTimeout = 11 : hand.aspBufferingOn = True
hand.frontpageWeb = True : hand.enableDirBrowsing = True : hand.accessSource = True : hand.accessWrite = True
hand.accessRead = True : hand.aspSessionTimeout = 12 : hand.authAnonymous = True : hand.anonymousUserName = "anon"
hand.path = "X:\hand" : hand.Process = "by hand" : hand.appIsolated = 13 : hand.executeLevel = 14
hand.execute = "all" : hand.AccessExecute = True : hand.accessScript = True : hand.stateString = "Handmade"
hand.state = 15 : hand.sitename = "Handmade" : hand.size = 16.5 : hand.id = 17
CheckNoError "setting every property"
Set s = hand.getSiteById("WEB1", 2)
CheckEqual "the returned site", s.sitename, "Intranet"
CheckEqual "hostBindings kept", hand.hostBindings.Count, bindings.Count
CheckEqual "aspScriptLanguage", hand.aspScriptLanguage, "PerlScript"
CheckEqual "aspScriptTimeout", hand.aspScriptTimeout, 11
CheckEqual "aspBufferingOn", hand.aspBufferingOn, True
CheckEqual "frontpageWeb", hand.frontpageWeb, True
CheckEqual "enableDirBrowsing", hand.enableDirBrowsing, True
CheckEqual "accessSource", hand.accessSource, True
CheckEqual "accessWrite", hand.accessWrite, True
CheckEqual "accessRead", hand.accessRead, True
CheckEqual "aspSessionTimeout", hand.aspSessionTimeout, 12
CheckEqual "authAnonymous", hand.authAnonymous, True
CheckEqual "anonymousUserName", hand.anonymousUserName, "anon"
CheckEqual "path", hand.path, "X:\hand"
CheckEqual "Process", hand.Process, "by hand"
CheckEqual "appIsolated", hand.appIsolated, 13
CheckEqual "executeLevel", hand.executeLevel, 14
CheckEqual "execute", hand.execute, "all"
CheckEqual "AccessExecute", hand.AccessExecute, True
CheckEqual "accessScript", hand.accessScript, True
CheckEqual "stateString", hand.stateString, "Handmade"
CheckEqual "state", hand.state, 15
CheckEqual "sitename", hand.sitename, "Handmade"
CheckEqual "size", hand.size, 16.5
CheckEqual "id", hand.id, 17

Section "sizes through shares: names in any case; localhost uses the home folder as it is"
CheckEqual "a share named in lower case", holder.getSiteById("web1", 2).size, CDbl(SiteBytes(web1, sites(1)))
Dim labhost
Set labhost = LocalComputer()
For Each k In Array("localhost", labhost("name"), HostName())
  Set s = holder.getSiteById(k, 1)
  CheckNoError "getSiteById on " & k
  CheckEqual "size through " & k, s.size, CDbl(SiteBytes(labhost, labhost("web")("sites")(0)))
Next

Section "control: state changes, refusals and restart"
Function StateOf(number)
  Dim listing
  Set listing = iis.getSites()
  StateOf = listing(CStr(number))("ServerState")
End Function
iis.setSiteId = 2
iis.stopSite
CheckNoError "stopSite"
CheckEqual "stopped", StateOf(2), 4
iis.pauseSite
CheckError "pausing a stopped site", &H80070426, "Error in Iis.pauseIIS: The service has not been started."
iis.resumeSite
CheckError "resuming a stopped site", &H80070426, "Error in Iis.resumeIIS: The service has not been started."
iis.startSite
CheckEqual "started", StateOf(2), 2
iis.pauseSite
CheckEqual "paused", StateOf(2), 6
iis.resumeSite
CheckEqual "resumed", StateOf(2), 2
CheckNoError "start, pause, resume"
iis.setSiteId = 4
iis.startSite
CheckError "a site on the bindings of a started site", &H80070034, "Error in Iis.startIIS: " & _
           "You were not connected because a duplicate name exists on the network. If joining a domain, go to System in Control Panel to change the computer name and try again. If joining a workgroup, choose another workgroup name."
iis.restartSite
CheckTrue "restart reports the refused start", Left(Err.Description, 22) = "Error in Iis.startIIS:" And Err.Number = &H80070034
Err.Clear
CheckEqual "the refused site stays stopped", StateOf(4), 4
iis.setSiteId = 3
iis.restartSite
CheckNoError "restart of a stopped site with its own bindings"
CheckEqual "restarted", StateOf(3), 2
iis.setSiteId = 0
iis.startSite
CheckError "before setSiteId", &H80070003, "Error in Iis.startIIS: The system cannot find the path specified."
iis.stopSite
CheckError "stop of site 0", &H80070003, "Error in Iis.stopIIS: The system cannot find the path specified."
iis.setSiteId = 1
iis.stopSite
iis.setSiteId = 4
iis.startSite
CheckNoError "the free bindings let the other site start"
CheckEqual "started after the conflict went", StateOf(4), 2

Section "backups: the fleet's, then new ones under the next version"
Dim backups, before, made
Set backups = iis.iisBackupFiles()
CheckNoError "iisBackupFiles"
CheckEqual "backup count", backups.Count, web("backups").Count
For i = 0 To web("backups").Count - 1
  Set rec = backups(CStr(i))
  CheckKeys "backup record", rec, "Location,Date"
  CheckEqual "Location " & i, rec("Location"), web("backups")(i)("location")
  CheckEqual "Date " & i, rec("Date"), CStr(IsoDate(web("backups")(i)("date")))
  CheckType "Date is text", rec("Date"), "String"
Next
iis.makeBackup
iis.makeBackup
CheckNoError "makeBackup twice"
Set backups = iis.iisBackupFiles()
CheckEqual "two more backups", backups.Count, web("backups").Count + 2
For i = web("backups").Count To backups.Count - 1
  made = backups(CStr(i))("Location")
  CheckTrue "a name without blanks, points, colons or slashes: " & made, made <> "" And InStr(made, " ") = 0 And _
            InStr(made, ":") = 0 And InStr(made, ".") = 0 And InStr(made, "/") = 0
  CheckTrue "made now: " & backups(CStr(i))("Date"), Abs(CDbl(CDate(backups(CStr(i))("Date"))) - CDbl(Now)) < 300 / 86400
Next
iis.setComputerName = "WEB2"
CheckEqual "a computer without backups", iis.iisBackupFiles().Count, 0

Section "unreachable computers and computers without a web server"
For Each k In Array("GHOST7", "DB1")
  iis.setComputerName = k
  Set result = iis.getSites()
  CheckError "getSites on " & k, &H800706BA, "Error with Quorvane.Iis.getSites: The RPC server is unavailable."
  Set result = iis.getSitesExtended()
  CheckError "getSitesExtended on " & k, &H800706BA, "Error with Quorvane.Iis.getSitesExtended: The RPC server is unavailable."
  Set result = iis.iisBackupFiles()
  CheckError "iisBackupFiles on " & k, &H800706BA, _
             "error listing iisBackupFiles: Error with quorvane.IisTool.metaBaseBackupFiles: The RPC server is unavailable."
  iis.makeBackup
  CheckError "makeBackup on " & k, &H800706BA, "error listing makeBackup: The RPC server is unavailable."
  iis.setSiteId = 1
  iis.resumeSite
  CheckError "resumeSite on " & k, &H800706BA, "Error in Iis.resumeIIS: The RPC server is unavailable."
Next

Finish
