#!/usr/bin/env bash
# The script-client tests against the lab: sets the lab up (scripts/lab-setup.sh;
# QV_LAB_SKIP_SETUP=1 skips it), runs the lab's own model checks, then every
# tests/wine/lab_*.vbs and lab_*.js with cscript in the lab's prefix. Each
# VBScript test runs joined after lab_common.vbi and each JScript test after
# lab_common.jsi (the prefix's script engines cannot include files). A test
# passes when its last line reads "N passed, 0 failed". The session journal
# and the recorded shutdown requests are cleared before each test, so each
# starts from the fleet file. QV_LAB_ONLY=name runs the matching tests only;
# QV_ARCH=i686 runs them for the i686 DLLs with syswow64's cscript. Tests run
# in universal time (TZ=UTC), except that a test with a line "' zones: A B"
# runs once under each zone named, with QV_ZONE_OFFSETS holding the zone's
# offsets in 2026 as the system's zone data gives them ("<universal
# instant>=<minutes east of UTC>" from that instant on).
set -euo pipefail
source "$(dirname "$0")/lab-env.sh"
cd "$qv_root"

if [[ "${QV_LAB_SKIP_SETUP:-}" != 1 ]]; then scripts/lab-setup.sh; fi

# Wine takes the zone from TZ, per process.
export TZ=UTC

work=$QV_LAB_BUILD/lab-tests
mkdir -p "$work"
export QV_LAB_FLEET
QV_LAB_FLEET=$(qv_winpath "$qv_root/lab/fleet.json")

total_passed=0
total_failed=0
broken=()

# The offsets of a zone through 2026: the one in force at its start, then
# each change (zdump lists the last second before it and its first).
zone_offsets() {
  local zone=$1 at east
  east=$(TZ=$zone date -d 2026-01-01T00:00:00Z +%z)
  printf '2026-01-01T00:00:00Z=%d' $(((10#${east:1:2} * 60 + 10#${east:3:2}) * ${east:0:1}1))
  zdump -v -c 2026,2027 "$zone" | grep ' UT = .*gmtoff=' | while read -r _ _ month day time year _ _ _ _ _ _ _ _ _ gmtoff; do
    at=$(date -u -d "$month $day $time $year UTC" +%Y-%m-%dT%H:%M:%SZ)
    printf ' %s=%d' "$at" $((${gmtoff#gmtoff=} / 60))
  done
}

# Runs one test command; its output is kept in $work/<name>.log.
run_test() {
  local name=$1 log=$work/$1.log
  shift
  rm -f "$qv_lab_home/sessions-journal.txt" "$qv_lab_home/shutdown-requests.txt"
  echo "== $name"
  timeout "${QV_LAB_TIMEOUT:-300}" "$@" >"$log" 2>&1 || true
  grep -E '^FAIL' "$log" || true
  local result
  result=$(tr -d '\r' <"$log" | grep -E '^[0-9]+ passed, [0-9]+ failed$' | tail -1 || true)
  if [[ -z $result ]]; then
    echo "   no result line; the test stopped after:"
    tr -d '\r' <"$log" | grep -v -e ':fixme:' -e '^wine:' | tail -3 | sed 's/^/   /'
    grep -h -e 'parser_error' -e 'Unhandled' "$log" | cut -c1-300 | sed 's/^/   /' || true
    broken+=("$name")
    return
  fi
  echo "   $result"
  local p f
  read -r p _ f _ <<<"$result"
  total_passed=$((total_passed + p))
  total_failed=$((total_failed + f))
  if ((f > 0)); then broken+=("$name"); fi
}

model_log=$work/lab_model_checks.log
echo "== lab model checks"
qv_wine "$QV_LAB_BUILD/lab/lab_model_checks.exe" >"$model_log" 2>&1 || true
grep -E '^FAIL|\(failed' "$model_log" || true
model=$(tr -d '\r' <"$model_log" | grep -E 'passed, [0-9]+ failed$' | tail -1 || true)
if [[ -z $model ]]; then
  broken+=("lab_model_checks")
else
  echo "   $model"
  read -r _ _ p _ f _ <<<"$model"
  total_passed=$((total_passed + p))
  total_failed=$((total_failed + f))
  if ((f > 0)); then broken+=("lab_model_checks"); fi
fi

for test in tests/wine/lab_*.vbs tests/wine/lab_*.js; do
  [[ -f $test ]] || continue
  name=$(basename "$test")
  if [[ -n "${QV_LAB_ONLY:-}" && $name != *"$QV_LAB_ONLY"* ]]; then continue; fi
  joined=$work/$name
  case $name in
  *.vbs) cat tests/wine/lab_common.vbi "$test" >"$joined" ;;
  *.js) cat tests/wine/lab_common.jsi "$test" >"$joined" ;;
  esac
  cscript=("$QV_LOADER" "$(qv_sys cscript.exe)" //nologo "$(qv_winpath "$joined")")
  zones=$(sed -n "s|^' zones: ||p" "$test" | head -1)
  if [[ -z $zones ]]; then
    run_test "${name%.*}" env WINEDEBUG=-all,fixme+vbscript,fixme+jscript "${cscript[@]}"
    continue
  fi
  for zone in $zones; do
    run_test "${name%.*}-${zone//\//-}" env TZ="$zone" QV_ZONE_OFFSETS="$(zone_offsets "$zone")" \
      WINEDEBUG=-all,fixme+vbscript,fixme+jscript "${cscript[@]}"
  done
done

echo "lab tests ($QV_ARCH): $total_passed passed, $total_failed failed"
if ((${#broken[@]} > 0)); then
  echo "lab tests: not passing: ${broken[*]}"
  exit 1
fi
