// Shared by the JScript client tests (loaded with eval): counts checks,
// prints failures, ends with "N passed, N failed" and an exit code.
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

function finish() {
  WScript.Echo(passed + " passed, " + failed + " failed");
  WScript.Quit(failed > 0 ? 1 : 0);
}
