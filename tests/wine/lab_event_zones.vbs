' Event times in the administration host's own zone, daylight saving
' included. scripts/lab-tests.sh runs this test once under each zone named
' below (TZ, which Wine takes per process) and passes the zone's offsets as
' the system's own zone data gives them (QV_ZONE_OFFSETS: "<universal
' instant>=<minutes east>" from that instant on). Every event of a few logs,
' as the component shows it, is checked against the moment the event
' recorded (read from the lab directly) moved by the offset in force then.
' LABHOST's System log runs across the end of Sydney's daylight saving.
' zones: Australia/Sydney Asia/Tokyo
On Error Resume Next

Dim el, zone, offsets, starts, minutes, n, i, pair

Set el = CreateObject("Quorvane.EventLog")

Function Environment(name)
  Environment = Replace(shell.ExpandEnvironmentStrings("%" & name & "%"), Chr(0), "")
  If Environment = "%" & name & "%" Then Environment = ""
End Function

' The universal moment of a management date-time text: the recorded local
' time less the recorded offset.
Function UniversalOf(text)
  Dim offset
  offset = CInt(Mid(text, 23, 3))
  If Mid(text, 22, 1) = "-" Then offset = -offset
  UniversalOf = DateAdd("n", -offset, TextDate(text))
End Function

' The local time of a universal moment by the zone's offsets.
Function LocalOf(universal)
  Dim j, shift
  shift = minutes(0)
  For j = 0 To n - 1
    If universal >= starts(j) Then shift = minutes(j)
  Next
  LocalOf = DateAdd("n", shift, universal)
End Function

Section "run under a zone, with the zone's offsets"
zone = Environment("TZ")
offsets = Split(Environment("QV_ZONE_OFFSETS"), " ")
CheckTrue "a zone (TZ): '" & zone & "'", zone <> "" And zone <> "UTC"
n = UBound(offsets) + 1
CheckTrue "offsets given", n >= 1
ReDim starts(n)
ReDim minutes(n)
For i = 0 To n - 1
  pair = Split(offsets(i), "=")
  starts(i) = IsoDate(Replace(pair(0), "Z", ""))
  minutes(i) = CLng(pair(1))
Next

' The newest entries of a log, up to size, from the component and from the
' lab directly; both times of each against the conversion here.
Sub CheckLog(computer, log, size)
  On Error Resume Next
  Dim events, service, generated, written, e, seen, key, what
  Set events = el.getLogPage(computer, log, size, 1)("Events")
  CheckNoError computer & " " & log & " through the component"
  Set generated = CreateObject("Scripting.Dictionary")
  Set written = CreateObject("Scripting.Dictionary")
  Set service = GetObject("winmgmts:{impersonationLevel=impersonate,(Security)}!//" & computer)
  For Each e In service.ExecQuery("Select * from Win32_NTLogEvent where LogFile='" & log & "'")
    If generated.Count = size Then Exit For
    generated.Add CStr(e.RecordNumber), LocalOf(UniversalOf(e.TimeGenerated))
    written.Add CStr(e.RecordNumber), LocalOf(UniversalOf(e.TimeWritten))
  Next
  CheckNoError computer & " " & log & " from the lab"
  seen = 0
  For Each key In generated.Keys
    what = computer & " " & log & " " & key
    CheckTrue what & " TimeGenerated " & events(key)("TimeGenerated") & ", expected " & generated(key), _
              SameMoment(events(key)("TimeGenerated"), generated(key))
    CheckTrue what & " TimeWritten " & events(key)("TimeWritten") & ", expected " & written(key), _
              SameMoment(events(key)("TimeWritten"), written(key))
    seen = seen + 1
  Next
  CheckNoError computer & " " & log & " compared"
  CheckEqual computer & " " & log & " events", events.Count, seen
End Sub

Section "every time of the newest events, as this zone shows their moments"
CheckLog "WEB1", "System", 50
CheckLog "WEB1", "Application", 50
CheckLog "WEB2", "System", 20
CheckLog "DB1", "security", 5
CheckLog "LABHOST", "System", 16

Finish
