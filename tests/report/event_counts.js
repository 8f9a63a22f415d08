// The errors and warnings findEvents returns for each host and log in the
// 24 hours before an "as of" time, asked directly (not through the fleet):
// what the morning page must show. One line per host and log:
// "<host> <log> <errors> <warnings>", or "<host> <log> failed <description>".
//
//   cscript //nologo event_counts.js "2026-03-02 20:00:00" WEB1 DB1 ...
var args = WScript.Arguments;
var at = /^(\d+)-(\d+)-(\d+) (\d+):(\d+):(\d+)$/.exec(args(0));
var asOf = new Date(+at[1], at[2] - 1, +at[3], +at[4], +at[5], +at[6]);
var since = new Date(asOf.getTime() - 24 * 3600 * 1000).getVarDate();
var events = new ActiveXObject("Quorvane.EventLog");
var logs = ["System", "Application"];
for (var h = 1; h < args.length; h++) {
  for (var l = 0; l < logs.length; l++) {
    try {
      var errors = 0, warnings = 0;
      for (var e = new Enumerator(events.findEvents(args(h), logs[l], since, "Error,Warning", 10000)); !e.atEnd();
           e.moveNext()) {
        if (e.item()("Type") === "Error") errors++;
        else warnings++;
      }
      WScript.Echo(args(h) + " " + logs[l] + " " + errors + " " + warnings);
    } catch (failure) {
      WScript.Echo(args(h) + " " + logs[l] + " failed " + failure.description);
    }
  }
}
