#!/usr/bin/env bash
# The demo: sets the lab up (scripts/lab-setup.sh; QV_LAB_SKIP_SETUP=1 skips
# it) and writes the morning page, examples/fleet_health.vbs run over the
# whole lab network through Quorvane.Fleet as of the fleet file's "asOf"
# time, to build/fleet-health.html; prints its path, the number of hosts and
# the seconds it took. Arguments go to the report (/timeout:n, /hosts:...).
# scripts/lab-tour.sh runs the one-server tour. QV_ARCH=i686 uses the i686
# DLL and syswow64's cscript.
set -euo pipefail
source "$(dirname "$0")/lab-env.sh"
cd "$qv_root"
if [[ "${QV_LAB_SKIP_SETUP:-}" != 1 ]]; then scripts/lab-setup.sh; fi
rm -f "$qv_lab_home/sessions-journal.txt" "$qv_lab_home/shutdown-requests.txt"
mkdir -p "$QV_LAB_BUILD" build
report=$qv_root/build/fleet-health.html
log=$QV_LAB_BUILD/fleet-health.log
rm -f "$report"
# "asOf": "2026-03-02T20:00:00" -> 2026-03-02 20:00:00
as_of=$(sed -n 's/^ *"asOf": *"\([0-9-]*\)T\([0-9:]*\)".*/\1 \2/p' lab/fleet.json)
started=$(date +%s.%N)
status=0
qv_cscript examples/fleet_health.vbs "/out:$(qv_winpath "$report")" "/asof:$as_of" "$@" 2>&1 | tr -d '\r' |
  grep -v -e ':fixme:' -e 'FS volume label' >"$log" || status=$?
ended=$(date +%s.%N)
hosts=$(sed -n 's/^hosts: \([0-9]*\),.*/\1/p' "$log")
if ((status != 0)) || [[ -z $hosts || ! -s $report ]]; then
  cat "$log" >&2
  echo "lab-demo: the report was not written with the $QV_ARCH DLL" >&2
  exit 1
fi
echo "report: $report"
echo "hosts: $hosts"
awk -v a="$started" -v b="$ended" 'BEGIN { printf "seconds: %.1f\n", b - a }'
