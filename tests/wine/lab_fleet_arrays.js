// Quorvane.Fleet from JScript against the lab: a JScript array of computers,
// records against direct calls, and the errors JScript sees.

var fleetObject = new ActiveXObject("Quorvane.Fleet");
var info = new ActiveXObject("Quorvane.ServerInfo");

section("a JScript array of computers, records as the direct calls give them");
attempt("Run over a JScript array", function () {
  var hosts = ["WEB1", "GHOST7", "DB1"];
  var records = fleetObject.Run("ServerInfo", "osInfo", hosts);
  checkEqual("count", records.Count, 3);
  for (var i = 0; i < hosts.length; i++) {
    var record = records.Item(hosts[i]);
    checkEqual("order " + i, records.Item(i + 1).Item("Computer"), hosts[i]);
    var direct = null, error = null;
    try {
      direct = info.osInfo(hosts[i]);
    } catch (e) {
      error = e;
    }
    checkEqual(hosts[i] + " Ok", record.Item("Ok"), error === null);
    checkEqual(hosts[i] + " Number", record.Item("Number") >>> 0, error ? error.number >>> 0 : 0);
    checkEqual(hosts[i] + " Description", record.Item("Description"), error ? error.description : "");
    if (direct) {
      checkEqual(hosts[i] + " fields", record.Item("Result").Count, direct.Count);
      if (direct.Count > 0)
        checkEqual(hosts[i] + " OS", record.Item("Result").Item("OperatingSystem"), direct.Item("OperatingSystem"));
    }
  }
});

section("refusals as JScript errors");
checkThrows("a duplicate", function () { fleetObject.Run("ServerInfo", "osInfo", ["WEB1", "Web1"]); }, 0x800A01C9,
            "Run: Web1 is named more than once");
checkThrows("Parallel 0", function () { fleetObject.Parallel = 0; }, 0x800A0005, "Parallel: 0 is not from 1 to 64");
checkThrows("a member without a computer", function () { fleetObject.Run("Util", "IIf", "WEB1", true, 1, 2); },
            0x800A0005, "Run: IIf of Quorvane.Util takes no computer");

finish();
