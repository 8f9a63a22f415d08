<%@ Language="VBScript" %>
<%
' A page of a server's event log for an administration site:
'   events.asp?computer=WEB1&log=System&page=2           an HTML table with paging links
'   events.asp?computer=WEB1&log=System&page=2&format=json  the same page as JSON
' getLogPage writes nothing back, so the page number stays what the link
' asked for; past the last page "Events" is empty. Every text from the
' server is HTML-encoded before it reaches the page.
Option Explicit
Dim computer, logName, pageNumber, el, page, entry
computer = Request.QueryString("computer")
logName = Request.QueryString("log")
If logName = "" Then logName = "System"
pageNumber = 1
If IsNumeric(Request.QueryString("page")) Then pageNumber = CLng(Request.QueryString("page"))
If pageNumber < 1 Then pageNumber = 1

Set el = Server.CreateObject("Quorvane.EventLog")
On Error Resume Next
Set page = el.getLogPage(computer, logName, 25, pageNumber)
If Err.Number <> 0 Then
  Response.Status = "502 Bad Gateway"
  Response.Write Server.HTMLEncode(Err.Description)
  Response.End
End If
On Error GoTo 0

If Request.QueryString("format") = "json" Then
  Response.ContentType = "application/json"
  Response.Write page.ToJson()
  Response.End
End If

Function Link(number, text)
  Link = "<a href=""events.asp?computer=" & Server.URLEncode(computer) & "&amp;log=" & Server.URLEncode(logName) & _
         "&amp;page=" & number & """>" & text & "</a>"
End Function
%>
<html>
<head><title><%= Server.HTMLEncode(logName & " log of " & computer) %></title></head>
<body>
<h1><%= Server.HTMLEncode(logName & " log of " & computer) %></h1>
<p>Page <%= page("Page") %> of <%= page("Pages") %> (<%= page("Total") %> entries)
<% If page("Page") > 1 Then Response.Write " " & Link(page("Page") - 1, "newer") %>
<% If page("Page") < page("Pages") Then Response.Write " " & Link(page("Page") + 1, "older") %></p>
<table border="1">
<tr><th>Record</th><th>Time</th><th>Type</th><th>Source</th><th>Event</th><th>User</th><th>Message</th></tr>
<% For Each entry In page("Events") %>
<tr>
  <td><%= entry("RecordNumber") %></td>
  <td><%= Server.HTMLEncode(entry("TimeGenerated")) %></td>
  <td><%= Server.HTMLEncode(entry("Type") & "") %></td>
  <td><%= Server.HTMLEncode(entry("SourceName") & "") %></td>
  <td><%= entry("EventCode") %></td>
  <td><%= Server.HTMLEncode(entry("User") & "") %></td>
  <td><%= Server.HTMLEncode(entry("message") & "") %></td>
</tr>
<% Next %>
</table>
<% If page("Events").Count = 0 Then Response.Write "<p>No entries on this page.</p>" %>
</body>
</html>
