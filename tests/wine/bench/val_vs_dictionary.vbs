' Benchmark: 100,000 calls of a cheap member of the component (Util.Val)
' against 100,000 calls of Scripting.Dictionary.Exists in the same script,
' the best of three rounds each. Prints the ratio; the target is 1.5 or less.
Option Explicit

Const Calls = 100000
Dim util, dictionary, round, i, x, started, valBest, existsBest, elapsed
Set util = CreateObject("Quorvane.Util")
Set dictionary = CreateObject("Scripting.Dictionary")
dictionary.Add "12.5", 1

valBest = 1E+300
existsBest = 1E+300
For round = 1 To 3
  started = Timer
  For i = 1 To Calls
    x = dictionary.Exists("12.5")
  Next
  elapsed = Timer - started
  If elapsed < existsBest Then existsBest = elapsed

  started = Timer
  For i = 1 To Calls
    x = util.Val("12.5")
  Next
  elapsed = Timer - started
  If elapsed < valBest Then valBest = elapsed
Next

If existsBest <= 0 Then existsBest = 0.001
WScript.Echo "Scripting.Dictionary.Exists: " & FormatNumber(existsBest, 3) & " s per " & Calls & " calls"
WScript.Echo "Quorvane.Util.Val:           " & FormatNumber(valBest, 3) & " s per " & Calls & " calls"
WScript.Echo "ratio Val/Exists: " & FormatNumber(valBest / existsBest, 2) & " (target 1.50 or less)"
