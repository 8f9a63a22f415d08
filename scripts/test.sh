#!/usr/bin/env bash
# Every test: installs what is missing, builds the native, sanitizer and
# release builds and runs their unit tests (the release run shows what only
# the optimiser changes), cross-builds the Windows DLLs, runs the
# script-client tests under Wine (against the host's providers and against
# the lab) with the lifetime and apartment checks for the x86_64 and the
# i686 DLL, the side-by-side, per-user and registration-free checks, then
# static analysis, the format check and a timed run of every fuzz target. The i686 soak makes
# a tenth of the calls (QV_SOAK_CALLS_I686): the x86_64 soak already shows
# the memory trend, the i686 one that the 32-bit build holds it too.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh

jobs=${QV_JOBS:-2}
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}

for preset in native native-asan native-release; do
  echo "== $preset: build"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$jobs"
  echo "== $preset: unit tests"
  ctest --preset "$preset" -j "$jobs"
done
scripts/bench.sh --quick --check

for preset in mingw64 mingw32; do
  echo "== $preset: cross build"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$jobs"
done

summary=()
wine_status=0
# Runs one Wine suite; its "... passed, ... failed" line joins the summary.
wine_suite() {
  local log
  log=$(mktemp)
  "$@" 2>&1 | tee "$log" || wine_status=1
  summary+=("$(grep -E '\(.*\): [0-9]+ passed, [0-9]+ failed$' "$log" | tail -n 1 || echo "no summary: $*")")
  rm -f "$log"
}
for arch in x86_64 i686; do
  export QV_ARCH=$arch
  calls=${QV_SOAK_CALLS:-100000}
  [[ $arch == i686 ]] && calls=${QV_SOAK_CALLS_I686:-10000}
  echo "== $arch: script clients under Wine, against the host's own providers"
  wine_suite scripts/wine-tests.sh
  echo "== $arch: script clients under Wine, against the lab"
  # The cross build above holds the lab too: no second build of it.
  preset=mingw64
  [[ $arch == i686 ]] && preset=mingw32
  wine_suite env QV_LAB_BUILD="$PWD/build/$preset" scripts/lab-tests.sh
  echo "== $arch: many servers at once, against the lab"
  env QV_LAB_SKIP_SETUP=1 QV_LAB_BUILD="$PWD/build/$preset" scripts/fleet-bench.sh || wine_status=1
  echo "== $arch: lifetime and apartment checks under Wine"
  wine_suite env QV_LAB_SKIP_SETUP=1 QV_LAB_BUILD="$PWD/build/$preset" QV_SOAK_CALLS="$calls" scripts/wine-hardening.sh
done
unset QV_ARCH
echo "== both DLLs side by side, per user and without registration"
wine_suite scripts/wine-registration.sh
echo
echo "== Wine summary"
printf '%s\n' "${summary[@]}"
if ((wine_status != 0)); then
  echo "Wine suites failed"
  exit 1
fi

echo "== static analysis"
scripts/static-analysis.sh
echo "== format"
scripts/format-check.sh
echo "== fuzzing, ${QV_FUZZ_SECONDS:-60} s a target"
fuzz/run.sh "${QV_FUZZ_SECONDS:-60}"
