// Results as a JScript client without a JSON object reads them: Keys and
// Exists, ToJson parsed back by the engine's own eval with every value equal
// to what the collection gives, and getLogPage walked to the end of the
// 3,000-entry System log of WEB1.

var el = new ActiveXObject("Quorvane.EventLog");

function keysOf(collection) {
  return new VBArray(collection.Keys()).toArray();
}

function isoLocal(date) {
  function two(n) { return (n < 10 ? "0" : "") + n; }
  var d = new Date(date);
  return d.getFullYear() + "-" + two(d.getMonth() + 1) + "-" + two(d.getDate()) + "T" + two(d.getHours()) + ":" +
         two(d.getMinutes()) + ":" + two(d.getSeconds());
}

function countOf(object) {
  var n = 0;
  for (var name in object) n++;
  return n;
}

// The text names the keys in the collection's order.
function checkKeyOrder(what, text, keys) {
  var at = -1;
  for (var i = 0; i < keys.length; i++) {
    var next = text.indexOf('"' + keys[i] + '":', at + 1);
    if (next <= at) {
      fail(what + ": key " + keys[i] + " out of order");
      return;
    }
    at = next;
  }
  passed++;
}

// Every field of a record equal to its JSON member; dates by name (the
// prefix's JScript cannot take typeof of a date).
function checkRecord(what, record, json, dates) {
  var keys = keysOf(record);
  checkEqual(what + ": members", countOf(json), keys.length);
  for (var i = 0; i < keys.length; i++) {
    var value = record.Item(keys[i]);
    if (dates && dates[keys[i]]) checkEqual(what + " " + keys[i], json[keys[i]], isoLocal(value));
    else checkEqual(what + " " + keys[i], json[keys[i]], value);
  }
}

section("Keys and Exists");
attempt("an OS record", function () {
  var os = new ActiveXObject("Quorvane.ServerInfo").osInfo("WEB1");
  checkEqual("Keys() in field order", keysOf(os).join(","),
             "BuildType,OperatingSystem,ServicePack,SerialNumber,OSLanguage,CurrentTimeZone,SPMajor,SPMinor," +
                 "WindowsVersion,BuildNumber,LastBootRaw,LastBoot,Uptime");
  check("Exists in any case", os.Exists("BuildType") && os.Exists("buildtype") && os.Exists("LASTBOOT"));
  check("a missing key", !os.Exists("Build") && !os.Exists(""));
  var logs = el.EnumEventLogs("WEB1");
  checkEqual("items without keys give their positions", keysOf(logs).join(","), "1,2,3");
  check("a position is no key", !logs.Exists("1"));
});

section("ToJson of a site with bindings, read back by eval");
attempt("site 2 of WEB1", function () {
  var iis = new ActiveXObject("Quorvane.iis");
  iis.setComputerName = "WEB1";
  var sites = iis.getSitesExtended();
  var text = sites.ToJson();
  var json = eval("(" + text + ")");
  checkEqual("one member per site", countOf(json), sites.Count);
  var site = sites.Item("2");
  var parsed = json["2"];
  var names = ["aspScriptLanguage", "aspScriptTimeout", "aspBufferingOn", "frontpageWeb", "enableDirBrowsing",
               "accessSource", "accessWrite", "accessRead", "aspSessionTimeout", "authAnonymous",
               "anonymousUserName", "path", "Process", "appIsolated", "executeLevel", "execute", "AccessExecute",
               "accessScript", "stateString", "state", "sitename", "size", "id"];
  checkEqual("24 properties", countOf(parsed), 24);
  checkEqual("a site by name", parsed.sitename, "Intranet");
  for (var i = 0; i < names.length; i++) checkEqual("site " + names[i], parsed[names[i]], site[names[i]]);
  var bindings = site.hostBindings;
  checkEqual("bindings", countOf(parsed.hostBindings), bindings.Count);
  var keys = keysOf(bindings);
  for (var b = 0; b < keys.length; b++)
    checkRecord("binding " + keys[b], bindings.Item(keys[b]), parsed.hostBindings[keys[b]]);
});

section("ToJson of a process list and of a page of events");
attempt("processes of WEB1", function () {
  var list = new ActiveXObject("Quorvane.process").EnumerateProcesses("WEB1");
  var text = list.ToJson();
  var json = eval("(" + text + ")");
  checkEqual("one member per process", countOf(json), list.Count);
  each(list, function (record, i) { checkRecord("process " + i, record, json[String(i)]); });
  checkKeyOrder("fields in order", text, keysOf(list.Item(1)));
});
attempt("a page of System", function () {
  var page = el.getLogPage("WEB1", "System", 10, 2);
  var json = eval("(" + page.ToJson() + ")");
  checkEqual("Total, Pages, Page", json.Total + "," + json.Pages + "," + json.Page, "3000,300,2");
  var events = page.Item("Events");
  checkEqual("events", countOf(json.Events), events.Count);
  each(events, function (record) {
    var number = record.Item("RecordNumber");
    checkRecord("event " + number, record, json.Events[String(number)], { TimeGenerated: true, TimeWritten: true });
  });
});
attempt("text that is no valid UTF-16", function () {
  var c = new ActiveXObject("Quorvane.ServerInfo").osInfo("WEB1");
  c.Add("\u00e9 \u2028 \ud800 \"q\" \\", "Odd");
  var text = c.ToJson();
  check("ASCII only", !/[^\x20-\x7e]/.test(text));
  checkEqual("read back, the lone half replaced", eval("(" + text + ")").Odd, "\u00e9 \u2028 \ufffd \"q\" \\");
});

section("getLogPage: a walk that ends on its own, each record once, the listing's records");
attempt("System of WEB1 in pages of 100", function () {
  var seen = {}, walked = 0, repeated = 0, differing = "", pages = 0;
  for (var p = 1;; p++) {
    var page = el.getLogPage("WEB1", "System", 100, p);
    var events = page.Item("Events");
    if (events.Count === 0) break;
    pages = page.Item("Pages");
    var listed = keysOf(el.EnumLogEvents("WEB1", "System", 100, p)).join(",");
    if (keysOf(events).join(",") !== listed && !differing) differing = "page " + p;
    each(events, function (record) {
      var number = record.Item("RecordNumber");
      if (seen[number]) repeated++;
      seen[number] = true;
      walked++;
    });
    if (p > 40) break; // a walk that does not end is a failure, not a hang
  }
  checkEqual("pages walked", p - 1, 30);
  checkEqual("Pages", pages, 30);
  checkEqual("records walked", walked, 3000);
  checkEqual("records seen twice", repeated, 0);
  checkEqual("pages unlike the listing's", differing, "");
  var past = el.getLogPage("WEB1", "System", 100, 31);
  checkEqual("past the end", past.Item("Events").Count + ":" + past.Item("Page"), "0:31");
  var first = el.getLogPage("WEB1", "System");
  checkEqual("omitted: page 1 of 25", first.Item("Page") + ":" + first.Item("Events").Count + ":" +
             first.Item("Events").Item(1).Item("RecordNumber"), "1:25:3000");
});
checkThrows("a page size of 0", function () { el.getLogPage("WEB1", "System", 0); }, 0x800A0005,
            "Error listing events in System: Invalid procedure call or argument");

finish();
