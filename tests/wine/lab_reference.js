// docs/reference-data.json, from which docs/reference.md is written, against
// the records the component really returns from the lab: every record's
// keys in the documented order, and the documented simple types.

var repository = fso.GetParentFolderName(fso.GetParentFolderName(
    (function () {
      var path = shell.ExpandEnvironmentStrings("%QV_LAB_FLEET%").replace(/\0/g, "");
      if (path === "%QV_LAB_FLEET%" || !path) {
        var tests = fso.GetParentFolderName(WScript.ScriptFullName);
        path = fso.BuildPath(fso.GetParentFolderName(fso.GetParentFolderName(tests)), "lab\\fleet.json");
      }
      return path;
    })()));
var data = eval("(" + fso.OpenTextFile(fso.BuildPath(repository, "docs\\reference-data.json"), 1).ReadAll() + ")");

var svc = new ActiveXObject("Quorvane.Services");
svc.setWorkgroup = "CORP";
svc.setComputerName = "WEB1";
var iis = new ActiveXObject("Quorvane.iis");
iis.setComputerName = "WEB1";
iis.setWorkgroup = "CORP";
var info = new ActiveXObject("Quorvane.ServerInfo");
var el = new ActiveXObject("Quorvane.EventLog");

function site(number) {
  iis.setSiteId = number;
  return iis.getSite();
}

// A lab record of each documented kind, with every documented field.
var samples = {
  "Workgroup": function () { return svc.getWorkgroups().Item(1); },
  "Computer": function () { return svc.getComputers().Item(1); },
  "Service summary": function () { return svc.process().Item(1); },
  "Service": function () { return svc.getService("W3SVC"); },
  "Dependency": function () { return svc.getService("W3SVC").Item("Dependencies").Item("0"); },
  "Site": function () { return site(1); },
  "Binding": function () { return site(1).Item("Bindings").Item("0"); },
  "ISAPI filter": function () { return site(1).Item("ISAPIFilters").Item("0"); },
  "Site summary": function () { return iis.getSites().Item(1); },
  "Metabase backup": function () { return iis.iisBackupFiles().Item(1); },
  "Network adapter": function () { return info.getNicInfo("WEB1").Item(1); },
  "Logical drive": function () { return info.logicalDriveInfo("WEB1").Item(1); },
  "Processor": function () { return info.cpuInfo("WEB1").Item(1); },
  "Operating system": function () { return info.osInfo("WEB1"); },
  "Hotfix": function () { return info.OsHotFixStatus("WEB1").Item(1); },
  "Computer summary": function () { return info.getInfo("WEB1"); },
  "Process": function () { return new ActiveXObject("Quorvane.process").EnumerateProcesses("WEB1").Item(1); },
  "Event": function () { return el.EnumLogEvents("WEB1", "System").Item(1); },
  "Event details": function () { return el.getEvent("WEB1", 12); },
  "Log page": function () { return el.getLogPage("WEB1", "System"); },
  "Logon session": function () { return new ActiveXObject("Quorvane.TerminalServices").getLogonUsers("TS1").Item(1); },
  "Fleet outcome": function () { return new ActiveXObject("Quorvane.Fleet").Run("ServerInfo", "osInfo", "WEB1").Item(1); }
};

// Documented types JScript can tell apart (it cannot take typeof of a date).
var kinds = { "Text": "string", "Long": "number", "Integer": "number", "Double": "number",
              "Boolean": "boolean", "Collection": "object" };

section("every documented record against the lab");
for (var r = 0; r < data.records.length; r++) {
  var record = data.records[r];
  (function (record) {
    attempt(record.name, function () {
      var make = samples[record.name];
      if (!make) {
        fail(record.name + ": no lab sample for this record");
        return;
      }
      var actual = make();
      var keys = new VBArray(actual.Keys()).toArray();
      var documented = [];
      for (var f = 0; f < record.fields.length; f++) documented.push(record.fields[f][0]);
      checkEqual(record.name + ": keys in order", keys.join(","), documented.join(","));
      for (var f = 0; f < record.fields.length; f++) {
        var kind = kinds[record.fields[f][1]];
        if (kind && actual.Exists(record.fields[f][0]) && actual.Item(record.fields[f][0]) !== null)
          checkEqual(record.name + " " + record.fields[f][0], typeof actual.Item(record.fields[f][0]), kind);
      }
    });
  })(record);
}

finish();
