// EventLog.findEvents against the lab: the same records as a walk of the
// pages filtered by hand, newest first and bounded; hostile names matched
// literally or refused; one record per host through Quorvane.Fleet.

var events = new ActiveXObject("Quorvane.EventLog");
var runner = new ActiveXObject("Quorvane.Fleet");

// Record numbers of a collection of event records, in its order.
function numbers(collection) {
  var list = [];
  each(collection, function (record) { list.push(record.Item("RecordNumber")); });
  return list.join(" ");
}

// The records of log since a time of the given types, found by walking the
// pages newest first and stopping at the first older entry.
function byHand(computer, log, since, types) {
  var list = [];
  for (var page = 1;; page++) {
    var served = events.getLogPage(computer, log, 500, page).Item("Events");
    if (served.Count === 0) return list.join(" ");
    for (var e = new Enumerator(served); !e.atEnd(); e.moveNext()) {
      var record = e.item();
      if (new Date(record.Item("TimeGenerated")).getTime() < since.getTime()) return list.join(" ");
      for (var t = 0; t < types.length; t++)
        if (record.Item("Type") === types[t]) list.push(record.Item("RecordNumber"));
    }
  }
}

var since = new Date(2026, 2, 2, 12, 0, 0); // local time of this host
var sinceDate = since.getVarDate();

section("the records of a hand-filtered walk, newest first, at most maxEvents");
attempt("System of WEB1 since noon, errors and warnings", function () {
  var expected = byHand("WEB1", "System", since, ["Error", "Warning"]);
  check("some entries in the window", expected.split(" ").length > 5);
  var found = events.findEvents("WEB1", "System", sinceDate, "error, WARNING", 10000);
  checkEqual("the same records", numbers(found), expected);
  var first = found.Item(1);
  checkEqual("keyed by record number", found.Item(String(first.Item("RecordNumber"))).Item("SourceName"),
             first.Item("SourceName"));
  checkEqual("eleven fields as the pages give them", first.Count, 11);
  checkEqual("a date of this host", typeof first.Item("TimeGenerated"), "date");
  checkEqual("at most maxEvents", numbers(events.findEvents("WEB1", "System", sinceDate, "Error,Warning", 3)),
             expected.split(" ").slice(0, 3).join(" "));
});
attempt("the audit types of the Security log", function () {
  var expected = byHand("WEB1", "Security", new Date(2000, 0, 1), ["Security Audit Failure"]);
  checkEqual("failures only", numbers(events.findEvents("WEB1", "Security", undefined, "security audit failure")),
             expected);
});
attempt("no since and no types: the newest 100", function () {
  var found = events.findEvents("WEB1", "System");
  checkEqual("count", found.Count, 100);
  checkEqual("newest first", found.Item(1).Item("RecordNumber"), 3000);
});

section("hostile names matched literally or refused");
attempt("a log name holding quotes names no log", function () {
  checkEqual("no entries", events.findEvents("WEB1", "System' or LogFile<>'", sinceDate).Count, 0);
});
checkThrows("a type holding a query", function () { events.findEvents("WEB1", "System", sinceDate, "Error' or '1'='1"); },
            0x800A0005, "Error with findEvents: Invalid procedure call or argument: 'Error' or '1'='1' is not an event type");
checkThrows("maxEvents 0", function () { events.findEvents("WEB1", "System", sinceDate, "Error", 0); }, 0x800A0005,
            "Error with findEvents: Invalid procedure call or argument: maxEvents must be from 1 to 10000");
checkThrows("an unreachable host", function () { events.findEvents("GHOST7", "System"); }, 0x800706BA,
            "Error with findEvents: The RPC server is unavailable.");

section("through Quorvane.Fleet: one record per host");
attempt("three hosts", function () {
  var records = runner.Run("EventLog", "findEvents", ["WEB1", "DB1", "GHOST7"], "System", sinceDate, "Error,Warning", 50);
  checkEqual("count", records.Count, 3);
  checkEqual("WEB1 as directly", numbers(records.Item("WEB1").Item("Result")),
             numbers(events.findEvents("WEB1", "System", sinceDate, "Error,Warning", 50)));
  checkEqual("DB1 has no System log", records.Item("DB1").Item("Result").Count, 0);
  checkEqual("GHOST7 fails", records.Item("GHOST7").Item("Ok"), false);
});

finish();
