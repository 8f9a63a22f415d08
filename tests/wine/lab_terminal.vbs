' TerminalServices against the lab's query, tsdiscon and reset tools, whose
' changes last for the run; and Util, the functions for script authors.
On Error Resume Next

Dim ts, result, rec, i, ts1, s, out, util, d, n, text

Set ts = CreateObject("Quorvane.TerminalServices")
Set ts1 = ComputerNamed("TS1")

' The sessions as the fleet lists them, against a listing keyed by line.
Sub CheckSessions(what, listing, sessions)
  Dim j, r, se
  CheckEqual what & " count", listing.Count, sessions.Count
  For j = 0 To sessions.Count - 1
    Set se = sessions(j)
    Set r = listing(CStr(j + 1))
    CheckKeys what & " record " & (j + 1), r, "username,sessionid,id,state,idletime,logontime"
    CheckEqual what & " username", r("username"), se("user")
    CheckEqual what & " sessionid", r("sessionid"), Member(se, "session", "")
    CheckEqual what & " id", r("id"), se("id")
    CheckType what & " id is text", r("id"), "String"
    CheckEqual what & " state", r("state"), se("state")
    CheckEqual what & " idletime", r("idletime"), se("idle")
    CheckEqual what & " logontime", r("logontime"), se("logon")
  Next
End Sub

Section "getLogonUsers: the session table of a lab server"
Set result = ts.getLogonUsers("TS1")
CheckNoError "getLogonUsers"
CheckSessions "TS1", result, ts1("sessions")
Set result = ts.getLogonUsers("web1")
CheckSessions "WEB1 (named in lower case)", result, ComputerNamed("WEB1")("sessions")
Set rec = LocalComputer()
CheckEqual "a server without sessions", ts.getLogonUsers(rec("name")).Count, 0
CheckEqual "an unreachable server: its message gives no record", ts.getLogonUsers("GHOST7").Count, 0
CheckNoError "getLogonUsers"

Section "changeUserStatus: disconnect and reset change what query shows next"
out = ts.changeUserStatus("disconnect", "TS1", "3")
CheckNoError "disconnect"
CheckEqual "tsdiscon prints nothing", out, ""
Set result = ts.getLogonUsers("TS1")
CheckEqual "jdoe now disconnected", result("3")("state"), "Disc"
CheckEqual "a disconnected session has no session name", result("3")("sessionid"), ""
CheckEqual "jdoe keeps his id", result("3")("id"), "3"
out = ts.changeUserStatus("reset", "TS1", "4")
CheckEqual "reset prints nothing", out, ""
Set result = ts.getLogonUsers("TS1")
CheckEqual "asmith's session is gone", result.Count, ts1("sessions").Count - 1
CheckEqual "the others keep their lines", result("1")("username"), "administrator"
out = ts.changeUserStatus("Disconnect", "TS1", "0")
CheckEqual "a status in another case runs nothing", out, ""
CheckEqual "the console stays active", ts.getLogonUsers("TS1")("1")("state"), "Active"
out = ts.changeUserStatus("reset", "TS1", "9")
CheckEqual "the tool's own message comes back as text", out, _
           "Session ID 9 not found" & vbCrLf & "Error [7022]:The specified session cannot be found." & vbCrLf
out = ts.changeUserStatus("disconnect", "GHOST7", "1")
CheckEqual "an unreachable server", out, "Error [1722]:The RPC server is unavailable." & vbCrLf
CheckNoError "changeUserStatus"

Section "texts that would change the command line are refused"
Set result = ts.getLogonUsers("TS1 & echo x")
CheckError "a server name with a command", 5, "Unable to get Terminal server users: invalid server name"
out = ts.changeUserStatus("reset", "TS1", "3 & x")
CheckError "a session id with a command", 5, "Unable to change user status on terminal server TS1: invalid session id"

Section "Util: IIf, formatDateTime, Val, translateStringDate"
Set util = CreateObject("Quorvane.Util")
CheckEqual "IIf true", util.IIf(True, "yes", 2), "yes"
CheckEqual "IIf false", util.IIf(0, "yes", 2), 2
CheckType "the false part keeps its type", util.IIf(False, "yes", 2), "Integer"
d = DateSerial(2026, 3, 1) + TimeSerial(7, 5, 9)
For n = 0 To 4
  CheckEqual "formatDateTime " & n, util.formatDateTime(d, n), FormatDateTime(d, n)
Next
text = util.formatDateTime(d, 7)
CheckError "a format that does not exist", 5, "Invalid procedure call or argument"
For Each s In Array(Array("12abc", 12), Array("  1 2 3x", 123), Array("&H1F", 31), Array("abc", 0), Array("-2.5", -2.5))
  CheckEqual "Val(" & s(0) & ")", util.Val(s(0)), s(1)
Next
CheckType "Val", util.Val("1"), "Double"
text = "  20260301080000.000000+060 "
CheckTrue "translateStringDate of +060", SameMoment(util.translateStringDate(text), DateSerial(2026, 3, 1) + TimeSerial(7, 0, 0))
CheckEqual "the caller's text is trimmed", text, "20260301080000.000000+060"
text = "20260301080000.000000-300"
CheckTrue "translateStringDate of -300", SameMoment(util.translateStringDate(text), DateSerial(2026, 3, 1) + TimeSerial(13, 0, 0))
text = "20260301+***"
d = util.translateStringDate(text)
CheckTrue "a +*** offset is no number here: " & Err.Description, Err.Number = 13 And _
          Err.Description = "Error translating string to date: Type mismatch"
Err.Clear

Finish
