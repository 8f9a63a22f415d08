#!/usr/bin/env python3
"""Checks the morning page as the browser rendered it (its DOM after load)
against the lab's fleet file and the event counts findEvents gave directly.

    check_page.py DOM_FILE FLEET_JSON COUNTS_FILE

Prints one line per failed check and "N passed, N failed" last; exits 1 on
any failure."""
import json
import re
import sys
from html.parser import HTMLParser

GREY_BACK = "#f3f4f6"
RED = "#b91c1c"


class Page(HTMLParser):
    """The rows of the page (data-host) and the marked elements in each."""

    def __init__(self):
        super().__init__()
        self.rows = []  # [attributes of the tr, [attributes of marked elements inside]]
        self.tags = []
        self.scripts = 0
        self.remote = []

    def handle_starttag(self, tag, attrs):
        a = dict(attrs)
        if tag == "script":
            self.scripts += 1
        for key in ("src", "href"):
            if key in a and re.match(r"^(https?:)?//", a[key] or ""):
                self.remote.append(a[key])
        if tag == "tr" and "data-host" in a:
            self.rows.append([a, []])
        elif self.rows and any(k in a for k in ("data-drive", "data-service", "data-log", "data-session")):
            self.rows[-1][1].append(a)


def fleet_hosts(fleet):
    names = []
    for computer in fleet["computers"]:
        copies = computer.get("copies")
        if copies:
            names += ["%s%02d" % (computer["name"], n) for n in range(1, copies + 1)]
        else:
            names.append(computer["name"])
    return names


def style_of(attrs, prop):
    match = re.search(r"(?:^|;)\s*%s\s*:\s*([^;]+)" % re.escape(prop), attrs.get("style") or "")
    return match.group(1).strip().lower() if match else None


def main():
    dom_file, fleet_file, counts_file = sys.argv[1:4]
    page = Page()
    page.feed(open(dom_file, encoding="utf-8").read())
    fleet = json.load(open(fleet_file, encoding="utf-8"))
    passed, failed = 0, 0

    def check(what, ok):
        nonlocal passed, failed
        if ok:
            passed += 1
        else:
            failed += 1
            print("FAIL " + what)

    rows = {row[0]["data-host"].upper(): row for row in page.rows}
    expected = [name.upper() for name in fleet_hosts(fleet)]
    check("one row per lab host: %d rows, %d hosts" % (len(page.rows), len(expected)),
          len(page.rows) == len(expected) and sorted(rows) == sorted(expected))
    check("no script and nothing fetched from elsewhere", page.scripts == 0 and not page.remote)

    for dead in [c["name"].upper() for c in fleet["computers"]
                 if c.get("answers") is False or c.get("reachable") is False]:
        row = rows.get(dead)
        check(dead + " shown unreachable and grey",
              row is not None and row[0].get("data-state") == "unreachable"
              and style_of(row[0], "background") == GREY_BACK)

    # Problems first: no host with a problem after one without.
    states = [row[0].get("data-state") for row in page.rows]
    first_ok = states.index("ok") if "ok" in states else len(states)
    check("hosts with problems first", all(s == "ok" for s in states[first_ok:]))

    def marked(host, key, value):
        row = rows.get(host)
        return [a for a in (row[1] if row else []) if a.get(key) == value]

    # Every fixed drive past 90% used and every stopped automatic service of the fleet file is marked red.
    for computer in fleet["computers"]:
        host = computer["name"].upper()
        for disk in computer.get("wmi", {}).get("Win32_LogicalDisk", []):
            if disk.get("DriveType") != 3 or not disk.get("Size"):
                continue
            used = 100 - 100 * int(disk["FreeSpace"]) / int(disk["Size"])
            if used > 90:
                found = marked(host, "data-drive", disk["DeviceID"])
                check("%s %s (%.1f%% used) marked" % (host, disk["DeviceID"], used),
                      len(found) == 1 and found[0].get("data-full") == "1" and style_of(found[0], "color") == RED)
        for service in computer.get("services", []):
            if service.get("StartType") == 2 and service.get("Status") == 1:
                found = marked(host, "data-service", service["Name"])
                check("%s %s (automatic, stopped) marked" % (host, service["Name"]),
                      len(found) == 1 and style_of(found[0], "color") == RED)
        for session in computer.get("sessions", []):
            if session["state"].lower() == "disc":
                check("%s: disconnected session of %s shown" % (host, session["user"]),
                      len(marked(host, "data-session", "disconnected")) >= 1)

    counted = 0
    for line in open(counts_file, encoding="utf-8", errors="replace"):
        parts = line.split()
        if len(parts) < 3 or parts[0].upper() not in rows:
            continue
        host, log = parts[0].upper(), parts[1]
        found = marked(host, "data-log", log)
        if parts[2] == "failed":
            check("%s %s: a failed read is not shown as counts" % (host, log), not found)
            continue
        counted += 1
        shown = (found[0].get("data-errors"), found[0].get("data-warnings")) if len(found) == 1 else None
        check("%s %s: errors and warnings %s shown as findEvents gives %s" % (host, log, shown, parts[2:4]),
              shown == (parts[2], parts[3]))
    check("event counts compared for the hosts that answer (%d)" % counted, counted > 0)
    news = sum(int(a.get("data-errors", 0)) + int(a.get("data-warnings", 0))
               for row in page.rows for a in row[1] if "data-log" in a)
    check("errors or warnings in the window somewhere", news > 0)

    print("%d passed, %d failed" % (passed, failed))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
