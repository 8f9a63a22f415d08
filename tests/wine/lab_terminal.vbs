' TerminalServices against the lab's query, tsdiscon and reset tools, whose
' changes last for the run; and Util, the functions for script authors.
On Error Resume Next

Dim ts, result, i, ts1, s, util, d, n, text

Set ts = CreateObject("Quorvane.TerminalServices")
Set ts1 = ComputerNamed("TS1")

' The sessions as the fleet lists them, against a listing keyed by line.
Sub CheckSessions(what, listing, sessions)
  Dim j, r
  CheckEqual what & " count", listing.Count, sessions.Count
  For j = 0 To sessions.Count - 1
    Set r = listing(CStr(j + 1))
    CheckKeys what & " record " & (j + 1), r, "username,sessionid,id,state,idletime,logontime"
    CheckFields what, r, sessions(j), "username=user,id,state,idletime=idle,logontime=logon"
    CheckEqual what & " sessionid", r("sessionid"), Member(sessions(j), "session", "")
    CheckType what & " id is text", r("id"), "String"
  Next
End Sub

Section "getLogonUsers: the session table of a lab server"
Set result = ts.getLogonUsers("TS1")
CheckNoError "getLogonUsers"
CheckSessions "TS1", result, ts1("sessions")
CheckSessions "WEB1 (named in lower case)", ts.getLogonUsers("web1"), ComputerNamed("WEB1")("sessions")
CheckEqual "a server without sessions", ts.getLogonUsers("DB1").Count, 0
Set s = LocalComputer()
For Each text In Array(s("name"), "localhost")
  Set result = ts.getLogonUsers(text)
  CheckEqual "sessions of " & text, result.Count, s("sessions").Count
  CheckEqual "the caller's own session on " & text & " keeps the tool's mark", result("1")("username"), _
             ">" & s("sessions")(0)("user")
  CheckEqual "its other fields", result("1")("sessionid") & "," & result("1")("id"), _
             s("sessions")(0)("session") & "," & s("sessions")(0)("id")
Next
CheckEqual "no mark in another server's listing", ts.getLogonUsers("TS1")("1")("username"), "administrator"
CheckEqual "an unreachable server: its message gives no record", ts.getLogonUsers("GHOST7").Count, 0
CheckNoError "getLogonUsers"

Section "changeUserStatus: disconnect and reset change what query shows next"
CheckEqual "tsdiscon prints nothing", ts.changeUserStatus("disconnect", "TS1", "3"), ""
Set result = ts.getLogonUsers("TS1")
CheckValues "jdoe", "state,sessionid,id", Array(result("3")("state"), result("3")("sessionid"), result("3")("id")), _
            Array("Disc", "", "3")
CheckEqual "reset prints nothing", ts.changeUserStatus("reset", "TS1", "4"), ""
Set result = ts.getLogonUsers("TS1")
CheckEqual "asmith's session is gone", result.Count, ts1("sessions").Count - 1
CheckEqual "the others keep their lines", result("1")("username"), "administrator"
CheckEqual "a status in another case runs nothing", ts.changeUserStatus("Disconnect", "TS1", "0"), ""
CheckEqual "the console stays active", ts.getLogonUsers("TS1")("1")("state"), "Active"
CheckEqual "the tool's own message comes back as text", ts.changeUserStatus("reset", "TS1", "9"), _
           "Session ID 9 not found" & vbCrLf & "Error [7022]:The specified session cannot be found." & vbCrLf
CheckEqual "an unreachable server", ts.changeUserStatus("disconnect", "GHOST7", "1"), _
           "Error [1722]:The RPC server is unavailable." & vbCrLf
CheckNoError "changeUserStatus"

Section "texts that would change the command line are refused"
Set result = ts.getLogonUsers("TS1 & echo x")
CheckError "a server name with a command", 5, "Unable to get Terminal server users: invalid server name"
text = ts.changeUserStatus("reset", "TS1", "3 & x")
CheckError "a session id with a command", 5, "Unable to change user status on terminal server TS1: invalid session id"

Section "Util: IIf, formatDateTime, Val, translateStringDate"
Set util = CreateObject("Quorvane.Util")
CheckValues "IIf", "true,false,type of the false part", Array(util.IIf(True, "yes", 2), util.IIf(0, "yes", 2), _
            TypeName(util.IIf(False, "yes", 2))), Array("yes", 2, "Integer")
d = DateSerial(2026, 3, 1) + TimeSerial(7, 5, 9)
For n = 0 To 4
  CheckEqual "formatDateTime " & n, util.formatDateTime(d, n), FormatDateTime(d, n)
Next
For Each s In Array(Array("12abc", 12), Array("  1 2 3x", 123), Array("&H1F", 31), Array("abc", 0), Array("-2.5", -2.5))
  CheckEqual "Val(" & s(0) & ")", util.Val(s(0)), s(1)
Next
CheckType "Val", util.Val("1"), "Double"
' Offsets are minutes east of universal time; the date comes back in it.
For Each s In Array(Array("20260301080000.000000+060", 7), Array("20260301080000.000000-300", 13))
  CheckTrue "translateStringDate of " & s(0), SameMoment(util.translateStringDate(s(0)), DateSerial(2026, 3, 1) + TimeSerial(s(1), 0, 0))
Next
d = util.translateStringDate("20260301+***")
CheckError "a +*** offset is no number here", 13, "Error translating string to date: Type mismatch"

Finish
