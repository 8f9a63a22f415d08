' EventLog.findEvents against the lab: the same records as a walk of the
' pages filtered by hand, newest first and bounded; hostile names matched
' literally or refused; one record per host through Quorvane.Fleet.
On Error Resume Next

Dim events, runner, since, expected, found, records, first

Set events = CreateObject("Quorvane.EventLog")
Set runner = CreateObject("Quorvane.Fleet")

' Record numbers of a collection of event records, in its order.
Function Numbers(list)
  Dim record
  Numbers = ""
  For Each record In list
    Numbers = Numbers & " " & record("RecordNumber")
  Next
  Numbers = Trim(Numbers)
End Function

' The record numbers of log since a time whose Type is one of types (",a,b,"),
' found by walking the pages newest first to the first older entry.
Function ByHand(computer, logName, fromTime, types)
  Dim page, served, record
  ByHand = ""
  page = 1
  Do
    Set served = events.getLogPage(computer, logName, 500, page)("Events")
    If served.Count = 0 Then Exit Do
    For Each record In served
      If record("TimeGenerated") < fromTime Then Exit Do
      If InStr(types, "," & record("Type") & ",") > 0 Then ByHand = ByHand & " " & record("RecordNumber")
    Next
    page = page + 1
  Loop
  ByHand = Trim(ByHand)
End Function

since = DateSerial(2026, 3, 2) + TimeSerial(12, 0, 0) ' a local time of this host

Section "the records of a hand-filtered walk, newest first, at most maxEvents"
expected = ByHand("WEB1", "System", since, ",Error,Warning,")
CheckTrue "some entries in the window", Len(expected) > 40
Set found = events.findEvents("WEB1", "System", since, "error, WARNING", 10000)
CheckNoError "findEvents"
CheckEqual "the same records", Numbers(found), expected
Set first = found(1)
CheckEqual "keyed by record number", found(CStr(first("RecordNumber")))("SourceName"), first("SourceName")
CheckEqual "eleven fields as the pages give them", first.Count, 11
CheckType "a date", first("TimeGenerated"), "Date"
CheckTrue "none before since", found(found.Count)("TimeGenerated") >= since
Dim newest : newest = Split(expected, " ")
CheckEqual "at most maxEvents", Numbers(events.findEvents("WEB1", "System", since, "Error,Warning", 3)), _
           newest(0) & " " & newest(1) & " " & newest(2)
CheckEqual "since as text", Numbers(events.findEvents("WEB1", "System", "2026-03-02 12:00:00", "Error,Warning", 10000)), expected
CheckNoError "the first reads"
CheckEqual "the audit types of the Security log", _
           Numbers(events.findEvents("WEB1", "Security", Empty, "security audit failure")), _
           ByHand("WEB1", "Security", DateSerial(2000, 1, 1), ",Security Audit Failure,")
CheckNoError "the Security log"
Set found = events.findEvents("WEB1", "System")
CheckEqual "no since and no types: the newest 100", found.Count, 100
CheckEqual "newest first", found(1)("RecordNumber"), 3000
CheckNoError "the reads"

Section "hostile names matched literally or refused"
CheckEqual "a log name holding quotes names no log", events.findEvents("WEB1", "System' or LogFile<>'", since).Count, 0
CheckNoError "the quoted log name"
Set found = events.findEvents("WEB1", "System", since, "Error' or '1'='1")
CheckError "a type holding a query", 5, _
           "Error with findEvents: Invalid procedure call or argument: 'Error' or '1'='1' is not an event type"
Set found = events.findEvents("WEB1", "System", since, "Error", 0)
CheckError "maxEvents 0", 5, _
           "Error with findEvents: Invalid procedure call or argument: maxEvents must be from 1 to 10000"
Set found = events.findEvents("GHOST7", "System")
CheckError "an unreachable host", &H800706BA, "Error with findEvents: The RPC server is unavailable."

Section "through Quorvane.Fleet: one record per host"
Set records = runner.Run("EventLog", "findEvents", "WEB1 DB1 GHOST7", "System", since, "Error,Warning", 50)
CheckNoError "Run"
CheckEqual "count", records.Count, 3
CheckEqual "WEB1 as directly", Numbers(records("WEB1")("Result")), _
           Numbers(events.findEvents("WEB1", "System", since, "Error,Warning", 50))
CheckEqual "DB1 has no System log", records("DB1")("Result").Count, 0
CheckEqual "GHOST7 fails", records("GHOST7")("Ok"), False

Finish
