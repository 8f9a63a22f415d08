' EventLog against the lab's logs, made by rule in the fleet: log names,
' counts, pages of a 3,000-entry log walked to the end, and event details.
' Expected entries are worked out here from the fleet's rules.
On Error Resume Next

Dim el, result, rec, i, k, web1, web2, hostBias, rule, p, expectedNext, page, count, ok, labhost

Set el = CreateObject("Quorvane.EventLog")
Set web1 = ComputerNamed("WEB1")
Set web2 = ComputerNamed("WEB2")
Set labhost = LocalComputer()
hostBias = 0 ' the administration host's own zone: the tests run in universal time

Const Unavailable = "The RPC server is unavailable."

Function RuleOf(computer, log)
  Set RuleOf = ItemWhere(computer("eventLogs"), "log", log)
End Function

Function TemplateOf(rule, record)
  Set TemplateOf = rule("templates")((record - rule("firstRecord")) Mod rule("templates").Count)
End Function

' The insertion strings of a record, or Null.
Function InsertionsOf(rule, record)
  Dim t
  Set t = TemplateOf(rule, record)
  InsertionsOf = Null
  If t.Exists("insertions") Then
    Set InsertionsOf = t("insertions")(((record - rule("firstRecord")) \ rule("templates").Count) Mod t("insertions").Count)
  End If
End Function

Function MessageOf(rule, record)
  Dim j, t, strings
  Set t = TemplateOf(rule, record)
  MessageOf = t("message")
  If Not IsNull(InsertionsOf(rule, record)) Then
    Set strings = InsertionsOf(rule, record)
    For j = strings.Count To 1 Step -1
      MessageOf = Replace(MessageOf, "%" & j, strings(j - 1))
    Next
  End If
End Function

' TimeGenerated as the component shows it: the recorded local time moved by
' the host's bias less the recorded offset (the computer's bias: local time
' less universal time).
Function GeneratedOf(computer, rule, record)
  GeneratedOf = IsoDate(rule("start")) + (record - rule("firstRecord")) * rule("intervalSeconds") / 86400 + _
                (hostBias - computer("wmi")("Win32_TimeZone")(0)("Bias")) / 1440
End Function

' A uint32 as a script is handed it: from 2^31 up negative, with the same bits.
Function AsDelivered(number)
  AsDelivered = number
  If number >= 2 ^ 31 Then AsDelivered = number - 2 ^ 32
End Function

' An array field against a fleet list, or Null against Null.
Sub CheckArray(what, values, list)
  Dim j
  If IsNull(list) Then
    CheckTrue what & " Null", IsNull(values)
  Else
    CheckTrue what & " is an array", IsArray(values)
    CheckEqual what & " size", UBound(values) + 1, list.Count
    For j = 0 To list.Count - 1
      CheckEqual what & " " & j, values(j), list(j)
    Next
  End If
End Sub

' The data bytes: Null, or a Byte() (vbArray + vbByte) as the log
' delivered them. This engine reads no element of a byte array; the COM
' checks compare the bytes themselves.
Sub CheckBytes(what, value, expected)
  If IsNull(expected) Then
    CheckTrue what & ": Null expected, got VarType " & VarType(value), IsNull(value)
  Else
    CheckEqual what & " VarType", VarType(value), 8209
  End If
End Sub

Sub CheckEvent(what, r, computer, rule, record, detailed)
  On Error Resume Next
  Dim t, user, category, keys
  Set t = TemplateOf(rule, record)
  keys = "User,Type,Category,CategoryString,EventCode,EventIdentifier,RecordNumber,SourceName,TimeGenerated,TimeWritten,message"
  If detailed Then keys = keys & ",ComputerName,Data,InsertionStrings"
  CheckKeys what, r, keys
  user = Member(t, "user", Null)
  If Not IsNull(user) Then
    If Trim(user) = "" Then user = "N/A"
  End If
  category = Member(t, "categoryString", "")
  If Trim(category) = "" Then category = "None"
  CheckNamed what, r, "User,Type,Category,CategoryString,EventCode,EventIdentifier,RecordNumber,SourceName,message", _
             Array(user, t("type"), Member(t, "category", 0), category, Member(t, "eventCode", 0), _
                   AsDelivered(Member(t, "eventIdentifier", Member(t, "eventCode", 0))), record, t("source"), MessageOf(rule, record))
  CheckTypes what, r, "EventIdentifier:Long,RecordNumber:Long,TimeGenerated:Date"
  CheckTrue what & " TimeGenerated " & r("TimeGenerated"), SameMoment(r("TimeGenerated"), GeneratedOf(computer, rule, record))
  CheckTrue what & " TimeWritten", SameMoment(r("TimeWritten"), GeneratedOf(computer, rule, record) + _
            Member(t, "writeDelaySeconds", 0) / 86400)
  If detailed Then
    CheckEqual what & " ComputerName", r("ComputerName"), computer("name")
    CheckBytes what & " Data", r("Data"), Member(t, "data", Null)
    CheckArray what & " InsertionStrings", r("InsertionStrings"), InsertionsOf(rule, record)
  End If
  CheckNoError what & " read"
End Sub

Section "EnumEventLogs: log names sorted as text, without keys"
Set result = el.EnumEventLogs("WEB1")
CheckNoError "EnumEventLogs"
CheckEqual "logs of WEB1", result.Count & ":" & result(1) & "," & result(2) & "," & result(3), "3:Application,Security,System"
Set result = el.EnumEventLogs("DB1")
CheckEqual "letter case ignored", result(1) & "," & result(2) & "," & result(3), "Application,Directory Service,security"
CheckEqual "a computer without logs", el.EnumEventLogs("TS1").Count, 0

Section "numberOfEvents: the rule's count; 0 for a log that does not exist"
For Each rule In web1("eventLogs").Items
  CheckEqual "count of " & rule("log"), el.numberOfEvents("WEB1", rule("log")), rule("count")
  CheckEqual "count of " & rule("log") & " in upper case", el.numberOfEvents("WEB1", UCase(rule("log"))), rule("count")
Next
CheckType "count", el.numberOfEvents("WEB1", "System"), "Long"
' A quote or a backslash in the name is matched literally.
For Each k In Array("Nope", "App's", "Sys\tem")
  CheckEqual "a missing log: " & k, el.numberOfEvents("WEB1", k), 0
Next
CheckEqual "an empty log", el.numberOfEvents("DB1", "Directory Service"), 0
CheckNoError "numberOfEvents"

Section "EnumLogEvents: the first page of System, newest first, every field"
Set rule = RuleOf(web1, "System")
Set result = el.EnumLogEvents("WEB1", "System")
CheckNoError "EnumLogEvents with defaults"
CheckEqual "25 entries", result.Count, 25
i = 3000
For Each rec In result
  CheckEvent "record " & i, rec, web1, rule, i, False
  CheckEqual "key of " & i, result(CStr(i))("RecordNumber"), i
  i = i - 1
Next
Set rule = RuleOf(web1, "Security")
For Each rec In el.EnumLogEvents("WEB1", "Security", 25, 1)
  CheckEvent "security " & rec("RecordNumber"), rec, web1, rule, rec("RecordNumber"), False
Next

Section "EnumLogEvents: all of the 3,000-entry log in pages of 100, then past the end"
Set rule = RuleOf(web1, "System")
expectedNext = 3000
ok = ""
For page = 1 To 31
  p = page
  Set result = el.EnumLogEvents("WEB1", "System", 100, p)
  If Err.Number <> 0 Then
    CheckNoError "page " & page
    Exit For
  End If
  CheckEqual "page number written back for page " & page, p, page - 1
  count = 0
  For Each rec In result
    count = count + 1
    If rec("RecordNumber") <> expectedNext Or rec("message") <> MessageOf(rule, expectedNext) Then
      If ok = "" Then ok = "page " & page & ": record " & rec("RecordNumber") & " where " & expectedNext & " was expected"
    End If
    expectedNext = expectedNext - 1
  Next
  CheckEqual "entries on page " & page & " (none past the end)", count, 100 + 100 * (page > 30)
Next
CheckTrue "every entry once, in order: " & ok, ok = ""
CheckEqual "walked down to the first record", expectedNext, 0
' page asked, its first record, the page written back
For Each k In Array(Array(7, 2850, 6), Array(0, 3000, 0), Array(-3, 3000, 0))
  p = k(0)
  Set result = el.EnumLogEvents("WEB1", "System", 25, p)
  CheckEqual "page " & k(0) & " starts at", result(1)("RecordNumber"), k(1)
  CheckEqual "page " & k(0) & " written back", p, k(2)
  If k(0) <> k(2) Then CheckType "a changed page number is written back as a number", p, "Long"
Next
p = 121
CheckEqual "the page after the last", el.EnumLogEvents("WEB1", "System", 25, p).Count, 0

Section "EnumLogEvents: short logs come whole; logs not starting at 1"
For Each k In Array(1, 2, 0)
  p = k
  Set result = el.EnumLogEvents("WEB1", "Security", 25, p)
  CheckEqual "Security on page " & k, result.Count & " from " & result(1)("RecordNumber"), "20 from 20"
Next
Set rule = RuleOf(web1, "Application")
Set result = el.EnumLogEvents("WEB1", "Application", 10, 1)
CheckEqual "Application page 1", result.Count, 10
CheckEvent "application newest", result(1), web1, rule, rule("firstRecord") + rule("count") - 1, False
p = 121
CheckEqual "pages below the first record are empty", el.EnumLogEvents("WEB1", "Application", 10, p).Count, 0
CheckEqual "an empty log", el.EnumLogEvents("DB1", "Directory Service").Count, 0
CheckEqual "a missing log", el.EnumLogEvents("WEB1", "Nope").Count, 0
Set result = el.EnumLogEvents("WEB2", "System")
CheckEvent "a computer five hours west", result(1), web2, RuleOf(web2, "System"), 20, False
CheckNoError "EnumLogEvents"

Section "getEvent: fourteen fields; the first log holding the number, or the log named"
Set rule = RuleOf(web1, "System")
For Each k In Array(11, 12, 2999)
  Set rec = el.getEvent("WEB1", k)
  CheckNoError "getEvent " & k
  CheckEvent "event " & k, rec, web1, rule, k, True
Next
CheckEvent "event 12 of Security", el.getEvent("WEB1", 12, "Security"), web1, RuleOf(web1, "Security"), 12, True
CheckEqual "a number in no log", el.getEvent("WEB1", 999999).Count, 0
CheckEqual "a fraction matches nothing", el.getEvent("WEB1", 12.5).Count, 0
CheckEqual "a log that does not hold it", el.getEvent("WEB1", 21, "Security").Count, 0
CheckNoError "getEvent"

Section "a uint32 from 2^31 up reads negative, as the management service delivers it"
' The newest Application entry of WEB1 whose template has such an identifier
' (Active Server Pages, 3221225477: 0xC0000005).
Set rule = RuleOf(web1, "Application")
k = 0
For i = rule("firstRecord") + rule("count") - 1 To rule("firstRecord") + rule("count") - rule("templates").Count Step -1
  If k = 0 And Member(TemplateOf(rule, i), "eventIdentifier", 0) >= 2 ^ 31 Then k = i
Next
CheckTrue "the fleet has such an entry", k > 0
Set rec = el.getEvent("WEB1", k, "Application")
CheckEqual "EventIdentifier of " & k, rec("EventIdentifier"), -1073741819
CheckType "EventIdentifier of " & k, rec("EventIdentifier"), "Long"
CheckEqual "the same in a page", el.EnumLogEvents("WEB1", "Application", 10, 1)(CStr(k))("EventIdentifier"), -1073741819
CheckNoError "a large identifier"

Section "event types as the class documents them, the Security log's audit types included"
Dim types, seen, entry
Set types = CreateObject("Scripting.Dictionary")
For Each k In Array(Array("Error", 1), Array("Warning", 2), Array("Information", 3), _
                    Array("Security Audit Success", 4), Array("Security Audit Failure", 5))
  types(k(0)) = k(1)
Next
Set seen = CreateObject("Scripting.Dictionary")
For Each rec In el.EnumLogEvents("WEB1", "Security", 25, 1)
  CheckTrue "Security entry " & rec("RecordNumber") & ": " & rec("Type"), types.Exists(rec("Type"))
  seen(rec("Type")) = True
Next
CheckTrue "both audit types seen, and no other", seen.Count = 2 And seen.Exists("Security Audit Success") And _
          seen.Exists("Security Audit Failure")
' EventType, which the component does not read, from the service itself.
For Each entry In GetObject("winmgmts:{impersonationLevel=impersonate,(Security)}!\\WEB1\root\cimv2").ExecQuery( _
                  "select * from Win32_NTLogEvent where Logfile = 'Security' or (Logfile = 'System' and RecordNumber > 2990)")
  CheckEqual entry.Logfile & " " & entry.RecordNumber & " EventType of " & entry.Type, entry.EventType, types(entry.Type)
  CheckEqual entry.Logfile & " " & entry.RecordNumber & " EventType as a byte", VarType(entry.EventType), vbByte
Next
CheckNoError "event types"

Section "failures carry each method's message"
Set result = el.EnumEventLogs("GHOST7")
CheckError "EnumEventLogs", &H800706BA, "Unable to list eventlogs on GHOST7: " & Unavailable
count = el.numberOfEvents("GHOST7", "System")
CheckError "numberOfEvents", &H800706BA, "unable to count events: " & Unavailable
Set result = el.EnumLogEvents("GHOST7", "System")
CheckError "EnumLogEvents", &H800706BA, "Error listing events in System: " & Unavailable
Set rec = el.getEvent("GHOST7", 12)
CheckError "getEvent", &H800706BA, "Unable to fetch Event (12): " & Unavailable
Set result = el.EnumLogEvents("WEB1", "System", 0, 1)
CheckTrue "a page size of 0: " & Err.Description, Err.Number = 11 And Left(Err.Description, 31) = "Error listing events in System:"
Err.Clear

Finish
