' Benchmark against the lab's farm (24 hosts answering every bind and call
' after 500 ms, one host that never answers): osInfo on the 24 hosts one by
' one, then through Fleet.Run with Parallel 8, in the same script; then a Run
' over five answering hosts and the hung one with Timeout 2. Prints
' "fleet speed-up: <x>" and "hang bounded: <seconds>".
Option Explicit

Dim info, fleet, hosts, i, started, direct, parallel, records, record, answered

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
WScript.Echo "fleet speed-up: " & Round(direct / parallel, 2)

fleet.Timeout = 2
started = Timer
Set records = fleet.Run("ServerInfo", "osInfo", "FARM01 FARM02 FARM03 FARM04 FARM05 HUNG1")
WScript.Echo "hang bounded: " & Round(Timer - started, 2)
If records("HUNG1")("Ok") Or Not records("FARM05")("Ok") Then WScript.Echo "fleet: wrong records" : WScript.Quit 1
