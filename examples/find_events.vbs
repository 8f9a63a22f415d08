' The errors and warnings of one event log in the last hours, newest first,
' found where the log is (one query with the time and the types), at most 20.
'
'   cscript //nologo find_events.vbs [computer [log [hours [asof]]]]
'
' Defaults: WEB1 of the lab network, its System log, 24 hours before now
' (the lab's data is as of 2026-03-02 20:00: pass that as asof there).
Option Explicit

Dim computer, logName, hours, asOf
computer = "WEB1" : logName = "System" : hours = 24 : asOf = Now
If WScript.Arguments.Count > 0 Then computer = WScript.Arguments(0)
If WScript.Arguments.Count > 1 Then logName = WScript.Arguments(1)
If WScript.Arguments.Count > 2 Then hours = CLng(WScript.Arguments(2))
If WScript.Arguments.Count > 3 Then asOf = CDate(WScript.Arguments(3))

Dim events, found, e
Set events = CreateObject("Quorvane.EventLog")
On Error Resume Next
Set found = events.findEvents(computer, logName, DateAdd("h", -hours, asOf), "Error,Warning", 20)
If Err.Number <> 0 Then
  WScript.Echo Err.Description
  WScript.Quit 1
End If
On Error GoTo 0
WScript.Echo found.Count & " errors and warnings in " & logName & " of " & computer & " since " & DateAdd("h", -hours, asOf)
For Each e In found
  WScript.Echo e("TimeGenerated") & "  " & e("Type") & "  " & e("SourceName") & " (" & e("EventCode") & "): " & e("message")
Next
