' Creates every class named on the command line by its programmatic name
' and calls nothing: registration, not behaviour, is what is checked.
' Ends with "N passed, N failed"; each failure names the class and the error.
Option Explicit
Dim i, progId, obj, passed, failed
passed = 0
failed = 0
For i = 0 To WScript.Arguments.Count - 1
  progId = WScript.Arguments(i)
  Set obj = Nothing
  On Error Resume Next
  Set obj = CreateObject(progId)
  If Err.Number <> 0 Then
    WScript.Echo "FAIL: CreateObject(""" & progId & """): " & Hex(Err.Number) & " " & Err.Description
    failed = failed + 1
  ElseIf TypeName(obj) = "Nothing" Then
    WScript.Echo "FAIL: CreateObject(""" & progId & """) gave Nothing"
    failed = failed + 1
  Else
    passed = passed + 1
  End If
  On Error GoTo 0
  Set obj = Nothing
Next
WScript.Echo passed & " passed, " & failed & " failed"
