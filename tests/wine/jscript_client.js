// The component as a JScript client sees it on a plain Wine host: creation,
// Enumerator over collections, Item by position and key, omitted optional
// arguments, and errors through try/catch. Ends with "N passed, N failed".
var passed = 0, failed = 0;

function check(ok, what) {
  if (ok) {
    passed++;
  } else {
    failed++;
    WScript.Echo("FAIL: " + what);
  }
}

function checkEqual(actual, expected, what) {
  check(actual === expected, what + ": got [" + actual + "], expected [" + expected + "]");
}

// The error a call raised, or null when it raised none.
function errorOf(body) {
  try {
    body();
    return null;
  } catch (e) {
    return e;
  }
}

// The runtime number of an automation error (0x800A0000 | n gives n).
function runtimeNumber(e) {
  var code = e.number >>> 0;
  return ((code & 0xFFFF0000) >>> 0) === 0x800A0000 ? code & 0xFFFF : e.number;
}

var classes = ["Services", "iis", "IisSite", "Util", "ServerInfo", "process", "EventLog", "TerminalServices", "Tools"];
for (var i = 0; i < classes.length; i++) {
  var made = errorOf(function () { return new ActiveXObject("Quorvane." + classes[i]); });
  check(made === null, "Quorvane." + classes[i] + " is creatable");
}
var refused = errorOf(function () { return new ActiveXObject("Quorvane.IisTool"); });
check(refused !== null && runtimeNumber(refused) === 429, "Quorvane.IisTool cannot be created");

// Collections: Enumerator, Item as a method and as the default member.
var info = new ActiveXObject("Quorvane.ServerInfo");
var os = info.osInfo(".");
checkEqual(os.Count, 13, "Count of the osInfo record");
checkEqual(os.Item("OperatingSystem"), os.Item(2), "Item by key and by position");
checkEqual(os("operatingSystem"), os.Item(2), "the default member takes a key in any case");
var seen = 0, inOrder = true;
for (var e = new Enumerator(os); !e.atEnd(); e.moveNext()) {
  seen++;
  if (String(e.item()) !== String(os.Item(seen))) inOrder = false;
}
checkEqual(seen, 13, "Enumerator visits every field");
check(inOrder, "Enumerator yields the fields in position order");
var nics = new Enumerator(info.getNicInfo("."));
check(!nics.atEnd() && typeof nics.item().Item("StaticIP").Count === "number", "an adapter's address list is a collection");

// Optional arguments omitted.
var tools = new ActiveXObject("Quorvane.Tools");
checkEqual(tools.tryConnection("NOSUCHGROUP"), false, "tryConnection with cn omitted");
check(tools.message.indexOf("Could not browse the selected workgroup") === 0, "the browse message is kept");
var events = new ActiveXObject("Quorvane.EventLog");
checkEqual(events.EnumLogEvents(".", "Application").Count, 0, "EnumLogEvents with both optional arguments omitted");

var util = new ActiveXObject("Quorvane.Util");
checkEqual(util.Val("12.5kg"), 12.5, "Val of a JScript string");
// A VT_DATE for JScript (Wine's JScript has no getVarDate): the component's
// own date conversion makes one, and it goes back in unchanged.
var when = util.translateStringDate("20240102030405.000000+000");
checkEqual(util.formatDateTime(when, 4), "03:04", "formatDateTime takes it back");

// Errors reach try/catch with the runtime number and the stacked text.
var failure = errorOf(function () { util.formatDateTime(when, 9); });
check(failure !== null && runtimeNumber(failure) === 5, "a bad named format fails with 5");
checkEqual(failure && failure.description, "Invalid procedure call or argument", "with the runtime's text");
var missing = errorOf(function () { util.NoSuchMember(1); });
check(missing !== null && runtimeNumber(missing) === 438, "an unknown member fails with 438");

var services = new ActiveXObject("Quorvane.Services");
services.setWorkgroup = "NOSUCHGROUP";
services.setComputerName = "NOSUCHPC";
var plain = errorOf(function () { services.getComputers(); });
var stacked = errorOf(function () { services.getService("W32Time"); });
check(plain !== null && stacked !== null, "an unreachable target fails");
if (plain && stacked) {
  checkEqual(stacked.number, plain.number, "getService keeps the platform's number");
  checkEqual(stacked.description, "Error with getService: " + plain.description, "getService stacks its message");
}
var cpu = errorOf(function () { info.cpuInfo("."); });
if (cpu !== null) {
  checkEqual(cpu.description, "Error retreiving CPU info for .: Object doesn't support this property or method",
             "cpuInfo stacks its message where the service lacks a property");
}

WScript.Echo(passed + " passed, " + failed + " failed");
WScript.Quit(failed > 0 ? 1 : 0);
