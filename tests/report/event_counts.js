// The errors and warnings findEvents returns for each host and log in the
// 24 hours before an "as of" time, asked directly (not through the fleet):
// what the morning page must show. One line per host and log:
// "<host> <log> <errors> <warnings>", or "<host> <log> failed <description>".
//
//   cscript //nologo event_counts.js "2026-03-02 20:00:00" WEB1 DB1 ...
var args = WScript.Arguments;
var at = /^(\d+)-(\d+)-(\d+) (\d+):(\d+):(\d+)$/.exec(args.Item(0));
var asOf = new Date(+at[1], at[2] - 1, +at[3], +at[4], +at[5], +at[6]);
// As text: this host's script engine may lack getVarDate, and the component
// reads a date from text as a script's CDate does.
function two(n) { return (n < 10 ? "0" : "") + n; }
var from = new Date(asOf.getTime() - 24 * 3600 * 1000);
var since = from.getFullYear() + "-" + two(from.getMonth() + 1) + "-" + two(from.getDate()) + " " +
            two(from.getHours()) + ":" + two(from.getMinutes()) + ":" + two(from.getSeconds());
var events = new ActiveXObject("Quorvane.EventLog");
var logs = ["System", "Application"];
for (var h = 1; h < args.Count(); h++) {
  for (var l = 0; l < logs.length; l++) {
    try {
      var errors = 0, warnings = 0;
      for (var e = new Enumerator(events.findEvents(args.Item(h), logs[l], since, "Error,Warning", 10000)); !e.atEnd();
           e.moveNext()) {
        if (e.item()("Type") === "Error") errors++;
        else warnings++;
      }
      WScript.Echo(args.Item(h) + " " + logs[l] + " " + errors + " " + warnings);
    } catch (failure) {
      WScript.Echo(args.Item(h) + " " + logs[l] + " failed " + failure.description);
    }
  }
}
