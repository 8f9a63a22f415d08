' Benchmark against the lab's farm (24 hosts answering every bind and call
' after 500 ms, one host that never answers): osInfo on the 24 hosts one by
' one, then through Fleet.Run with Parallel 8, in the same script; then a Run
' over five answering hosts and the hung one with Timeout 2; then 1,000 names
' the lab does not know (each call fails at once) one by one and through Run
' with Parallel 64, the median of three each; last, 200 runs with the hung
' host in the list. Prints "fleet speed-up: <x>", "hang bounded: <seconds>",
' "fleet overhead vs direct: <x>" and "stuck workers after 200 runs: <n>"
' (the callers the lab's hung host holds).
Option Explicit

Dim info, fleet, hosts, i, started, direct, parallel, records, record, answered, unknown, times(2), pass

' Two decimals: the prefix's VBScript Round ignores its second argument.
Function Hundredths(x)
  Hundredths = Int(x * 100 + 0.5) / 100
End Function
Function Thousandths(x)
  Thousandths = Int(x * 1000 + 0.5) / 1000
End Function

Set info = CreateObject("Quorvane.ServerInfo")
Set fleet = CreateObject("Quorvane.Fleet")
ReDim hosts(23)
For i = 0 To 23
  hosts(i) = "FARM" & Right("0" & (i + 1), 2)
Next

started = Timer
For i = 0 To 23
  info.osInfo hosts(i)
Next
direct = Timer - started

fleet.Parallel = 8
started = Timer
Set records = fleet.Run("ServerInfo", "osInfo", hosts)
parallel = Timer - started
answered = 0
For Each record In records
  If record("Ok") Then answered = answered + 1
Next
If answered <> 24 Then WScript.Echo "fleet: " & answered & " of 24 hosts answered" : WScript.Quit 1
If parallel <= 0 Then parallel = 0.001
WScript.Echo "fleet speed-up: " & Hundredths(direct / parallel)

fleet.Timeout = 2
started = Timer
Set records = fleet.Run("ServerInfo", "osInfo", "FARM01 FARM02 FARM03 FARM04 FARM05 HUNG1")
WScript.Echo "hang bounded: " & Hundredths(Timer - started)
If records("HUNG1")("Ok") Or Not records("FARM05")("Ok") Then WScript.Echo "fleet: wrong records" : WScript.Quit 1

' The middle of three times.
Function Median(t)
  Median = t(0) + t(1) + t(2) - Max(t) - Min(t)
End Function
Function Max(t)
  Max = t(0) : If t(1) > Max Then Max = t(1)
  If t(2) > Max Then Max = t(2)
End Function
Function Min(t)
  Min = t(0) : If t(1) < Min Then Min = t(1)
  If t(2) < Min Then Min = t(2)
End Function

ReDim unknown(999)
For i = 0 To 999
  unknown(i) = "NOSUCH" & Right("000" & i, 4)
Next
On Error Resume Next
For pass = 0 To 2
  started = Timer
  For i = 0 To 999
    info.osInfo unknown(i)
  Next
  times(pass) = Timer - started
Next
Err.Clear
On Error GoTo 0
direct = Median(times)
fleet.Parallel = 64
For pass = 0 To 2
  started = Timer
  Set records = fleet.Run("ServerInfo", "osInfo", unknown)
  times(pass) = Timer - started
Next
If records.Count <> 1000 Or records(1000)("Ok") Then WScript.Echo "fleet: wrong records for unknown names" : WScript.Quit 1
parallel = Median(times)
If direct <= 0 Then direct = 0.001
WScript.Echo "1,000 names that fail at once: " & Thousandths(direct) & " s one by one, " & Thousandths(parallel) & _
             " s through Run (medians)"
WScript.Echo "fleet overhead vs direct: " & Hundredths(parallel / direct)

fleet.Timeout = 0.2
For pass = 1 To 200
  Set records = fleet.Run("ServerInfo", "osInfo", "HUNG1 FARM01")
Next
If records("HUNG1")("Ok") Then WScript.Echo "fleet: the hung host answered" : WScript.Quit 1
WScript.Echo "stuck workers after 200 runs: " & _
             CreateObject("WScript.Shell").Environment("PROCESS")("QV_LAB_STUCK_CALLERS")
