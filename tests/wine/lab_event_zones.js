// Event times in the administration host's own zone, daylight saving
// included. scripts/lab-tests.sh runs this test once under each zone named
// below (TZ, which Wine takes per process): every event of a few logs, as the
// component shows it, against JScript's own conversion of the moment the
// event recorded. The probes, converted by the shell's date, show that
// JScript's conversion is the zone's. LABHOST's System log runs across the
// end of Sydney's daylight saving (2026-04-04 16:00 universal time).
// zones: Australia/Sydney Asia/Tokyo
// zone probes: 2026-02-10T00:00:00Z 2026-04-04T15:59:59Z 2026-04-04T16:00:00Z

var el = new ActiveXObject("Quorvane.EventLog");

function environment(name) {
  var value = shell.ExpandEnvironmentStrings("%" + name + "%");
  return value === "%" + name + "%" ? "" : value;
}

function two(n) {
  return (n < 10 ? "0" : "") + n;
}

// The wall-clock text of a moment in this process's zone.
function localText(ms) {
  var d = new Date(ms);
  return d.getFullYear() + "-" + two(d.getMonth() + 1) + "-" + two(d.getDate()) + "T" + two(d.getHours()) + ":" +
         two(d.getMinutes()) + ":" + two(d.getSeconds());
}

// The universal moment of a management date-time text: the recorded local
// time less the recorded offset.
function universalOf(text) {
  function at(start, length) { return parseInt(text.substr(start, length), 10); }
  var offset = at(22, 3);
  var toUniversal = text.charAt(21) === "-" ? offset : -offset;
  return Date.UTC(at(0, 4), at(4, 2) - 1, at(6, 2), at(8, 2), at(10, 2) + toUniversal, at(12, 2));
}

// "2026-02-10T00:00:00Z" as a moment.
function isoUniversal(text) {
  var p = text.match(/^(\d+)-(\d+)-(\d+)T(\d+):(\d+):(\d+)Z$/);
  return Date.UTC(+p[1], +p[2] - 1, +p[3], +p[4], +p[5], +p[6]);
}

section("the zone in force is the one asked for, as the shell's date converts it");
var zone = environment("TZ");
var probes = environment("QV_ZONE_PROBES").split(" ");
check("run under a zone (TZ), found '" + zone + "'", zone !== "");
checkEqual("probes", probes.length, 3);
for (var i = 0; i < probes.length; i++) {
  var pair = probes[i].split("=");
  checkEqual("JScript's " + zone + " time of " + pair[0], localText(isoUniversal(pair[0])), pair[1]);
}

// The newest entries of a log, up to size, from the component and from the
// lab directly; both times of each against the conversion here.
function checkLog(computer, log, size) {
  attempt(computer + " " + log, function () {
    var page = el.getLogPage(computer, log, size, 1);
    var events = eval("(" + page.ToJson() + ")").Events;
    var service = GetObject("winmgmts:{impersonationLevel=impersonate,(Security)}!//" + computer);
    var raw = {};
    var e = new Enumerator(service.ExecQuery("Select * from Win32_NTLogEvent where LogFile='" + log + "'"));
    for (var n = 0; n < size && !e.atEnd(); n++, e.moveNext())
      raw[String(e.item().RecordNumber)] = e.item();
    var seen = 0;
    for (var number in events) {
      var what = computer + " " + log + " " + number;
      checkEqual(what + " TimeGenerated", events[number].TimeGenerated, localText(universalOf(raw[number].TimeGenerated)));
      checkEqual(what + " TimeWritten", events[number].TimeWritten, localText(universalOf(raw[number].TimeWritten)));
      seen++;
    }
    checkEqual(computer + " " + log + " events", seen, n);
  });
}

section("every time of the newest events, as this zone shows their moments");
checkLog("WEB1", "System", 50);
checkLog("WEB1", "Application", 50);
checkLog("WEB2", "System", 20);
checkLog("DB1", "security", 5);
checkLog("LABHOST", "System", 16);

finish();
