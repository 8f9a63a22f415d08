#!/usr/bin/env bash
# The fleet benchmark under Wine against the lab (tests/wine/bench/fleet_speedup.vbs):
# prints "fleet speed-up: <x>" (24 hosts of 500 ms latency through Fleet.Run
# with Parallel 8, against the same 24 calls one by one) and "hang bounded:
# <s>" (a Run with Timeout 2 over five answering hosts and one that never
# answers), and fails unless the speed-up is at least 5 and the hung run
# returns within 3 seconds. QV_LAB_SKIP_SETUP=1: the lab prefix is ready.
set -euo pipefail
source "$(dirname "$0")/lab-env.sh"
cd "$qv_root"

if [[ "${QV_LAB_SKIP_SETUP:-}" != 1 ]]; then scripts/lab-setup.sh >/dev/null; fi

output=$(timeout 300 env WINEDEBUG=-all "$QV_LOADER" "$(qv_sys cscript.exe)" //nologo \
  "$(qv_winpath tests/wine/bench/fleet_speedup.vbs)" 2>&1 | tr -d '\r' || true)
echo "$output" | grep -v -e ':fixme:' -e '^wine:' || true
speedup=$(echo "$output" | sed -n 's/^fleet speed-up: //p')
hang=$(echo "$output" | sed -n 's/^hang bounded: //p')
if [[ -z $speedup || -z $hang ]]; then
  echo "fleet-bench: no result"
  exit 1
fi
# The script prints with the prefix's regional settings; a decimal comma reads as a point.
if ! awk -v s="${speedup/,/.}" -v h="${hang/,/.}" 'BEGIN { exit !(s >= 5 && h <= 3.0) }'; then
  echo "fleet-bench: wanted a speed-up of at least 5 and a hang of at most 3.0 s"
  exit 1
fi
echo "fleet-bench: passed"
