// One letter-case rule for every key, beyond ASCII, as a script sees it
// against the lab: the keys of a collection (Item, Exists, Add, Remove) in a
// small one and in one large enough for a key table, the log names of a
// computer, and the computers of a fleet run. Texts outside ASCII are written
// as \u escapes: the prefix's VBScript cannot make them (ChrW).

var el = new ActiveXObject("Quorvane.EventLog");
var fleetObject = new ActiveXObject("Quorvane.Fleet");
var duplicate = "This key is already associated with an element of this collection";

// Spellings of one key, and pairs of keys that only look alike.
var same = [
  ["Latin-1", "\u00C9v\u00E9nements", "\u00E9V\u00C9NEMENTS"],
  ["Greek", "\u0391\u0398\u0397\u039D\u0391", "\u03B1\u03B8\u03B7\u03BD\u03B1"],
  ["Cyrillic", "\u041C\u043E\u0441\u043A\u0432\u0430", "\u043C\u041E\u0421\u041A\u0412\u0410"],
  ["Cyrillic from U+0400", "\u0401\u043B\u043A\u0430", "\u0451\u043B\u043A\u0430"],
  // Past the letters the native build folds: the locale's case mapping.
  ["Latin Extended-A", "\u0141\u00F3d\u017A", "\u0142\u00D3D\u0179"]
];
var apart = [
  ["an accent", "\u00E9t\u00E9", "ete"],
  ["sharp s", "Stra\u00DFe", "STRASSE"],
  ["a sign, not a letter", "x\u00D7", "x\u00F7"]
];

// A collection of the component's with fillers keyed before the cases.
function collectionWith(fillers) {
  var c = el.EnumEventLogs("WEB1");
  for (var i = 0; i < fillers; i++) c.Add(i, "filler" + i);
  return c;
}

var sizes = [0, 20];
for (var s = 0; s < sizes.length; s++) {
  section("keys in a collection with " + sizes[s] + " other keys");
  for (var i = 0; i < same.length; i++) {
    var name = same[i][0], added = same[i][1], asked = same[i][2];
    attempt(name, function () {
      var c = collectionWith(sizes[s]);
      c.Add("found", added);
      checkEqual(name + ": Item in the other case", c.Item(asked), "found");
      checkEqual(name + ": Exists in the other case", c.Exists(asked), true);
      checkThrows(name + ": Add in the other case", function () { c.Add("again", asked); }, 0x800A01C9, duplicate);
      c.Remove(asked);
      checkEqual(name + ": removed by the other case", c.Exists(added), false);
    });
  }
  for (var j = 0; j < apart.length; j++) {
    var what = apart[j][0], first = apart[j][1], second = apart[j][2];
    attempt(what, function () {
      var c = collectionWith(sizes[s]);
      c.Add(1, first);
      checkEqual(what + ": not the same key", c.Exists(second), false);
      c.Add(2, second);
      checkEqual(what + ": each under its own key", c.Item(first) * 10 + c.Item(second), 12);
    });
  }
}

section("log names that differ only in letter case");
var logs = computerNamed("WEB2").eventLogs;
check("the lab has the two logs", logs[1].log === same[0][1] && logs[2].log === "\u00E9v\u00E9nements");
checkThrows("EnumEventLogs refuses the second name", function () { el.EnumEventLogs("WEB2"); }, 0x800A01C9,
            "Unable to list eventlogs on WEB2: " + duplicate);
attempt("each log is there as named", function () {
  checkEqual("count of the first", el.numberOfEvents("WEB2", logs[1].log), logs[1].count);
  checkEqual("count of the second", el.numberOfEvents("WEB2", logs[2].log), logs[2].count);
});

section("a computer named twice in one run");
checkThrows("an array", function () { fleetObject.Run("ServerInfo", "osInfo", ["\u00C9LAN1", "\u00E9lan1"]); },
            0x800A01C9, "Run: \u00E9lan1 is named more than once");
checkThrows("a text", function () { fleetObject.Run("ServerInfo", "osInfo", "\u0410\u0422\u041B\u0410\u0421, \u0430\u0442\u043B\u0430\u0441"); },
            0x800A01C9, "Run: \u0430\u0442\u043B\u0430\u0441 is named more than once");

finish();
