// One page of an event log as JSON, as a web page's script would fetch it:
// getLogPage gives the page with its place in the log (nothing is written
// back, so a plain loop over pages ends), and ToJson turns it into text that
// JScript's eval (cscript's JScript has no JSON object) or any JSON reader
// takes. With "all", walks every page and prints one line per page.
//
//   cscript //nologo events_page.js [computer [log [page|all [pagesize]]]]
//
// Defaults: WEB1 of the lab network, System, page 1, 10 entries a page.

var args = WScript.Arguments;
var computer = args.length > 0 ? args(0) : "WEB1";
var log = args.length > 1 ? args(1) : "System";
var which = args.length > 2 ? args(2) : "1";
var size = args.length > 3 ? parseInt(args(3), 10) : 10;

var el = new ActiveXObject("Quorvane.EventLog");

function pageOf(number) {
  // Dates arrive as "YYYY-MM-DDTHH:MM:SS" local times; keys keep their order.
  return eval("(" + el.getLogPage(computer, log, size, number).ToJson() + ")");
}

try {
  if (which !== "all") {
    WScript.Echo(el.getLogPage(computer, log, size, parseInt(which, 10)).ToJson());
  } else {
    var entries = 0;
    for (var number = 1;; number++) {
      var page = pageOf(number);
      var newest = null, oldest = null;
      for (var record in page.Events) {
        if (newest === null) newest = record;
        oldest = record;
        entries++;
      }
      if (newest === null) break; // past the last page: empty, never the oldest page again
      WScript.Echo("page " + page.Page + " of " + page.Pages + ": records " + newest + " to " + oldest);
    }
    WScript.Echo(entries + " of " + page.Total + " entries, each once");
  }
} catch (e) {
  WScript.Echo("failed: " + e.description + " (0x" + (e.number >>> 0).toString(16) + ")");
  WScript.Quit(1);
}
