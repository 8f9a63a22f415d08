#!/usr/bin/env bash
# The lifetime and thread checks of quorvane.dll under Wine:
#  1. the soak (hardening/soak_main.cpp): every class created (through its
#     factory) and released and every cheap member called 100,000 times in
#     the plain prefix of the script-client tests; prints calls per second and private memory before and after, and
#     checks that memory stays flat and DllCanUnloadNow answers S_OK; then
#     1,500 fleet runs (two worker threads each) with memory flat and every
#     worker gone at the end;
#  2. two apartments (hardening/apartments_main.cpp): two threads, each in its own
#     single-threaded apartment, sort services and page event logs of the
#     lab's fleet at the same time and must each keep their own results; then
#     both threads must end. Each apartment also runs a fleet every round;
#     last, a fleet worker left stuck on a host that never answers must keep
#     the DLL loaded (DllCanUnloadNow S_FALSE) and the process must still end.
# Each program ends with "N passed, N failed"; the script fails on any
# failure, a missing summary or a time-out.
#
#   QV_ARCH=i686              the i686 DLL with syswow64's programs
#   QV_SOAK_CALLS=100000      calls per soak step
#   QV_APARTMENT_ROUNDS=300   rounds per apartment
#   QV_LAB_SKIP_SETUP=1       the lab prefix is ready already
#   QV_BUILD_DIR, WINEPREFIX, QV_LAB_BUILD, QV_LAB_PREFIX as for
#   scripts/wine-tests.sh and scripts/lab-setup.sh
set -euo pipefail
cd "$(dirname "$0")/.."
source tests/wine/wine_env.sh

calls=${QV_SOAK_CALLS:-100000}
rounds=${QV_APARTMENT_ROUNDS:-300}

qv_prepare

qv_log "building the soak and the two-apartment test"
cmake --build "$QV_BUILD_DIR" -j "$QV_JOBS" --target quorvane_soak quorvane_apartments
programs=$QV_BUILD_DIR/hardening
out=$QV_BUILD_DIR/hardening-results
mkdir -p "$out"

passed=0
failed=0
broken=()

qv_run_check "soak ($QV_ARCH): $calls calls per step" 1800 "$QV_LOADER" "$programs/quorvane_soak.exe" "$calls"
qv_finish_wine

# The lab serves the fleet the apartments work on, in a prefix of its own.
(
  export QV_LAB_BUILD=${QV_LAB_BUILD:-$QV_BUILD_DIR} # the DLL just built serves the lab too
  source scripts/lab-env.sh
  if [[ "${QV_LAB_SKIP_SETUP:-}" != 1 ]]; then scripts/lab-setup.sh >/dev/null; fi
  qv_run_check "two apartments ($QV_ARCH): $rounds rounds each" 900 "$QV_LOADER" "$programs/quorvane_apartments.exe" "$rounds"
  qv_wineserver_wait
  echo "$passed $failed ${broken[*]}" >"$out/apartments.result"
)
read -r passed failed rest <"$out/apartments.result"
read -r -a broken <<<"${rest:-}"

echo
echo "hardening under Wine ($QV_ARCH): $passed passed, $failed failed"
if ((${#broken[@]} > 0)); then
  echo "failing: ${broken[*]}"
  exit 1
fi
