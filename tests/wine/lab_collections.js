// The component's collections and errors as JScript sees them, against the
// lab: Item by position and by key (any case), Count, Enumerator, Add and
// Remove, nested collections and objects, dates, arrays and Null, omitted
// arguments, and automation errors with number and description.

var svc = new ActiveXObject("Quorvane.Services");
var web1 = computerNamed("WEB1");

section("Item, Count and Enumerator over a result collection");
attempt("workgroups", function () {
  var result = svc.getWorkgroups();
  checkEqual("Count", result.Count, fleet.workgroups.length);
  each(result, function (record, i) {
    checkEqual("workgroup " + i, record.Item("Workgroup"), fleet.workgroups[i - 1].name);
    checkEqual("by position key", result.Item(String(i)).Item("Workgroup"), record.Item("Workgroup"));
    checkEqual("by position, the key in another case", result.Item(i).Item("WORKGROUP"), record.Item("Workgroup"));
  });
  svc.setWorkgroup = "EMPTY";
  var empty = svc.getComputers();
  check("an empty collection: Count 0, nothing to walk", empty.Count === 0 && new Enumerator(empty).atEnd());
});

section("reading outside a collection; Add and Remove");
var listed = svc.getWorkgroups();
checkThrows("position 0", function () { listed.Item(0); }, 0x800A0009, "Subscript out of range");
checkThrows("past the end", function () { listed.Item(99); }, 0x800A0009, "Subscript out of range");
checkThrows("a missing key", function () { listed.Item("nope"); }, 0x800A0005, "Invalid procedure call or argument");
attempt("add and remove", function () {
  var before = listed.Count;
  listed.Add("extra", "mine");
  checkEqual("added", listed.Count, before + 1);
  checkEqual("by its key in any case", listed.Item("MINE"), "extra");
  listed.Remove(1);
  checkEqual("removed", listed.Count, before);
  checkEqual("the rest moved up", listed.Item(1).Item("Workgroup"), fleet.workgroups[1].name);
});
checkThrows("a key already there", function () { listed.Add("again", "Mine"); }, 0x800A01C9,
            "This key is already associated with an element of this collection");

section("nested collections and objects");
attempt("dependencies", function () {
  svc.setWorkgroup = "CORP";
  svc.setComputerName = "WEB1";
  var record = svc.getService("W3SVC");
  var deps = record.Item("Dependencies");
  checkEqual("dependency count", deps.Count, 2);
  checkEqual("dependency 0", deps.Item("0").Item("Name"), "IISADMIN");
  checkEqual("its display name", deps.Item("1").Item("DisplayName"), "HTTP");
  checkEqual("Status is a number", typeof record.Item("Status"), "number");
});
attempt("sites as objects", function () {
  var iis = new ActiveXObject("Quorvane.iis");
  iis.setComputerName = "WEB1";
  var sites = iis.getSitesExtended();
  checkEqual("site objects", sites.Count, web1.web.sites.length);
  checkEqual("an IisSite inside", sites.Item("2").sitename, "Intranet");
  checkEqual("its bindings", sites.Item("2").hostBindings.Item("1").Item("port"), 8080);
  check("a new IisSite has no bindings object", new ActiveXObject("Quorvane.IisSite").hostBindings === null);
});

section("dates, arrays and Null as JScript sees them");
attempt("values", function () {
  var el = new ActiveXObject("Quorvane.EventLog");
  var page = el.EnumLogEvents("WEB1", "System");
  checkEqual("omitted page size and number", page.Count, 25);
  checkEqual("keys are record numbers", page.Item("2990").Item("RecordNumber"), 2990);
  // (The prefix's JScript cannot take typeof of a date; Date converts it.)
  var newest = new Date(page.Item(1).Item("TimeGenerated")).getTime();
  var older = new Date(page.Item(2).Item("TimeGenerated")).getTime();
  check("dates JScript converts", !isNaN(newest) && !isNaN(older));
  checkEqual("ten minutes between entries", newest - older, 600000);
  checkEqual("a Null field", page.Item(1).Item("User"), null);
  var event = el.getEvent("WEB1", 12);
  // "Data" is a byte array (VT_ARRAY|VT_UI1), which this prefix's JScript
  // cannot take at all (E_NOTIMPL); lab_eventlog.vbs and the COM checks
  // read it.
  checkEqual("a Null array", event.Item("InsertionStrings"), null);
  var pagenum = 4;
  checkEqual("page 4 of 10", el.EnumLogEvents("WEB1", "System", 10, pagenum).Item(1).Item("RecordNumber"), 2970);
  checkEqual("JScript passes by value", pagenum, 4);
  var info = new ActiveXObject("Quorvane.ServerInfo");
  var nic = info.getNicInfo("WEB1").Item("7");
  checkEqual("DNSDomain as delivered", nic.Item("DNSDomain"), null);
  checkEqual("an empty address list", nic.Item("GateWay").Count, 0);
  checkEqual("64-bit sizes as text", typeof info.logicalDriveInfo("WEB1").Item(1).Item("diskSizeInBytes"), "string");
});

section("automation errors: platform numbers, stacked descriptions, runtime numbers");
var noService = "The specified service does not exist as an installed service.";
checkThrows("getComputers of a missing workgroup (no handler)", function () {
  var s = new ActiveXObject("Quorvane.Services");
  s.setWorkgroup = "NOWHERE";
  s.getComputers();
}, 0x8007054B, "The specified domain either does not exist or could not be contacted.");
checkThrows("getService of a missing service", function () { svc.getService("nope"); }, 0x80070424,
            "Error with getService: " + noService);
checkThrows("a stacked report through an inner call", function () {
  new ActiveXObject("Quorvane.Tools").ServiceIsRunning("nope");
}, 0x80070424, "Error getting running status for thenope service: Error with getService: " + noService);
checkThrows("a refused stop (no handler)", function () { svc.setStatus("EventLog", 1, 0); }, 0x8007041C,
            "The requested control is not valid for this service.");
checkThrows("a refused termination", function () {
  new ActiveXObject("Quorvane.process").terminateProcess(4, "WEB1");
}, 0x800A0005, "Unable to terminate process. Reason: 2: Terminate returned 2");
checkThrows("a member that does not exist", function () { svc.nope(); }, 0x800A01B6,
            "Object doesn't support this property or method");

finish();
