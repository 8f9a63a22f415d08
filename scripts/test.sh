#!/usr/bin/env bash
# Every test: installs what is missing, builds the sanitizer build and runs
# the unit tests in it, builds the release code the benchmarks measure and
# runs the quick benchmark checks, cross-builds the
# Windows DLLs, runs the script-client tests under Wine (against the host's
# providers and against the lab) with the lifetime and apartment checks for
# the x86_64 and the i686 DLL, the side-by-side, per-user and
# registration-free checks (static analysis runs alongside all of these, at
# the lowest priority), then the format check and a short run of every fuzz
# target from its committed corpus (fuzz/run.sh SECONDS serves long runs).
# Ends with a table of the stages and their times.
#
# A machine whose kernel cannot run 32-bit programs still cross-builds the
# i686 DLL and runs every x86_64 suite; each i686 suite then prints one
# "not run" line with the 32-bit loader's own error. QV_REQUIRE_I686=1
# makes that a failure. QV_WINE32 names another 32-bit loader.
#
# The i686 soak makes a tenth of the calls (QV_SOAK_CALLS_I686): the x86_64
# soak already shows the memory trend, the i686 one that the 32-bit build
# holds it too.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
# Every tool a stage installs for itself, installed here at once: a stage
# that runs alongside another must not wait on, or race for, the package
# manager.
scripts/setup.sh clang-tidy-14 cppcheck clang-format clang-14 libclang-rt-14-dev chromium python3
source tests/wine/wine_arch.sh

jobs=${QV_JOBS:-2}
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}

# Processor seconds this shell's waited-for children have used so far (the
# second line of the builtin times; a wineserver left running is not among
# them), so the table shows work as well as waiting. Sets cpu. times must
# run in this shell: in a command substitution it would see the subshell's
# children, which are none.
times_file=$(mktemp)
trap 'rm -f "$times_file"' EXIT
cpu_now() {
  times >"$times_file"
  cpu=$(tail -n 1 "$times_file" | awk '{ n = 0; for (i = 1; i <= 2; i++) { split($i, t, /[ms]/); n += t[1] * 60 + t[2] } printf "%d", n }')
}
timings=()
failures=()
passed=0
skipped=0
# record <name> <wall seconds> <processor seconds> <status>: one row of the
# table; a failing stage fails the run at the end, after the others had
# their say.
record() {
  local outcome=passed
  if (($4 == 0)); then
    passed=$((passed + 1))
  else
    outcome="FAILED ($4)"
    failures+=("$1")
  fi
  timings+=("$(printf '%-46s %6ss %6ss  %s' "$1" "$2" "$3" "$outcome")")
}
# stage <name> <command...>: runs one stage and records it.
stage() {
  local name=$1 started=$SECONDS cpu_started status=0
  cpu_now
  cpu_started=$cpu
  shift
  echo "== $name"
  "$@" || status=$?
  cpu_now
  record "$name" "$((SECONDS - started))" "$((cpu - cpu_started))" "$status"
  return 0
}
# alongside <name> <command...>: starts a stage that runs beside the others
# at the lowest priority, so their own timings stay theirs; its output is
# shown when it is collected. It is started as no child of this shell (a
# subshell that leaves at once), so its processor seconds never land in the
# row of whatever stage runs when it ends: it counts them itself.
declare -A alongside_log alongside_started
alongside() {
  local name=$1 log
  shift
  log=$(mktemp)
  rm -f "$log.end"
  alongside_log[$name]=$log
  alongside_started[$name]=$SECONDS
  echo "== $name: started alongside the other stages"
  (
    (
      status=0
      nice -n 19 "$@" >"$log" 2>&1 || status=$?
      times_file=$log.times
      cpu_now
      rm -f "$times_file"
      echo "$status $SECONDS $cpu" >"$log.part" && mv "$log.part" "$log.end"
    ) &
  )
}
# collect <name>: waits for a stage started alongside (an hour at most),
# shows its output and records it with its own wall and processor seconds.
collect() {
  local name=$1 status ended used log=${alongside_log[$1]}
  while [[ ! -s $log.end ]] && ((SECONDS - ${alongside_started[$name]} < 3600)); do sleep 1; done
  echo "== $name (ran alongside the other stages)"
  cat "$log"
  read -r status ended used <"$log.end" || { status=1 ended=$SECONDS used=0; echo "$name: did not end within an hour"; }
  rm -f "$log" "$log.end"
  record "$name" "$((ended - ${alongside_started[$name]}))" "$used" "$status"
  cpu_alongside=$((cpu_alongside + used))
}
cpu_alongside=0
# not_run <name> <line>: a stage this machine cannot run.
not_run() {
  echo "$2"
  timings+=("$(printf '%-46s %6s  %6s   %s' "$1" - - "not run")")
  wine_summary+=("$2")
  if [[ ${QV_REQUIRE_I686:-} == 1 ]]; then
    failures+=("$1 (QV_REQUIRE_I686=1)")
  else
    skipped=$((skipped + 1))
  fi
}

native_preset() {
  local preset=$1
  cmake --preset "$preset" >/dev/null && cmake --build --preset "$preset" -j "$jobs" &&
    ctest --preset "$preset" -j "$jobs"
}
# Where 32-bit programs cannot run, the i686 build stops at the DLL: its
# test programs and the lab's tools would only be built to be skipped.
cross_build() {
  local preset targets
  for preset in mingw64 mingw32; do
    targets=()
    if [[ $preset == mingw32 ]] && ! qv_i686_runnable; then targets=(--target quorvane); fi
    cmake --preset "$preset" >/dev/null && cmake --build --preset "$preset" -j "$jobs" "${targets[@]}" || return
  done
}

# The unit tests run once, in the sanitizer build (a debug build with
# AddressSanitizer and UndefinedBehaviorSanitizer). The release build makes
# only what the benchmarks measure: its unit tests would repeat the same
# checks for a tenth of the test command's time on two cores.
release_build() {
  cmake --preset native-release >/dev/null && cmake --build --preset native-release -j "$jobs" --target bench/all
}
# Static analysis needs neither the builds nor Wine: it runs from the start
# at the lowest priority and takes what the builds leave idle (their links
# and test runs) and what the Wine suites, which mostly wait on Wine, leave.
alongside "static analysis" scripts/static-analysis.sh
stage "sanitizer: build and unit tests" native_preset native-asan
stage "release: build of the benchmarks" release_build
stage "benchmarks (quick, checked)" scripts/bench.sh --quick --check
stage "cross builds (x86_64, i686)" cross_build

wine_summary=()
# Runs one Wine suite; its "... passed, ... failed" line joins the summary.
wine_suite() {
  local log status=0
  log=$(mktemp)
  "$@" 2>&1 | tee "$log" || status=$?
  wine_summary+=("$(grep -E '\(.*\): [0-9]+ passed, [0-9]+ failed$' "$log" | tail -n 1 || echo "no summary: $*")")
  rm -f "$log"
  return "$status"
}
for arch in x86_64 i686; do
  preset=mingw64 calls=${QV_SOAK_CALLS:-100000}
  if [[ $arch == i686 ]]; then preset=mingw32 calls=${QV_SOAK_CALLS_I686:-10000}; fi
  suites=("script clients" "lab" "tour" "fleet benchmark" "lifetime and apartments")
  if [[ $arch == i686 ]] && ! qv_i686_runnable; then
    for suite in "${suites[@]}"; do not_run "$arch $suite" "$(qv_i686_not_run "$suite")"; done
    continue
  fi
  # The cross build above holds the lab too: no second build of it.
  lab=(env QV_ARCH=$arch QV_LAB_BUILD="$root/build/$preset")
  stage "$arch script clients" wine_suite env QV_ARCH=$arch scripts/wine-tests.sh
  stage "$arch lab" wine_suite "${lab[@]}" scripts/lab-tests.sh
  stage "$arch tour" "${lab[@]}" QV_LAB_SKIP_SETUP=1 scripts/lab-tour.sh
  if [[ $arch == x86_64 ]]; then
    # The main job's page, rendered in headless Chromium and checked as shown.
    stage "$arch morning page in a browser" wine_suite "${lab[@]}" QV_LAB_SKIP_SETUP=1 tests/report/check_fleet_health.sh
  fi
  stage "$arch fleet benchmark" "${lab[@]}" QV_LAB_SKIP_SETUP=1 scripts/fleet-bench.sh
  stage "$arch lifetime and apartments" wine_suite "${lab[@]}" QV_LAB_SKIP_SETUP=1 QV_SOAK_CALLS="$calls" \
    scripts/wine-hardening.sh
done
stage "registration (side by side, per user, without)" wine_suite scripts/wine-registration.sh
if ! qv_i686_runnable; then not_run "i686 registration" "$(qv_i686_not_run registration)"; fi
echo
echo "== Wine summary"
printf '%s\n' "${wine_summary[@]}"

collect "static analysis"
stage "format" scripts/format-check.sh
stage "fuzzing, ${QV_FUZZ_SECONDS:-3} s a target" fuzz/run.sh "${QV_FUZZ_SECONDS:-3}"

echo
echo "== stages"
printf '%-46s %7s %7s\n' stage wall cpu
printf '%s\n' "${timings[@]}"
cpu_now
printf '%-46s %6ss %6ss\n' "total" "$SECONDS" "$((cpu + cpu_alongside))"
echo "(static analysis ran alongside the other stages: the total is less than the sum)"
if ((${#failures[@]} > 0)); then echo "test: failed: ${failures[*]}"; fi
echo "stages: $passed passed, ${#failures[@]} failed, $skipped skipped"
((${#failures[@]} == 0))
