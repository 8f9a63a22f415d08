' The component as a VBScript client sees it: creation by programmatic
' name, member names, properties, collections (Item by position and key,
' For Each, Count, Add, Remove, live nested collections), by-reference
' write-back and optional arguments.
Option Explicit
Dim passed, failed, errNumber, errSource, errDescription
passed = 0
failed = 0

' --- creation -------------------------------------------------------------
Dim classes, name, made, obj
classes = Array("Services", "iis", "IisSite", "Util", "ServerInfo", "process", "EventLog", _
                "TerminalServices", "Tools")
For Each name In classes
  Set obj = Nothing
  On Error Resume Next
  Set obj = CreateObject("Quorvane." & name)
  Capture
  On Error GoTo 0
  Check errNumber = 0 And IsObject(obj), "Quorvane." & name & " is creatable"
  If Not obj Is Nothing Then
    CheckEqual LCase(Replace(TypeName(obj), "_", "")), LCase(name), "Quorvane." & name & " presents its interface"
  End If
Next
On Error Resume Next
Set obj = CreateObject("Quorvane.IisTool")
Capture
On Error GoTo 0
CheckEqual errNumber, 429, "Quorvane.IisTool is private: CreateObject fails with 429"

' --- members --------------------------------------------------------------
Dim util, services, x
Set util = CreateObject("Quorvane.Util")
Set services = CreateObject("Quorvane.Services")
CheckEqual util.VAL("3.5"), 3.5, "member names match in any case"
On Error Resume Next
x = util.NoSuchMember(1)
Capture
On Error GoTo 0
CheckEqual errNumber, 438, "an unknown member fails with 438"
CheckEqual errDescription, "Object doesn't support this property or method", "with the runtime's text"
services.setComputerName = "PC1"
On Error Resume Next
x = services.setComputerName
Capture
On Error GoTo 0
CheckEqual errNumber, 438, "a write-only property cannot be read"

' --- IisSite properties -----------------------------------------------------
Dim site
Set site = CreateObject("Quorvane.IisSite")
Check site.hostBindings Is Nothing, "a new site's hostBindings is Nothing"
CheckEqual site.id, 0, "a new site's id is 0"
CheckEqual site.path, "", "a new site's path is empty"
CheckEqual site.accessRead, False, "a new site's flags are False"
CheckEqual site.size, 0, "a new site's size is 0"
site.id = "17"
CheckEqual site.id, 17, "id keeps a 32-bit number"
CheckEqual VarType(site.id), vbLong, "id is a Long"
site.sitename = "Default Web Site"
CheckEqual site.sitename, "Default Web Site", "sitename keeps its text"

' --- collections over real results -----------------------------------------
Dim info, os, item, count, position, allInOrder
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
On Error Resume Next
x = os(14)
Capture
CheckEqual errNumber, 9, "a position past Count fails with 9"
x = os("NoSuchField")
Capture
CheckEqual errNumber, 5, "a missing key fails with 5"
On Error GoTo 0
os.Add "extra", "Extra"
CheckEqual os.Count, 14, "Add appends"
CheckEqual os("EXTRA"), "extra", "an added item is found by its key"
On Error Resume Next
os.Add "again", "extra"
Capture
On Error GoTo 0
CheckEqual errNumber, 457, "a key already present fails with 457"
os.Remove "Extra"
CheckEqual os.Count, 13, "Remove takes it out"

Dim nics, nic, addresses, before, withMac
Set nics = info.getNicInfo(".")
Check nics.Count >= 1, "getNicInfo lists the adapters"
withMac = 0
For Each nic In nics
  Check IsObject(nic), "an adapter is a record"
  Check IsObject(nic("StaticIP")), "StaticIP is a nested collection"
  If Len(nic("MACAddress") & "") > 0 Then withMac = withMac + 1
Next
Check withMac >= 1, "at least one adapter has a MAC address"
Set addresses = nics(1)("StaticIP")
before = addresses.Count
addresses.Add "192.0.2.10"
CheckEqual nics(1)("StaticIP").Count, before + 1, "a nested collection is live, not a copy"

Set site.hostBindings = addresses
CheckEqual site.hostBindings.Count, addresses.Count, "Set hostBindings assigns the collection"
addresses.Add "192.0.2.11"
CheckEqual site.hostBindings.Count, addresses.Count, "hostBindings shares the collection"

' --- by-reference arguments and optional arguments --------------------------
Dim stamp, parsed, events, page, result
stamp = "   20240102030405.000000+060   "
parsed = util.translateStringDate(stamp)
CheckEqual stamp, "20240102030405.000000+060", "translateStringDate trims the caller's variable"
CheckEqual parsed, DateSerial(2024, 1, 2) + TimeSerial(2, 4, 5), "an offset of +60 gives a date 60 minutes earlier"
stamp = "  not a date  "
On Error Resume Next
parsed = util.translateStringDate(stamp)
Capture
On Error GoTo 0
Check errNumber <> 0, "translateStringDate of a non-date fails"
CheckEqual stamp, "not a date", "the variable is trimmed even though the call failed"
CheckEqual util.translateStringDate(" 20240102030405.000000+000 "), DateSerial(2024, 1, 2) + TimeSerial(3, 4, 5), _
           "a literal argument is accepted"

Set events = CreateObject("Quorvane.EventLog")
page = 4
Set result = events.EnumLogEvents(".", "Application", 10, page)
CheckEqual page, 3, "EnumLogEvents writes the page counted from 0 back"
CheckEqual VarType(page), vbLong, "pagenum comes back as a Long"
page = "1"
Set result = events.EnumLogEvents(".", "Application", , page)
CheckEqual page, 0, "a gap for pagesize is accepted and pagenum 1 leaves 0"
page = -3
Set result = events.EnumLogEvents(".", "Application", 25, page)
CheckEqual page, 0, "a negative pagenum leaves 0"
Set result = events.EnumLogEvents(".", "Application")
Check IsObject(result), "EnumLogEvents runs with both optional arguments omitted"
Check IsObject(events.getEvent(".", 12345)), "getEvent runs with logfile omitted"
Check IsObject(events.getEvent(".", 12345, "Application")), "getEvent takes a logfile"

Dim computer, tools
computer = "."
Set result = info.osInfo(computer)
CheckEqual computer, ".", "an argument the method does not write stays as it was"
CheckEqual VarType(computer), vbString, "and keeps its type"
Set tools = CreateObject("Quorvane.Tools")
CheckEqual tools.message, "", "a new Tools object has no message"
CheckEqual tools.tryConnection("NOSUCHGROUP"), False, "tryConnection runs with cn omitted"
CheckEqual tools.message, "Could not browse the selected workgroup or domain. Please make sure that " & _
           "Kelvara have the userrights needed to browse the computer network", "and explains the browse failure"
CheckEqual tools.tryConnection("NOSUCHGROUP", "   "), False, "a blank cn counts as omitted"

Finish

' --- checks -----------------------------------------------------------------
Sub Check(ok, what)
  If ok Then
    passed = passed + 1
  Else
    failed = failed + 1
    WScript.Echo "FAIL: " & what
  End If
End Sub

Sub CheckEqual(actual, expected, what)
  Dim same
  If IsNull(actual) Or IsNull(expected) Then
    same = IsNull(actual) And IsNull(expected)
  Else
    same = (actual = expected)
  End If
  If same Then
    Check True, what
  Else
    Check False, what & ": got [" & actual & "], expected [" & expected & "]"
  End If
End Sub

' Keeps the error the last statement left (under On Error Resume Next).
Sub Capture()
  errNumber = Err.Number
  errSource = Err.Source
  errDescription = Err.Description
  Err.Clear
End Sub

Sub Finish()
  WScript.Echo passed & " passed, " & failed & " failed"
  If failed > 0 Then WScript.Quit 1
  WScript.Quit 0
End Sub
