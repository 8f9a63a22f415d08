' The morning page: what is wrong across the servers right now, as one HTML
' page. For every computer of the network (or the ones named): reachable or
' not, operating system and uptime, fixed drives with less than 10% free,
' services set to start automatically that are not running, the errors and
' warnings of the System and Application logs in the 24 hours before the
' "as of" time, and disconnected terminal sessions. Hosts with problems come
' first: bad news red, warnings amber, unreachable or silent hosts grey.
'
'   cscript //nologo fleet_health.vbs [/out:page.html] [/asof:"2026-03-02 20:00"]
'                                     [/hosts:"CORP/WEB1 CORP/DB1"] [/timeout:10]
'
' Without /hosts the computers of every workgroup the network lists are
' read. Each member runs through Quorvane.Fleet, one run for all hosts at a
' time, within /timeout seconds a host; a host that does not answer the
' first run is left out of the others, so it costs one time-out per report.
' The last line printed reads "hosts: N, seconds: S".
Option Explicit

Const kFreeWarnPercent = 10
Const kMaxEvents = 10000
Const kNewestShown = 3
Const kRed = "#b91c1c"
Const kRedBack = "#fef2f2"
Const kAmber = "#b45309"
Const kAmberBack = "#fffbeb"
Const kGrey = "#6b7280"
Const kGreyBack = "#f3f4f6"
Const kGreen = "#15803d"
Const kGreenBack = "#f0fdf4"

Dim started : started = Timer

' The value of /name:value on the command line, or Empty. (Read by hand:
' not every script host has WScript.Arguments.Named.)
Function Named(name)
  Dim a, prefix
  Named = Empty
  prefix = "/" & LCase(name) & ":"
  For a = 0 To WScript.Arguments.Count - 1
    If LCase(Left(WScript.Arguments(a), Len(prefix))) = prefix Then Named = Mid(WScript.Arguments(a), Len(prefix) + 1)
  Next
End Function

Dim outPath : outPath = Named("out")
If IsEmpty(outPath) Then outPath = "fleet-health.html"
Dim asOf : asOf = Named("asof")
If IsEmpty(asOf) Then asOf = Now Else asOf = CDate(asOf)
Dim since : since = DateAdd("h", -24, asOf)
Dim timeoutSeconds : timeoutSeconds = Named("timeout")
If IsEmpty(timeoutSeconds) Then timeoutSeconds = 10 Else timeoutSeconds = CLng(timeoutSeconds)
Dim hostList : hostList = Named("hosts")

' ---- which hosts ----------------------------------------------------------

' names(i): the computer; groups(i): its workgroup ("" when not known).
Dim names, groups, count
names = Array() : groups = Array() : count = 0
Sub AddHost(workgroup, computer)
  ReDim Preserve names(count)
  ReDim Preserve groups(count)
  names(count) = computer : groups(count) = workgroup
  count = count + 1
End Sub

If Not IsEmpty(hostList) Then
  Dim item, slash
  For Each item In Split(Replace(hostList, ",", " "), " ")
    If item <> "" Then
      slash = InStr(item, "/")
      If slash > 0 Then AddHost Left(item, slash - 1), Mid(item, slash + 1) Else AddHost "", item
    End If
  Next
Else
  Dim browser, wg, pc
  Set browser = CreateObject("Quorvane.Services")
  For Each wg In browser.getWorkgroups()
    browser.setWorkgroup = wg("Workgroup")
    For Each pc In browser.getComputers()
      AddHost wg("Workgroup"), pc("Computer")
    Next
  Next
End If
If count = 0 Then
  WScript.Echo "fleet_health: no hosts to look at"
  WScript.Quit 2
End If

' ---- the runs -----------------------------------------------------------

Dim fleet : Set fleet = CreateObject("Quorvane.Fleet")
fleet.Timeout = timeoutSeconds
fleet.Parallel = 32

' Per host: its state and what each run found. Outcomes are looked up by
' position: every run lists its hosts in this order.
Dim answered, osRec, reachText
ReDim answered(count - 1)
ReDim osRec(count - 1)
ReDim reachText(count - 1)
Dim outcomes, i, rec
Set outcomes = fleet.Run("ServerInfo", "osInfo", names)
For i = 0 To count - 1
  Set rec = outcomes(i + 1)
  answered(i) = rec("Ok")
  If answered(i) Then
    Set osRec(i) = rec("Result")
  Else
    reachText(i) = rec("Description") & " (" & FormatNumber(rec("Seconds"), 1) & " s)"
  End If
Next

' The hosts that answered, as plain names and as workgroup/name.
Dim live, liveTargets, liveIndex, liveCount
live = Array() : liveTargets = Array() : liveIndex = Array() : liveCount = 0
For i = 0 To count - 1
  If answered(i) Then
    ReDim Preserve live(liveCount)
    ReDim Preserve liveTargets(liveCount)
    ReDim Preserve liveIndex(liveCount)
    live(liveCount) = names(i)
    If groups(i) <> "" Then liveTargets(liveCount) = groups(i) & "/" & names(i) Else liveTargets(liveCount) = names(i)
    liveIndex(liveCount) = i
    liveCount = liveCount + 1
  End If
Next

' One run of a member over the live hosts; results(i) is the outcome record
' of host i (Nothing for a host not asked).
Function RunLive(className, memberName, targets, extra)
  Dim result, outcome, k
  ReDim result(count - 1)
  For k = 0 To count - 1
    Set result(k) = Nothing
  Next
  If liveCount > 0 Then
    If IsArray(extra) Then
      Set outcome = fleet.Run(className, memberName, targets, extra(0), extra(1), extra(2), extra(3))
    ElseIf IsEmpty(extra) Then
      Set outcome = fleet.Run(className, memberName, targets)
    Else
      Set outcome = fleet.Run(className, memberName, targets, extra)
    End If
    For k = 0 To liveCount - 1
      Set result(liveIndex(k)) = outcome(k + 1)
    Next
  End If
  RunLive = result
End Function

Dim drives, services, systemEvents, appEvents, sessions
drives = RunLive("ServerInfo", "logicalDriveInfo", live, Empty)
services = RunLive("Services", "servicesSorted", liveTargets, "DisplayName")
systemEvents = RunLive("EventLog", "findEvents", live, Array("System", since, "Error,Warning", kMaxEvents))
appEvents = RunLive("EventLog", "findEvents", live, Array("Application", since, "Error,Warning", kMaxEvents))
' The session listing starts a program on this host for each server: fewer
' at a time, so none waits its time bound out behind the others.
fleet.Parallel = 8
sessions = RunLive("TerminalServices", "getLogonUsers", live, Empty)

' ---- HTML ---------------------------------------------------------------

' Text as HTML. The page is written as UTF-16 with its byte-order mark, so
' any character may stand as it is.
Function H(value)
  If IsNull(value) Or IsEmpty(value) Then H = "" : Exit Function
  H = Replace(Replace(Replace(Replace(CStr(value), "&", "&amp;"), "<", "&lt;"), ">", "&gt;"), """", "&quot;")
End Function

Function Stamp(d)
  Stamp = Year(d) & "-" & Right("0" & Month(d), 2) & "-" & Right("0" & Day(d), 2) & " " & _
          Right("0" & Hour(d), 2) & ":" & Right("0" & Minute(d), 2)
End Function

Function Chip(text, colour, back)
  Chip = "<span style=""display:inline-block;padding:1px 8px;margin:1px 4px 1px 0;border-radius:10px;" & _
         "font-size:12px;color:" & colour & ";background:" & back & ";border:1px solid " & colour & "33"">" & _
         text & "</span>"
End Function

' The uptime at the "as of" time: LastBoot is universal time, the "as of"
' time is this host's; the host's bias (minutes west of UTC) joins them.
Function UptimeText(os)
  Dim bias, minutes, shell
  bias = 0
  On Error Resume Next
  Set shell = CreateObject("WScript.Shell")
  bias = CLng(shell.RegRead("HKLM\System\CurrentControlSet\Control\TimeZoneInformation\ActiveTimeBias"))
  If Err.Number <> 0 Then bias = 0
  Err.Clear
  minutes = CLng((CDbl(asOf) + bias / 1440 - CDbl(os("LastBoot"))) * 1440)
  If Err.Number <> 0 Or IsNull(os("LastBoot")) Then
    UptimeText = "uptime unknown"
  ElseIf minutes < 0 Then
    UptimeText = "booted after the as-of time"
  Else
    UptimeText = "up " & (minutes \ 1440) & " d " & ((minutes \ 60) Mod 24) & " h"
  End If
  On Error GoTo 0
End Function

' Severity: 3 unreachable, 2 bad news, 1 warning, 0 all well.
Dim severity, cells
ReDim severity(count - 1)
ReDim cells(count - 1)

Sub Worsen(k, level)
  If severity(k) < level And severity(k) < 3 Then severity(k) = level
End Sub

' A failed read on a host that answered is a warning, with its text.
Function ReadFailure(k, outcome, what)
  ReadFailure = ""
  If outcome Is Nothing Then Exit Function
  If Not outcome("Ok") Then
    Worsen k, 1
    ReadFailure = "<div style=""color:" & kAmber & """>" & what & " not read: " & H(outcome("Description")) & "</div>"
  End If
End Function

Function DrivesCell(k)
  Dim outcome, d, used, text, percent, full, line
  Set outcome = drives(k)
  text = ReadFailure(k, outcome, "drives")
  If text = "" Then
    For Each d In outcome("Result")
      percent = d("PercentUsed")
      If IsNumeric(percent) And Trim(percent) <> "" Then used = CDbl(percent) Else used = -1
      full = used > 100 - kFreeWarnPercent
      line = H(d("DriveLetter")) & " " & H(d("FreeSpace")) & " free of " & H(d("DiskSize"))
      If full Then
        Worsen k, 2
        line = line & " (" & H(FormatNumber(used, 1)) & "% used)"
      End If
      text = text & "<div data-drive=""" & H(d("DriveLetter")) & """ data-full=""" & IIf3(full, "1", "0") & _
             """ style=""color:" & IIf3(full, kRed & ";font-weight:600", "#374151") & """>" & line & "</div>"
    Next
    If text = "" Then text = "<span style=""color:" & kGrey & """>no fixed drives</span>"
  End If
  DrivesCell = text
End Function

Function ServicesCell(k)
  Dim outcome, s, text, stopped
  Set outcome = services(k)
  text = ReadFailure(k, outcome, "services")
  If text = "" Then
    For Each s In outcome("Result")
      If CStr(s("StartType")) = "2" And CStr(s("Status")) <> "4" Then
        stopped = (CStr(s("Status")) = "1")
        If stopped Then Worsen k, 2 Else Worsen k, 1
        text = text & "<div data-service=""" & H(s("Name")) & """ style=""color:" & _
               IIf3(stopped, kRed, kAmber) & ";font-weight:600"">" & H(s("DisplayName")) & " " & _
               IIf3(stopped, "stopped", "not running (state " & H(s("Status")) & ")") & "</div>"
      End If
    Next
    If text = "" Then text = "<span style=""color:" & kGreen & """>automatic services running</span>"
  End If
  ServicesCell = text
End Function

Function IIf3(test, yes, no)
  If test Then IIf3 = yes Else IIf3 = no
End Function

Function EventsBlock(k, outcome, logName)
  Dim text, e, errors, warnings, shown, newest, kind
  text = ReadFailure(k, outcome, logName & " log")
  If text <> "" Then EventsBlock = text : Exit Function
  errors = 0 : warnings = 0 : shown = 0 : newest = ""
  For Each e In outcome("Result")
    If e("Type") = "Error" Then errors = errors + 1 Else warnings = warnings + 1
    If shown < kNewestShown Then
      If e("Type") = "Error" Then kind = kRed Else kind = kAmber
      newest = newest & "<li style=""margin:2px 0""><span style=""color:" & kind & ";font-weight:600"">" & _
               H(e("Type")) & "</span> <span style=""color:#6b7280"">" & H(Stamp(e("TimeGenerated"))) & _
               "</span> <b>" & H(e("SourceName")) & "</b> " & H(Left(e("message"), 160)) & "</li>"
      shown = shown + 1
    End If
  Next
  If errors > 0 Then
    Worsen k, 2
  ElseIf warnings > 0 Then
    Worsen k, 1
  End If
  text = "<div data-log=""" & logName & """ data-errors=""" & errors & """ data-warnings=""" & warnings & """>" & _
         "<b>" & logName & "</b> "
  If errors + warnings = 0 Then
    text = text & "<span style=""color:" & kGreen & """>quiet</span>"
  Else
    If errors > 0 Then text = text & Chip(errors & " error" & IIf3(errors = 1, "", "s"), kRed, kRedBack)
    If warnings > 0 Then text = text & Chip(warnings & " warning" & IIf3(warnings = 1, "", "s"), kAmber, kAmberBack)
    If errors + warnings >= kMaxEvents Then text = text & "(first " & kMaxEvents & " only)"
    text = text & "<ul style=""margin:4px 0 6px 16px;padding:0;font-size:12px"">" & newest & "</ul>"
  End If
  EventsBlock = text & "</div>"
End Function

Function SessionsCell(k)
  Dim outcome, s, text
  Set outcome = sessions(k)
  If Not (outcome Is Nothing) Then
    If Not outcome("Ok") Then SessionsCell = "<span style=""color:" & kGrey & """>no session listing: " & H(outcome("Description")) & "</span>" : Exit Function
  End If
  text = ""
  For Each s In outcome("Result")
    If LCase(s("state")) = "disc" Then
      Worsen k, 1
      text = text & "<div data-session=""disconnected"" style=""color:" & kAmber & ";font-weight:600"">" & _
             H(s("username")) & " disconnected (id " & H(s("id")) & ", idle " & H(s("idletime")) & ")</div>"
    End If
  Next
  If text = "" Then text = "<span style=""color:" & kGreen & """>none disconnected</span>"
  SessionsCell = text
End Function

Dim k, hostCell, stateColour, stateBack, stateName
For k = 0 To count - 1
  If Not answered(k) Then
    severity(k) = 3
    cells(k) = "<td colspan=""4"" style=""color:" & kGrey & """>unreachable: " & H(reachText(k)) & "</td>"
  Else
    severity(k) = 0
    cells(k) = "<td>" & DrivesCell(k) & "</td><td>" & ServicesCell(k) & "</td><td>" & _
               EventsBlock(k, systemEvents(k), "System") & EventsBlock(k, appEvents(k), "Application") & _
               "</td><td>" & SessionsCell(k) & "</td>"
  End If
Next

Dim totals(3), order, placed, level
totals(0) = 0 : totals(1) = 0 : totals(2) = 0 : totals(3) = 0
ReDim order(count - 1)
placed = 0
For level = 2 To 0 Step -1 ' unreachable, bad news, warnings, then all well
  If level = 2 Then
    For k = 0 To count - 1
      If severity(k) = 3 Then order(placed) = k : placed = placed + 1
    Next
  End If
  For k = 0 To count - 1
    If severity(k) = level Then order(placed) = k : placed = placed + 1
  Next
Next
For k = 0 To count - 1
  totals(severity(k)) = totals(severity(k)) + 1
Next

Dim rows, n
rows = ""
For n = 0 To count - 1
  k = order(n)
  Select Case severity(k)
    Case 3: stateColour = kGrey : stateBack = kGreyBack : stateName = "unreachable"
    Case 2: stateColour = kRed : stateBack = kRedBack : stateName = "bad news"
    Case 1: stateColour = kAmber : stateBack = kAmberBack : stateName = "warning"
    Case Else: stateColour = kGreen : stateBack = "#ffffff" : stateName = "ok"
  End Select
  hostCell = "<td style=""border-left:6px solid " & stateColour & ";width:230px""><div><span style=""font-size:15px;" & _
             "font-weight:700;margin-right:6px"">" & H(names(k)) & "</span>" & Chip(stateName, stateColour, "#ffffff") & _
             "</div><div style=""color:#6b7280;font-size:12px"">" & H(groups(k))
  If answered(k) Then
    hostCell = hostCell & " &middot; " & H(osRec(k)("OperatingSystem")) & " " & H(osRec(k)("ServicePack")) & _
               "</div><div style=""font-size:12px;color:#374151"">" & H(UptimeText(osRec(k)))
  End If
  hostCell = hostCell & "</div>"
  hostCell = hostCell & "</td>"
  rows = rows & "<tr data-host=""" & H(names(k)) & """ data-state=""" & Replace(stateName, " ", "-") & _
         """ style=""background:" & stateBack & """>" & hostCell & cells(k) & "</tr>" & vbCrLf
Next

Dim seconds : seconds = Timer - started
If seconds < 0 Then seconds = seconds + 86400

Dim page
page = "<!DOCTYPE html>" & vbCrLf & "<html lang=""en""><head>" & _
  "<title>Fleet health " & H(Stamp(asOf)) & "</title><style>" & _
  "body{margin:0;font-family:'Segoe UI','DejaVu Sans',Arial,sans-serif;color:#111827;background:#f9fafb}" & _
  "header{background:#111827;color:#f9fafb;padding:18px 28px}" & _
  "h1{margin:0;font-size:24px;font-weight:700}" & _
  ".sub{color:#d1d5db;font-size:13px;margin-top:4px}" & _
  ".totals{padding:14px 28px;display:flex;gap:12px;flex-wrap:wrap}" & _
  ".total{background:#fff;border-radius:8px;padding:10px 16px;min-width:110px;box-shadow:0 1px 2px #0001;border-top:4px solid}" & _
  ".total b{display:block;font-size:26px}" & _
  "table{border-collapse:separate;border-spacing:0 6px;margin:0 20px 24px;width:calc(100% - 40px)}" & _
  "th{text-align:left;font-size:12px;text-transform:uppercase;letter-spacing:.05em;color:#6b7280;padding:4px 10px}" & _
  "td{vertical-align:top;padding:10px;font-size:13px;border-top:1px solid #e5e7eb;border-bottom:1px solid #e5e7eb}" & _
  "td:last-child{border-right:1px solid #e5e7eb}" & _
  "footer{color:#6b7280;font-size:12px;padding:0 28px 24px}" & _
  "</style></head><body>" & vbCrLf & _
  "<header><h1>Fleet health</h1><div class=""sub"">as of <b data-asof=""" & H(Stamp(asOf)) & """>" & _
  H(Stamp(asOf)) & "</b> &middot; events since " & H(Stamp(since)) & " &middot; " & count & " hosts</div></header>" & _
  "<div class=""totals"">" & _
  "<div class=""total"" style=""border-color:" & kRed & """><b style=""color:" & kRed & """>" & totals(2) & "</b>bad news</div>" & _
  "<div class=""total"" style=""border-color:" & kAmber & """><b style=""color:" & kAmber & """>" & totals(1) & "</b>warnings</div>" & _
  "<div class=""total"" style=""border-color:" & kGrey & """><b style=""color:" & kGrey & """>" & totals(3) & "</b>unreachable</div>" & _
  "<div class=""total"" style=""border-color:" & kGreen & """><b style=""color:" & kGreen & """>" & totals(0) & "</b>all well</div>" & _
  "</div>" & vbCrLf & _
  "<table><thead><tr><th>Host</th><th>Fixed drives</th><th>Automatic services</th><th>Errors and warnings, 24 h</th>" & _
  "<th>Sessions</th></tr></thead><tbody>" & vbCrLf & rows & "</tbody></table>" & vbCrLf & _
  "<footer>Read through Quorvane.Fleet, one run a member for all hosts, " & timeoutSeconds & _
  " s a host at most; made in " & FormatNumber(seconds, 1) & " s.</footer></body></html>" & vbCrLf

Dim fso, file
Set fso = CreateObject("Scripting.FileSystemObject")
Set file = fso.CreateTextFile(outPath, True, True)
file.Write page
file.Close
WScript.Echo "report: " & fso.GetAbsolutePathName(outPath)
WScript.Echo "hosts: " & count & ", seconds: " & FormatNumber(seconds, 1, True, False, False)
