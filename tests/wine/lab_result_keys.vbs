' Results as a VBScript client reads them without knowing their keys: Keys
' and Exists, and getLogPage walked with a plain For loop, which ends (the
' listing's by-reference page number would be written back and loop forever).
On Error Resume Next

Dim el, os, page, listed, p, walked, rec, repeated, differing, keys, n
Dim seen(3000)

Set el = CreateObject("Quorvane.EventLog")

' The prefix's VBScript has no Join. A failed call inside a check skips the
' check, so each section ends with CheckNoError.
Function KeysText(list)
  Dim item
  KeysText = ""
  For Each item In list
    KeysText = KeysText & "," & item
  Next
  KeysText = Mid(KeysText, 2)
End Function

Section "Keys and Exists"
Set os = CreateObject("Quorvane.ServerInfo").osInfo("WEB1")
CheckNoError "osInfo"
CheckEqual "Keys() in field order", KeysText(os.Keys()), _
           "BuildType,OperatingSystem,ServicePack,SerialNumber,OSLanguage,CurrentTimeZone,SPMajor,SPMinor," & _
           "WindowsVersion,BuildNumber,LastBootRaw,LastBoot,Uptime"
keys = os.Keys()
CheckEqual "Keys() from 0", LBound(keys) & ":" & UBound(keys), "0:12"
For Each p In Array("LastBoot", "lastboot", "LASTBOOT", "lAsTbOoT")
  CheckTrue "Exists(" & p & ")", os.Exists(p)
Next
CheckTrue "a missing key", Not os.Exists("Last Boot")
CheckEqual "Exists gives a Boolean", TypeName(os.Exists("Uptime")), "Boolean"
CheckEqual "a result's keys are its positions", KeysText(el.getLogPage("WEB1", "System", 3, 1)("Events").Keys()), _
           "3000,2999,2998"
CheckNoError "Keys and Exists"

Section "getLogPage: For p = 1 To n ends; each record once; the listing's records"
walked = 0 : repeated = 0 : differing = ""
For p = 1 To 40
  Set page = el.getLogPage("WEB1", "System", 100, p)
  CheckNoError "page " & p
  If page("Events").Count = 0 Then Exit For
  CheckEqual "Page", page("Page"), p
  listed = KeysText(el.EnumLogEvents("WEB1", "System", 100, CLng(p)).Keys())
  If KeysText(page("Events").Keys()) <> listed And differing = "" Then differing = "page " & p
  For Each rec In page("Events")
    n = rec("RecordNumber")
    If seen(n) Then repeated = repeated + 1
    seen(n) = True
    walked = walked + 1
  Next
Next
CheckNoError "the walk"
CheckEqual "the loop variable is not written back: ended after page", p - 1, 30
CheckEqual "Total and Pages", page("Total") & "/" & page("Pages"), "3000/30"
CheckEqual "records walked", walked, 3000
CheckEqual "records seen twice", repeated, 0
CheckEqual "pages unlike the listing's", differing, ""
CheckEqual "Keys of the page record", KeysText(page.Keys()), "Total,Pages,Page,Events"
CheckEqual "types", TypeName(page("Total")) & TypeName(page("Pages")) & TypeName(page("Page")), "LongLongLong"
CheckNoError "the page record"

Set page = el.getLogPage("WEB1", "Security", 25, 2)
CheckEqual "a log of one page is served on page 1 only", page("Total") & ":" & page("Events").Count, "20:0"
Set page = el.getLogPage("GHOST7", "System")
CheckError "an unreachable computer", &H800706BA, "Error listing events in System: unable to count events: The RPC server is unavailable."

Finish
