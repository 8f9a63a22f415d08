#!/usr/bin/env bash
# The morning page as a browser shows it: installs Debian's chromium when it
# is missing (the test set-up, never the demo), writes the page with
# scripts/lab-demo.sh (QV_LAB_SKIP_SETUP=1 skips the lab's set-up), counts
# the errors and warnings findEvents gives directly for every host the page
# shows as answering, renders the page in headless Chromium, and checks its
# DOM after load (tests/report/check_page.py). The screenshot is kept as
# build/fleet-health.png. Prints "fleet health page (<arch>): N passed, N
# failed" last.
set -euo pipefail
cd "$(dirname "$0")/../.."
source scripts/lab-env.sh
scripts/setup.sh chromium python3 >/dev/null

scripts/lab-demo.sh
report=$qv_root/build/fleet-health.html
work=$QV_LAB_BUILD/fleet-health-check
rm -rf "$work"
mkdir -p "$work"

# Chromium as root needs --no-sandbox; a new empty profile, nothing fetched.
browse() {
  timeout 120 chromium --headless --no-sandbox --disable-gpu --disable-quic --no-first-run \
    --disable-background-networking --disable-component-update --disable-sync \
    --user-data-dir="$work/profile-$1" "${@:2}" "file://$report" 2>>"$work/chromium.log"
}
browse dom --dump-dom >"$work/dom.html"
rm -f build/fleet-health.png
browse shot --hide-scrollbars --window-size=1440,2600 --screenshot="$qv_root/build/fleet-health.png" >/dev/null
[[ -s build/fleet-health.png ]] || { echo "check_fleet_health: no screenshot (see $work/chromium.log)" >&2; exit 1; }

as_of=$(sed -n 's/^ *"asOf": *"\([0-9-]*\)T\([0-9:]*\)".*/\1 \2/p' lab/fleet.json)
mapfile -t answering < <(grep -o '<tr data-host="[^"]*" data-state="[^"]*"' "$work/dom.html" |
  grep -v 'data-state="unreachable"' | sed 's/.*data-host="\([^"]*\)".*/\1/')
qv_cscript tests/report/event_counts.js "$as_of" "${answering[@]}" 2>&1 | tr -d '\r' | grep -v ':fixme:' >"$work/counts.txt"

result=$(python3 tests/report/check_page.py "$work/dom.html" lab/fleet.json "$work/counts.txt") || true
echo "$result"
echo "screenshot: $qv_root/build/fleet-health.png"
summary=$(tail -n 1 <<<"$result")
echo "fleet health page ($QV_ARCH): $summary"
[[ $summary =~ ^[0-9]+\ passed,\ 0\ failed$ ]]
