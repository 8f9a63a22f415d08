' EventLog against the lab's logs, made by rule in the fleet: log names,
' counts, pages of a 3,000-entry log walked to the end, and event details.
' Expected entries are worked out here from the fleet's rules.
On Error Resume Next

Dim el, result, rec, i, k, web1, hostBias, rule, p, expectedNext, page, count, ok

Set el = CreateObject("Quorvane.EventLog")
Set web1 = ComputerNamed("WEB1")
Set rule = LocalComputer()
hostBias = rule("wmi")("Win32_TimeZone")(0)("Bias")

Function RuleOf(computer, log)
  Set RuleOf = ItemWhere(computer("eventLogs"), "log", log)
End Function

' Minutes east of universal time that the computer writes into its times.
Function OffsetOf(computer)
  OffsetOf = -computer("wmi")("Win32_TimeZone")(0)("Bias")
End Function

Function TemplateOf(rule, record)
  Set TemplateOf = rule("templates")((record - rule("firstRecord")) Mod rule("templates").Count)
End Function

' The insertion strings of a record, or Null.
Function InsertionsOf(rule, record)
  Dim t, step
  Set t = TemplateOf(rule, record)
  step = record - rule("firstRecord")
  If t.Exists("insertions") Then
    Set InsertionsOf = t("insertions")((step \ rule("templates").Count) Mod t("insertions").Count)
  Else
    InsertionsOf = Null
  End If
End Function

Function MessageOf(rule, record)
  Dim t, text, j, strings
  Set t = TemplateOf(rule, record)
  text = t("message")
  If t.Exists("insertions") Then
    Set strings = InsertionsOf(rule, record)
    For j = strings.Count To 1 Step -1
      text = Replace(text, "%" & j, strings(j - 1))
    Next
  End If
  MessageOf = text
End Function

' TimeGenerated as the component shows it: the recorded local time moved by
' the host's bias less the recorded offset.
Function GeneratedOf(computer, rule, record)
  GeneratedOf = IsoDate(rule("start")) + (record - rule("firstRecord")) * rule("intervalSeconds") / 86400 + _
                (hostBias - OffsetOf(computer)) / 1440
End Function

Sub CheckEvent(what, r, computer, rule, record, detailed)
  Dim t, user, category, keys, j
  Set t = TemplateOf(rule, record)
  keys = "User,Type,Category,CategoryString,EventCode,EventIdentifier,RecordNumber,SourceName,TimeGenerated,TimeWritten,message"
  If detailed Then keys = keys & ",ComputerName,Data,InsertionStrings"
  CheckKeys what, r, keys
  user = Member(t, "user", Null)
  If Not IsNull(user) Then
    If Trim(user) = "" Then user = "N/A"
  End If
  CheckEqual what & " User", r("User"), user
  CheckEqual what & " Type", r("Type"), t("type")
  CheckEqual what & " Category", r("Category"), Member(t, "category", 0)
  category = Member(t, "categoryString", "")
  If Trim(category) = "" Then category = "None"
  CheckEqual what & " CategoryString", r("CategoryString"), category
  CheckEqual what & " EventCode", r("EventCode"), Member(t, "eventCode", 0)
  CheckEqual what & " EventIdentifier", r("EventIdentifier"), Member(t, "eventIdentifier", Member(t, "eventCode", 0))
  CheckEqual what & " RecordNumber", r("RecordNumber"), record
  CheckType what & " RecordNumber", r("RecordNumber"), "Long"
  CheckEqual what & " SourceName", r("SourceName"), t("source")
  CheckTrue what & " TimeGenerated " & r("TimeGenerated"), SameMoment(r("TimeGenerated"), GeneratedOf(computer, rule, record))
  CheckTrue what & " TimeWritten", SameMoment(r("TimeWritten"), GeneratedOf(computer, rule, record) + _
            Member(t, "writeDelaySeconds", 0) / 86400)
  CheckType what & " TimeGenerated", r("TimeGenerated"), "Date"
  CheckEqual what & " message", r("message"), MessageOf(rule, record)
  If detailed Then
    ' Arrays are read into variables first: the prefix's VBScript cannot
    ' index the result of a call.
    Dim data, strings, fleetStrings
    CheckEqual what & " ComputerName", r("ComputerName"), computer("name")
    data = r("Data")
    If t.Exists("data") Then
      CheckTrue what & " Data is an array", IsArray(data)
      CheckEqual what & " Data size", UBound(data) + 1, t("data").Count
      For j = 0 To t("data").Count - 1
        CheckEqual what & " Data " & j, data(j), t("data")(j)
      Next
    Else
      CheckTrue what & " Data Null", IsNull(data)
    End If
    strings = r("InsertionStrings")
    If t.Exists("insertions") Then
      Set fleetStrings = InsertionsOf(rule, record)
      CheckTrue what & " InsertionStrings is an array", IsArray(strings)
      CheckEqual what & " insertion count", UBound(strings) + 1, fleetStrings.Count
      For j = 0 To fleetStrings.Count - 1
        CheckEqual what & " insertion " & j, strings(j), fleetStrings(j)
      Next
    Else
      CheckTrue what & " InsertionStrings Null", IsNull(strings)
    End If
  End If
End Sub

Section "EnumEventLogs: log names sorted as text, without keys"
Set result = el.EnumEventLogs("WEB1")
CheckNoError "EnumEventLogs"
CheckEqual "log count", result.Count, 3
CheckEqual "first", result(1), "Application"
CheckEqual "second", result(2), "Security"
CheckEqual "third", result(3), "System"
Set result = el.EnumEventLogs("DB1")
CheckEqual "letter case ignored: first", result(1), "Application"
CheckEqual "letter case ignored: second", result(2), "Directory Service"
CheckEqual "letter case ignored: third", result(3), "security"
CheckEqual "a computer without logs", el.EnumEventLogs("TS1").Count, 0

Section "numberOfEvents: the rule's count; 0 for a log that does not exist"
For i = 0 To web1("eventLogs").Count - 1
  Set rule = web1("eventLogs")(i)
  CheckEqual "count of " & rule("log"), el.numberOfEvents("WEB1", rule("log")), rule("count")
  CheckEqual "count of " & rule("log") & " in upper case", el.numberOfEvents("WEB1", UCase(rule("log"))), rule("count")
Next
CheckType "count", el.numberOfEvents("WEB1", "System"), "Long"
CheckEqual "a missing log", el.numberOfEvents("WEB1", "Nope"), 0
CheckEqual "a quote in the name is matched literally", el.numberOfEvents("WEB1", "App's"), 0
CheckEqual "a backslash in the name is matched literally", el.numberOfEvents("WEB1", "Sys\tem"), 0
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
Set rec = RuleOf(web1, "Security")
Set result = el.EnumLogEvents("WEB1", "Security", 25, 1)
For Each k In result
  CheckEvent "security " & k("RecordNumber"), k, web1, rec, k("RecordNumber"), False
Next

Section "EnumLogEvents: all of the 3,000-entry log in pages of 100, then past the end"
expectedNext = 3000
ok = True
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
      If ok Then Fail "page " & page & ": record " & rec("RecordNumber") & " where " & expectedNext & " was expected"
      ok = False
    End If
    expectedNext = expectedNext - 1
  Next
  If page <= 30 Then
    CheckEqual "entries on page " & page, count, 100
  Else
    CheckEqual "a page past the end is empty", count, 0
  End If
Next
CheckTrue "every entry once, in order", ok
CheckEqual "walked down to the first record", expectedNext, 0
p = 7
Set result = el.EnumLogEvents("WEB1", "System", 25, p)
CheckEqual "page 7 starts at", result(1)("RecordNumber"), 3000 - 6 * 25
CheckEqual "page 7 written back as 6", p, 6
CheckType "written back as a number", p, "Long"
For Each k In Array(0, -3)
  p = k
  Set result = el.EnumLogEvents("WEB1", "System", 25, p)
  CheckEqual "page " & k & " is page 1", result(1)("RecordNumber"), 3000
  CheckEqual "page " & k & " written back as 0", p, 0
Next
p = 121
Set result = el.EnumLogEvents("WEB1", "System", 25, p)
CheckEqual "the page after the last", result.Count, 0

Section "EnumLogEvents: short logs come whole; logs not starting at 1"
For Each k In Array(1, 2, 0)
  p = k
  Set result = el.EnumLogEvents("WEB1", "Security", 25, p)
  CheckEqual "Security on page " & k, result.Count, 20
  CheckEqual "newest first on page " & k, result(1)("RecordNumber"), 20
Next
Set rule = RuleOf(web1, "Application")
Set result = el.EnumLogEvents("WEB1", "Application", 10, 1)
CheckEqual "Application page 1", result.Count, 10
CheckEvent "application newest", result(1), web1, rule, rule("firstRecord") + rule("count") - 1, False
p = 121
Set result = el.EnumLogEvents("WEB1", "Application", 10, p)
CheckEqual "pages below the first record are empty", result.Count, 0
CheckEqual "an empty log", el.EnumLogEvents("DB1", "Directory Service").Count, 0
CheckEqual "a missing log", el.EnumLogEvents("WEB1", "Nope").Count, 0
Set rule = RuleOf(ComputerNamed("WEB2"), "System")
Set result = el.EnumLogEvents("WEB2", "System")
CheckEvent "a computer five hours west", result(1), ComputerNamed("WEB2"), rule, 20, False
CheckNoError "EnumLogEvents"

Section "getEvent: fourteen fields; the first log holding the number, or the log named"
Set rule = RuleOf(web1, "System")
For Each k In Array(11, 12, 2999)
  Set rec = el.getEvent("WEB1", k)
  CheckNoError "getEvent " & k
  CheckEvent "event " & k, rec, web1, rule, k, True
Next
Set rec = el.getEvent("WEB1", 12, "Security")
CheckEvent "event 12 of Security", rec, web1, RuleOf(web1, "Security"), 12, True
CheckEqual "a number in no log", el.getEvent("WEB1", 999999).Count, 0
CheckEqual "a fraction matches nothing", el.getEvent("WEB1", 12.5).Count, 0
CheckEqual "a log that does not hold it", el.getEvent("WEB1", 21, "Security").Count, 0
CheckNoError "getEvent"

Section "failures carry each method's message"
Set result = el.EnumEventLogs("GHOST7")
CheckError "EnumEventLogs", &H800706BA, "Unable to list eventlogs on GHOST7: The RPC server is unavailable."
count = el.numberOfEvents("GHOST7", "System")
CheckError "numberOfEvents", &H800706BA, "unable to count events: The RPC server is unavailable."
Set result = el.EnumLogEvents("GHOST7", "System")
CheckError "EnumLogEvents", &H800706BA, "Error listing events in System: The RPC server is unavailable."
Set rec = el.getEvent("GHOST7", 12)
CheckError "getEvent", &H800706BA, "Unable to fetch Event (12): The RPC server is unavailable."
Set result = el.EnumLogEvents("WEB1", "System", 0, 1)
CheckTrue "a page size of 0: " & Err.Description, Err.Number = 11 And Left(Err.Description, 31) = "Error listing events in System:"
Err.Clear

Finish
