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

section("sparse arrays and trimmed entries");
attempt("Run over a sparse array", function () {
  var hosts = [];
  hosts[7] = "DB1";
  hosts[2] = " WEB1 ";
  hosts[100000] = "WEB2";
  var records = fleetObject.Run("ServerInfo", "osInfo", hosts);
  checkEqual("defined entries only", records.Count, 3);
  checkEqual("in index order", records.Item(1).Item("Computer") + "," + records.Item(2).Item("Computer") + "," +
             records.Item(3).Item("Computer"), "WEB1,DB1,WEB2");
  checkEqual("an empty array", fleetObject.Run("ServerInfo", "osInfo", []).Count, 0);
});

section("refusals as JScript errors");
checkThrows("a duplicate after trimming", function () { fleetObject.Run("ServerInfo", "osInfo", ["WEB1", " WEB1\t"]); },
            0x800A01C9, "Run: WEB1 is named more than once");
checkThrows("a null entry", function () { fleetObject.Run("ServerInfo", "osInfo", ["WEB1", null]); }, 0x800A005E,
            "Run: a computer in the list is Null");
checkThrows("Timeout as text", function () { fleetObject.Timeout = "soon"; }, 0x800A000D,
            "Timeout: \"soon\" is not a number");
checkThrows("a collection in an array argument", function () {
  fleetObject.Run("EventLog", "numberOfEvents", "WEB1", [info.osInfo("WEB1")]);
}, 0x800A000D, "Run: an argument holds an object, which cannot go to another thread");
checkThrows("a duplicate", function () { fleetObject.Run("ServerInfo", "osInfo", ["WEB1", "Web1"]); }, 0x800A01C9,
            "Run: Web1 is named more than once");
checkThrows("Parallel 0", function () { fleetObject.Parallel = 0; }, 0x800A0005, "Parallel: 0 is not from 1 to 64");
checkThrows("a member without a computer", function () { fleetObject.Run("Util", "IIf", "WEB1", true, 1, 2); },
            0x800A0005, "Run: IIf of Quorvane.Util takes no computer");

finish();
