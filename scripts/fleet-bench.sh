#!/usr/bin/env bash
# The fleet benchmark under Wine against the lab (tests/wine/bench/fleet_speedup.vbs):
# prints "fleet speed-up: <x>" (24 hosts of 500 ms latency through Fleet.Run
# with Parallel 8, against the same 24 calls one by one) and "hang bounded:
# <s>" (a Run with Timeout 2 over five answering hosts and one that never
# answers), "fleet overhead vs direct: <x>" (1,000 names that fail at once
# through Run with Parallel 64 against the same calls one by one, median of
# three) and "stuck workers after 200 runs: <n>" (the callers the lab's one
# hung host holds after 200 runs with it in the list); fails unless the
# speed-up is at least 5, the hung run returns within 3 seconds, the
# overhead is at most 3 and at most one worker is stuck.
# QV_LAB_SKIP_SETUP=1: the lab prefix is ready.
set -euo pipefail
source "$(dirname "$0")/lab-env.sh"
cd "$qv_root"

if [[ "${QV_LAB_SKIP_SETUP:-}" != 1 ]]; then scripts/lab-setup.sh >/dev/null; fi

output=$(timeout 300 env WINEDEBUG=-all "$QV_LOADER" "$(qv_sys cscript.exe)" //nologo \
  "$(qv_winpath tests/wine/bench/fleet_speedup.vbs)" 2>&1 | tr -d '\r' || true)
echo "$output" | grep -v -e ':fixme:' -e '^wine:' || true
speedup=$(echo "$output" | sed -n 's/^fleet speed-up: //p')
hang=$(echo "$output" | sed -n 's/^hang bounded: //p')
overhead=$(echo "$output" | sed -n 's/^fleet overhead vs direct: //p')
stuck=$(echo "$output" | sed -n 's/^stuck workers after 200 runs: //p')
if [[ -z $speedup || -z $hang || -z $overhead || -z $stuck ]]; then
  echo "fleet-bench: no result"
  exit 1
fi
# The script prints with the prefix's regional settings; a decimal comma reads as a point.
if ! awk -v s="${speedup/,/.}" -v h="${hang/,/.}" -v o="${overhead/,/.}" -v k="$stuck" \
  'BEGIN { exit !(s >= 5 && h <= 3.0 && o <= 3 && k <= 1) }'; then
  echo "fleet-bench: wanted a speed-up of at least 5, a hang of at most 3.0 s, an overhead of at most 3"
  echo "             and at most one stuck worker (one hung host)"
  exit 1
fi
echo "fleet-bench: passed"
