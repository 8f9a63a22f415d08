' The component as a VBScript client sees it on a plain Wine host: creation
' by programmatic name, member names, collections (Item, For Each, Count,
' live nested collections), by-reference write-back, optional arguments,
' errors with number, source and stacked description, and the real Win32
' adapters as far as Wine provides them. The lab tests cover each member
' against known data.
'
' Runs under On Error Resume Next: every check first reports an error left
' pending by the statements before it, so none goes unseen; CheckError takes
' the errors a step is expected to raise.
Option Explicit
On Error Resume Next
Dim passed, failed, x
passed = 0
failed = 0
Const NoMember = "Object doesn't support this property or method"

' --- creation -------------------------------------------------------------
Dim name, obj
For Each name In Array("Services", "iis", "IisSite", "Util", "ServerInfo", "process", "EventLog", "TerminalServices", "Tools")
  Set obj = CreateObject("Quorvane." & name)
  CheckEqual LCase(Replace(TypeName(obj), "_", "")), LCase(name), "Quorvane." & name & " is creatable and presents its interface"
Next
Set obj = CreateObject("Quorvane.IisTool")
CheckError 429, "", "Quorvane.IisTool is private: CreateObject fails with 429"

' --- members --------------------------------------------------------------
Dim util, services
Set util = CreateObject("Quorvane.Util")
Set services = CreateObject("Quorvane.Services")
CheckEqual util.VAL("3.5"), 3.5, "member names match in any case"
x = util.NoSuchMember(1)
CheckError 438, NoMember, "an unknown member fails with 438 and the runtime's text"
services.setComputerName = "PC1"
x = services.setComputerName
CheckError 438, NoMember, "a write-only property cannot be read"

' --- management records of the local computer, as collections ---------------
Dim info, os, item, count, allInOrder
Set info = CreateObject("Quorvane.ServerInfo")
Set os = info.osInfo(".")
CheckEqual os.Count, 13, "the osInfo record has 13 fields"
CheckEqual VarType(os.Count), vbLong, "Count is a Long"
CheckEqual os("OperatingSystem"), os(2), "Item by key and by position give the same field"
CheckEqual os.Item("operatingsystem"), os.Item(2), "Item is the default member and keys ignore case"
count = 0
allInOrder = True
For Each item In os
  count = count + 1
  If IsObject(item) Then
    allInOrder = False
  ElseIf Not IsNull(item) Then
    If CStr(item) <> CStr(os(count)) Then allInOrder = False
  End If
Next
CheckEqual count, 13, "For Each visits every field"
Check allInOrder, "For Each yields the fields in position order"
x = os.NoSuchMember
CheckError 438, NoMember, "an unknown member of a collection fails with 438"
Check InStr(os("OperatingSystem"), "Windows") > 0, "osInfo reads the system's caption: " & os("OperatingSystem")
Check Len(os("WindowsVersion")) > 0 And IsNumeric(os("BuildNumber")), "osInfo reads version and build number"
CheckEqual VarType(os("LastBoot")), vbDate, "LastBoot is a date"
Check os("LastBoot") < Now + 1 And Len(os("Uptime")) > 0, "the last boot lies in the past: uptime " & os("Uptime")
name = "localhost"
CheckEqual info.osInfo(name).Count, 13, "the local computer answers as localhost too"
CheckEqual VarType(name) & name, vbString & "localhost", "an argument the method does not write stays as it was"

' --- the same member through a fleet, on Wine's own management service -----
Dim fleetRun, fleetOs, osAfter, field
Set os = info.osInfo(".")
Set fleetRun = CreateObject("Quorvane.Fleet").Run("ServerInfo", "osInfo", ".")
Set osAfter = info.osInfo(".")
CheckEqual fleetRun(".")("Ok") & " " & fleetRun(".")("Number"), "True 0", "Run reaches the local computer"
Set fleetOs = fleetRun(".")("Result")
CheckEqual fleetOs.Count, os.Count, "Run gives the record osInfo gives"
For field = 1 To os.Count
  If field = 13 Then
    ' The uptime text moves on with the clock.
    Check fleetOs(field) = os(field) Or fleetOs(field) = osAfter(field), "Run's uptime is a direct call's"
  Else
    CheckEqual VarType(fleetOs(field)) & " " & fleetOs(field), VarType(os(field)) & " " & os(field), "Run's field " & field
  End If
Next

Dim nics, nic, address, ipv4, addresses, before, site
Set nics = info.getNicInfo(".")
ipv4 = 0
For Each nic In nics
  CheckEqual nic.Count, 7, "an adapter record has seven fields"
  Check IsObject(nic("StaticIP")), "StaticIP is a nested collection"
  For Each address In nic("StaticIP")
    If UBound(Split(address, ".")) = 3 Then ipv4 = ipv4 + 1
  Next
Next
Check ipv4 >= 1, "an enabled adapter lists an IPv4 address"
Set addresses = nics(1)("StaticIP")
before = addresses.Count
addresses.Add "192.0.2.10"
CheckEqual nics(1)("StaticIP").Count, before + 1, "a nested collection is live, not a copy"
Set site = CreateObject("Quorvane.IisSite")
Set site.hostBindings = addresses
addresses.Add "192.0.2.11"
CheckEqual site.hostBindings.Count, before + 2, "hostBindings shares the collection it was given"

' Wine's management service lacks properties these read: each fails with
' 438 behind its own message (a host that has them returns the records).
Dim processes
Set processes = CreateObject("Quorvane.process")
Set x = info.cpuInfo(".")
CheckRecordsOrError "Error retreiving CPU info for .: ", "cpuInfo"
Set x = info.logicalDriveInfo(".")
CheckRecordsOrError "Error retreiving LogicalDriveInfo for .: ", "logicalDriveInfo"
Set x = processes.EnumerateProcesses(".")
CheckRecordsOrError "Unable to get processes: ", "EnumerateProcesses"

' --- by-reference write-back and optional arguments --------------------------
Dim stamp, events, page
stamp = "   20240102030405.000000+060   "
CheckEqual util.translateStringDate(stamp), DateSerial(2024, 1, 2) + TimeSerial(2, 4, 5), "an offset of +60 gives a date 60 minutes earlier"
CheckEqual stamp, "20240102030405.000000+060", "translateStringDate trims the caller's variable"
stamp = "  not a date  "
x = util.translateStringDate(stamp)
CheckError 13, "Error translating string to date: Type mismatch", "translateStringDate of a non-date fails"
CheckEqual stamp, "not a date", "the variable is trimmed even though the call failed"

' Wine keeps no event logs: every list is empty.
Set events = CreateObject("Quorvane.EventLog")
page = 4
CheckEqual events.EnumLogEvents(".", "Application", 10, page).Count, 0, "an empty log gives an empty page"
CheckEqual page, 3, "EnumLogEvents writes the page counted from 0 back"
CheckEqual VarType(page), vbLong, "pagenum comes back as a Long"
page = "1"
x = events.EnumLogEvents(".", "Application", , page).Count
CheckEqual page, 0, "a gap for pagesize is accepted and pagenum 1 leaves 0"
page = CInt(0)
x = events.EnumLogEvents(".", "Application", 10, page).Count
CheckEqual VarType(page), vbLong, "pagenum comes back as a Long also when its value stays 0"
CheckEqual events.EnumLogEvents(".", "Application").Count, 0, "EnumLogEvents runs with both optional arguments omitted"
CheckEqual events.getEvent(".", 1).Count, 0, "getEvent runs with logfile omitted: no such event"
CheckEqual events.numberOfEvents(".", "Application"), 0, "a log the service does not know counts 0"
Check IsObject(events.EnumEventLogs(".")), "EnumEventLogs returns a collection"

' Without a WinNT: provider the connection test explains instead of failing.
Dim tools
Set tools = CreateObject("Quorvane.Tools")
CheckEqual tools.message, "", "a new Tools object has no message"
CheckEqual tools.tryConnection("NOSUCHGROUP"), False, "tryConnection runs with cn omitted"
CheckEqual tools.message, "Could not browse the selected workgroup or domain. Please make sure that " & _
           "Kelvara have the userrights needed to browse the computer network", "and explains the browse failure"
CheckEqual tools.tryConnection("NOSUCHGROUP", "NOSUCHPC"), False, "tryConnection of an unreachable computer is False"
CheckEqual tools.message, "Could not connect to NOSUCHPC. This means either that it's a ""ghost"" on the network, " & _
           "or that Kelvara does not have the correct credetials to access it.", "and explains the connect failure"
CheckEqual tools.gotBootTool(), CreateObject("Scripting.FileSystemObject").FileExists( _
           CreateObject("WScript.Shell").Environment("PROCESS")("windir") & "\system32\shutdown.exe"), _
           "gotBootTool agrees with the file system"

' --- errors -----------------------------------------------------------------
' The same directory failure without a handler (getComputers) and with one
' (getService): the number and source stay, the message stacks in front.
Dim platformNumber, platformText, platformSource
services.setWorkgroup = "NOSUCHGROUP"
services.setComputerName = "NOSUCHPC"
Set x = services.getComputers()
platformNumber = Err.Number
platformText = Err.Description
platformSource = Err.Source
Err.Clear
Check platformNumber <> 0 And Len(platformText) > 0 And Len(platformSource) > 0, "an unreachable target fails with a description and a source"
Set x = services.getService("W32Time")
name = Err.Source
CheckError platformNumber, "Error with getService: " & platformText, "getService keeps the number and stacks its message"
CheckEqual name, platformSource, "and keeps the platform's source"
Set x = services.getWorkgroups()
CheckError platformNumber, "error with getWorkgroups: " & platformText, "getWorkgroups stacks its message"
x = tools.singleServerMode()
CheckError platformNumber, "Error getting singleServerMode status: Error with getService: " & platformText, _
           "singleServerMode stacks its message on getService's"

' The component's own errors: runtime numbers, texts and source.
x = util.formatDateTime(Now, 7)
name = Err.Source
CheckError 5, "Invalid procedure call or argument", "a named format outside 0 to 4 fails with 5"
CheckEqual name, "Quorvane", "the component is the source of its own errors"
x = util.formatDateTime("no date at all", 1)
CheckError 13, "Type mismatch", "a text that is no date fails with 13"

' --- Util: the host's regional formatting, as the script's own ---------------
Dim moment, format
For Each moment In Array(Now, DateSerial(2026, 12, 5) + TimeSerial(12, 30, 45), DateSerial(1999, 1, 31), TimeSerial(23, 59, 59))
  For format = 0 To 4
    CheckEqual util.formatDateTime(moment, format), FormatDateTime(moment, format), _
               "formatDateTime(" & moment & ", " & format & ") equals the script's FormatDateTime"
  Next
Next
CheckEqual util.formatDateTime("2024-02-29 10:11:12", 2), FormatDateTime(CDate("2024-02-29 10:11:12"), 2), _
           "a date text is read as the script reads it"
CheckEqual util.Val("  12 34.5e1xyz"), 12345, "Val reads the leading number, blanks ignored"
CheckEqual VarType(util.IIf(True, CInt(7), "no")), vbInteger, "IIf keeps the type of the part it returns"
Check IsNull(util.IIf(1, Null, 0)), "IIf passes Null through"

' --- terminal sessions through cmd.exe ----------------------------------------
Dim terminal, output
Set terminal = CreateObject("Quorvane.TerminalServices")
CheckEqual terminal.getLogonUsers("localhost").Count, 0, "getLogonUsers runs ""query user"" through cmd.exe: Wine has no sessions to list"
output = terminal.changeUserStatus("reset", "localhost", "7")
Check InStr(output, "reset session 7 /server:localhost") > 0, "changeUserStatus returns what cmd.exe printed for its command line: " & output
Check InStr(terminal.changeUserStatus("disconnect", "localhost", "7"), "tsdiscon") > 0, "disconnect runs tsdiscon"

Check True, "the end is reached"
WScript.Echo passed & " passed, " & failed & " failed"
WScript.Quit -(failed > 0)

' --- checks -----------------------------------------------------------------
Sub Check(ok, what)
  If Err.Number <> 0 Then
    failed = failed + 1
    WScript.Echo "FAIL: error " & Err.Number & " (" & Err.Description & ") raised before: " & what
    Err.Clear
  ElseIf ok Then
    passed = passed + 1
  Else
    failed = failed + 1
    WScript.Echo "FAIL: " & what
  End If
End Sub

Sub CheckEqual(actual, expected, what)
  If IsNull(actual) Or IsNull(expected) Then
    Check IsNull(actual) And IsNull(expected), what
  Else
    Check actual = expected, what & ": got [" & actual & "], expected [" & expected & "]"
  End If
End Sub

' The error the last step raised, with its number and (unless "") its text.
Sub CheckError(number, description, what)
  Dim got
  got = CStr(Err.Number)
  If description <> "" Then got = got & " " & Err.Description
  Err.Clear
  Check got = Trim(number & " " & description), what & ": got [" & got & "]"
End Sub

' Records where the management service has the properties the method reads,
' else 438 behind the method's own message.
Sub CheckRecordsOrError(message, method)
  If Err.Number = 0 Then
    Check IsObject(x), method & " returns records where the service has the properties"
  Else
    CheckError 438, message & NoMember, method & " stacks its own message on 438"
  End If
End Sub
