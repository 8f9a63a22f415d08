' iis and IisSite against the lab's metabase: reading, listing, sizes of the
' real folders behind the sites, control with the lab's refusals, backups.
On Error Resume Next

Dim web1, web, sites, site, iis, rec, result, i, k, keys, e, holder, s, hand, bindings, labhost, backups, made

Set web1 = ComputerNamed("WEB1")
Set web = web1("web")
Set sites = web("sites")

Const Unavailable = "The RPC server is unavailable."
Const NoPath = "The system cannot find the path specified."

' A root-directory value: the site's own, else the metabase default.
Function RootValue(site, name)
  If site("root").Exists(name) Then
    RootValue = site("root")(name)
  Else
    RootValue = web("rootDefaults")(name)
  End If
End Function

' What the component derives for each WEB1 site, worked out by hand from the
' fleet: state text, execute level and its text, process text ("" where a
' code has none), and the bytes of the home folder with those of the root's
' direct virtual directories (nested ones and plain directories left out).
Dim derived
derived = Array(Array("Running", 3, "Scripts and Executables", "Medium (pooled)", 128020), _
                Array("Running", 2, "Scripts only", "High (isolated)", 49152), _
                Array("Stopped", 2, "Scripts only", "Low (IIS Process)", 18000), _
                Array("Stopped", 2, "Scripts only", "Medium (pooled)", 200), _
                Array("", 1, "None", "", 0))

' What getSite shows of a WEB1 site, under its keys in its order (filters
' and bindings apart), then the two root flags only IisSite shows.
Function Expected(site)
  Dim x, d, pair, p
  Set x = CreateObject("Scripting.Dictionary")
  d = derived(site("Name") - 1)
  x("Size") = CDbl(d(4))
  x("siteId") = site("Name")
  x("name") = site("ServerComment")
  x("statusId") = site("ServerState")
  If d(0) <> "" Then x("status") = d(0)
  x("ExecuteLevel") = d(1)
  x("Execute") = d(2)
  If d(3) <> "" Then x("Process") = d(3)
  For Each pair In Split("path=Path,SiteAnonUser=AnonymousUserName,AllowAnonymous=AuthAnonymous," & _
                         "SessionTimeout=AspSessionTimeout,ReadAccess=AccessRead,WriteAccess=AccessWrite," & _
                         "SourceAccess=AccessSource,ProcessLevel=AppIsolated,DirectoryBrowsing=EnableDirBrowsing," & _
                         "FrontPageEnabled=FrontPageWeb,ASPbuffer=AspBufferingOn,AspScriptTimeout=AspScriptTimeout," & _
                         "AspSessionTimeout=AspSessionTimeout,AspScriptLanguage=AspScriptLanguage," & _
                         "AccessScript=AccessScript,AccessExecute=AccessExecute", ",")
    p = Split(pair, "=")
    x(p(0)) = RootValue(site, p(1))
  Next
  Set Expected = x
End Function

' The binding list: server bindings "0".., then secure bindings numbered on;
' a server binding's port is a number, a secure one's stays text.
Sub CheckBindings(what, list, site)
  Dim b, n, binding, parts, secure, port
  n = 0
  For Each secure In Array(False, True)
    If secure Then
      Set b = Member(site, "SecureBindings", CreateObject("Scripting.Dictionary"))
    Else
      Set b = site("ServerBindings")
    End If
    For Each binding In b.Items
      ' A secure binding is documented as "IP:Port": no host part, no host.
      parts = Split(binding & "::", ":")
      port = parts(1)
      If Not secure Then port = CLng(port)
      CheckKeys what & " binding " & n, list(CStr(n)), "ip,port,host"
      CheckNamed what & " binding " & n, list(CStr(n)), "ip,port,host", Array(parts(0), port, parts(2))
      CheckType what & " port " & n, list(CStr(n))("port"), TypeName(port)
      n = n + 1
    Next
  Next
  CheckEqual what & " binding count", list.Count, n
End Sub

' One IisSite against its fleet site.
Sub CheckIisSite(what, s, site)
  On Error Resume Next
  Dim x
  Set x = Expected(site)
  CheckValues what, "id,sitename,state,stateString,size,accessScript,AccessExecute,executeLevel,execute,appIsolated," & _
              "Process,path,anonymousUserName,authAnonymous,accessRead,accessWrite,accessSource,enableDirBrowsing," & _
              "frontpageWeb,aspBufferingOn,aspScriptTimeout,aspSessionTimeout,aspScriptLanguage", _
              Array(s.id, s.sitename, s.state, s.stateString, s.size, s.accessScript, s.AccessExecute, s.executeLevel, _
                    s.execute, s.appIsolated, s.Process, s.path, s.anonymousUserName, s.authAnonymous, s.accessRead, _
                    s.accessWrite, s.accessSource, s.enableDirBrowsing, s.frontpageWeb, s.aspBufferingOn, _
                    s.aspScriptTimeout, s.aspSessionTimeout, s.aspScriptLanguage), _
              Array(x("siteId"), x("name"), x("statusId"), Member(x, "status", "Unknown state"), x("Size"), _
                    x("AccessScript"), x("AccessExecute"), x("ExecuteLevel"), x("Execute"), x("ProcessLevel"), _
                    Member(x, "Process", "Unknown process level"), x("path"), x("SiteAnonUser"), x("AllowAnonymous"), _
                    x("ReadAccess"), x("WriteAccess"), x("SourceAccess"), x("DirectoryBrowsing"), x("FrontPageEnabled"), _
                    x("ASPbuffer"), x("AspScriptTimeout"), x("AspSessionTimeout"), x("AspScriptLanguage"))
  CheckType what & " id", s.id, "Long"
  CheckType what & " size", s.size, "Double"
  CheckBindings what, s.hostBindings, site
  CheckNoError what & " read"
End Sub

Set iis = CreateObject("Quorvane.iis")
iis.setComputerName = "WEB1"
iis.setWorkgroup = "CORP"

Section "getSites: the web sites only, keyed by number, in the provider's order"
Set result = iis.getSites()
CheckNoError "getSites"
CheckEqual "sites in order (the Filters and Info nodes left out)", Joined(result, "W3SVSID"), Joined(sites, "Name")
For Each site In sites.Items
  Set rec = result(CStr(site("Name")))
  CheckKeys "site record", rec, "W3SVSID,ServerComment,ServerState"
  CheckFields "site " & site("Name"), rec, site, "W3SVSID=Name,ServerComment,ServerState"
  CheckType "W3SVSID", rec("W3SVSID"), "Long"
Next

Section "getSite: every key from the site and its root, sizes from the real folders"
For Each site In sites.Items
  iis.setSiteId = site("Name")
  Set rec = iis.getSite()
  CheckNoError "getSite " & site("Name")
  Set e = Expected(site)
  keys = ""
  For Each k In e.Keys
    If k <> "AccessScript" And k <> "AccessExecute" Then keys = keys & "," & k
  Next
  keys = Mid(keys, 2)
  CheckKeys "site " & site("Name"), rec, Replace(keys, "statusId", "statusId,ISAPIFilters,Bindings")
  CheckFields "site " & site("Name"), rec, e, keys
  CheckTypes "site " & site("Name"), rec, "Size:Double,AllowAnonymous:Boolean"
  CheckBindings "site " & site("Name"), rec("Bindings"), site
  Set result = rec("ISAPIFilters")
  Set e = Member(site, "filters", CreateObject("Scripting.Dictionary"))
  CheckEqual "filter count", result.Count, e.Count
  For k = 0 To e.Count - 1
    CheckKeys "filter record", result(CStr(k)), "Filter,Description,Path,State"
    CheckFields "filter " & k, result(CStr(k)), e(k), "Filter=Name,Description=FilterDescription,Path=FilterPath,State=FilterState"
  Next
Next
iis.setSiteId = 99
Set rec = iis.getSite()
CheckError "a site number with no site", &H80070003, "Error with Quorvane.Iis.getSite: " & NoPath

Section "getSiteById and getSitesExtended: IisSite objects filled from the metabase"
Set holder = CreateObject("Quorvane.IisSite")
Set result = iis.getSitesExtended()
CheckNoError "getSitesExtended"
CheckEqual "extended count", result.Count, sites.Count
For Each site In sites.Items
  Set s = holder.getSiteById("WEB1", site("Name"))
  CheckNoError "getSiteById " & site("Name")
  CheckIisSite "site " & site("Name"), s, site
  CheckIisSite "extended " & site("Name"), result(CStr(site("Name"))), site
Next
Set s = holder.getSiteById("WEB1", 99)
CheckError "a missing site", &H80070003, "Error with Quorvane.IisSite.getSiteById: " & NoPath

Section "IisSite properties: a new object, values set by hand, kept through getSiteById"
Set hand = CreateObject("Quorvane.IisSite")
CheckValues "new", "id,sitename,accessRead", Array(hand.id, hand.sitename, hand.accessRead), Array(0, "", False)
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
CheckEqual "the returned site", hand.getSiteById("WEB1", 2).sitename, "Intranet"
CheckEqual "hostBindings kept", hand.hostBindings.Count, bindings.Count
CheckValues "kept", "aspScriptLanguage,aspScriptTimeout,aspBufferingOn,frontpageWeb,enableDirBrowsing,accessSource," & _
            "accessWrite,accessRead,aspSessionTimeout,authAnonymous,anonymousUserName,path,Process,appIsolated," & _
            "executeLevel,execute,AccessExecute,accessScript,stateString,state,sitename,size,id", _
            Array(hand.aspScriptLanguage, hand.aspScriptTimeout, hand.aspBufferingOn, hand.frontpageWeb, _
                  hand.enableDirBrowsing, hand.accessSource, hand.accessWrite, hand.accessRead, hand.aspSessionTimeout, _
                  hand.authAnonymous, hand.anonymousUserName, hand.path, hand.Process, hand.appIsolated, _
                  hand.executeLevel, hand.execute, hand.AccessExecute, hand.accessScript, hand.stateString, hand.state, _
                  hand.sitename, hand.size, hand.id), _
            Array("PerlScript", 11, True, True, True, True, True, True, 12, True, "anon", "X:\hand", "by hand", 13, 14, _
                  "all", True, True, "Handmade", 15, "Handmade", 16.5, 17)
CheckNoError "reading every property"

Section "sizes through shares: names in any case; localhost uses the home folder as it is"
CheckEqual "a share named in lower case", holder.getSiteById("web1", 2).size, 49152
' The lab host's site: four files of 1,000 bytes.
Set labhost = LocalComputer()
For Each k In Array("localhost", labhost("name"), HostName())
  Set s = holder.getSiteById(k, 1)
  CheckNoError "getSiteById on " & k
  CheckEqual "size through " & k, s.size, 4000
Next

Section "control: state changes, refusals and restart"
' site, action, the state that follows (0: site 0 has none), the error and its text
Dim step, listing, duplicate
duplicate = "Error in Iis.startIIS: You were not connected because a duplicate name exists on the network. If joining " & _
            "a domain, go to System in Control Panel to change the computer name and try again. If joining a " & _
            "workgroup, choose another workgroup name."
For Each step In Array(Array(2, "stop", 4), Array(2, "pause", 4, &H80070426, "Error in Iis.pauseIIS: The service has not been started."), _
                       Array(2, "resume", 4, &H80070426, "Error in Iis.resumeIIS: The service has not been started."), _
                       Array(2, "start", 2), Array(2, "pause", 6), Array(2, "resume", 2), _
                       Array(4, "start", 4, &H80070034, duplicate), Array(4, "restart", 4, &H80070034, duplicate), _
                       Array(3, "restart", 2), Array(0, "start", 0, &H80070003, "Error in Iis.startIIS: " & NoPath), _
                       Array(0, "stop", 0, &H80070003, "Error in Iis.stopIIS: " & NoPath), Array(1, "stop", 4), Array(4, "start", 2))
  iis.setSiteId = step(0)
  Select Case step(1)
    Case "start": iis.startSite
    Case "stop": iis.stopSite
    Case "pause": iis.pauseSite
    Case "resume": iis.resumeSite
    Case "restart": iis.restartSite
  End Select
  If UBound(step) = 2 Then
    CheckNoError step(1) & " site " & step(0)
  Else
    CheckError step(1) & " site " & step(0) & " is refused", step(3), step(4)
  End If
  If step(0) <> 0 Then
    Set listing = iis.getSites()
    CheckEqual "state after " & step(1) & " site " & step(0), listing(CStr(step(0)))("ServerState"), step(2)
  End If
Next

Section "backups: the fleet's, then new ones under the next version"
Set backups = iis.iisBackupFiles()
CheckNoError "iisBackupFiles"
CheckEqual "backup count", backups.Count, web("backups").Count
For i = 0 To web("backups").Count - 1
  Set rec = backups(CStr(i))
  CheckKeys "backup record", rec, "Location,Date"
  CheckFields "backup " & i, rec, web("backups")(i), "Location=location"
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
' The lab host's second backup cannot be read: the listing fails rather
' than stopping short at one backup.
iis.setComputerName = labhost("name")
Set result = iis.iisBackupFiles()
CheckError "a listing that fails in the middle", &H80070005, _
           "error listing iisBackupFiles: Error with quorvane.IisTool.metaBaseBackupFiles: Access is denied."

Section "unreachable computers and computers without a web server"
For Each k In Array("GHOST7", "DB1")
  iis.setComputerName = k
  Set result = iis.getSites()
  CheckError "getSites on " & k, &H800706BA, "Error with Quorvane.Iis.getSites: " & Unavailable
  Set result = iis.getSitesExtended()
  CheckError "getSitesExtended on " & k, &H800706BA, "Error with Quorvane.Iis.getSitesExtended: " & Unavailable
  Set result = iis.iisBackupFiles()
  CheckError "iisBackupFiles on " & k, &H800706BA, _
             "error listing iisBackupFiles: Error with quorvane.IisTool.metaBaseBackupFiles: " & Unavailable
  iis.makeBackup
  CheckError "makeBackup on " & k, &H800706BA, "error listing makeBackup: " & Unavailable
  iis.setSiteId = 1
  iis.resumeSite
  CheckError "resumeSite on " & k, &H800706BA, "Error in Iis.resumeIIS: " & Unavailable
Next

Finish
