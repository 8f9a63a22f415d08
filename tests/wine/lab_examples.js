// The examples run against the lab as a reader would run them, and the ASP
// page (which needs a web server) names only fields the records have.

var examples = fso.BuildPath(fso.GetParentFolderName(fso.GetParentFolderName(loadFleetPath())), "examples");

function loadFleetPath() {
  var path = shell.ExpandEnvironmentStrings("%QV_LAB_FLEET%").replace(/\0/g, "");
  if (path === "%QV_LAB_FLEET%" || !path) {
    var tests = fso.GetParentFolderName(WScript.ScriptFullName);
    path = fso.BuildPath(fso.GetParentFolderName(fso.GetParentFolderName(tests)), "lab\\fleet.json");
  }
  return path;
}

// The lines a script writes, run with this host's cscript (the prefix's
// WScript.Shell has no Exec: the output goes through a file).
function run(script, args) {
  var output = fso.BuildPath(fso.GetSpecialFolder(2), "qv_example_output.txt");
  var command = '"' + WScript.FullName + '" //nologo "' + fso.BuildPath(examples, script) + '" ' + args;
  shell.Run('cmd /c "' + command + ' > "' + output + '""', 0, true);
  var text = fso.OpenTextFile(output, 1).ReadAll();
  fso.DeleteFile(output);
  return text.replace(/\r/g, "").replace(/\n+$/, "").split("\n");
}

section("events_page.js");
attempt("a walk of every page", function () {
  var lines = run("events_page.js", "WEB1 System all 250");
  checkEqual("pages", lines.length, 13);
  checkEqual("the first", lines[0], "page 1 of 12: records 3000 to 2751");
  checkEqual("the summary", lines[lines.length - 1], "3000 of 3000 entries, each once");
});
attempt("one page as JSON", function () {
  var lines = run("events_page.js", "WEB1 System 2 10");
  var page = eval("(" + lines.join("\n") + ")");
  checkEqual("page, pages, total", page.Page + "/" + page.Pages + "/" + page.Total, "2/300/3000");
  checkEqual("its newest entry", page.Events["2990"].RecordNumber, 2990);
});

section("server_report.vbs");
attempt("the report", function () {
  var text = run("server_report.vbs", "WEB1 CORP").join("\n");
  check("no failed step: " + text.substring(0, 300), text.indexOf("failed:") < 0);
  check("every OS field by its key", text.indexOf("  Uptime:") > 0 && text.indexOf("  BuildType:") > 0);
  check("the log's size from getLogPage", text.indexOf("(3000 entries in 60 pages of 50") > 0);
});

section("events.asp names only fields the records have");
attempt("fields", function () {
  var asp = fso.OpenTextFile(fso.BuildPath(examples, "events.asp"), 1).ReadAll();
  var el = new ActiveXObject("Quorvane.EventLog");
  var page = el.getLogPage("WEB1", "System", 1, 1);
  var uses = [["page", page], ["entry", page.Item("Events").Item(1)]];
  for (var u = 0; u < uses.length; u++) {
    var pattern = new RegExp("\\b" + uses[u][0] + "\\(\"([A-Za-z]+)\"\\)", "g"), match, seen = 0;
    while ((match = pattern.exec(asp)) !== null) {
      check(uses[u][0] + "(\"" + match[1] + "\") is a field", uses[u][1].Exists(match[1]));
      seen++;
    }
    check(uses[u][0] + " fields are read", seen > 0);
  }
  check("it calls getLogPage and ToJson", /el\.getLogPage\(/.test(asp) && /page\.ToJson\(\)/.test(asp));
});

finish();
