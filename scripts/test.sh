#!/usr/bin/env bash
# Every test: installs what is missing, builds the native and sanitizer
# builds and runs their unit tests, cross-builds the Windows DLLs, runs the
# script-client tests under Wine (against the host's providers and against
# the lab) with the lifetime and apartment checks, then static analysis, the
# format check and a timed run of every fuzz target.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh

jobs=${QV_JOBS:-2}
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}

for preset in native native-asan; do
  echo "== $preset: build"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$jobs"
  echo "== $preset: unit tests"
  ctest --preset "$preset" -j "$jobs"
done

for preset in mingw64 mingw32; do
  echo "== $preset: cross build"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$jobs"
done

echo "== script clients under Wine, against the host's own providers"
scripts/wine-tests.sh
echo "== script clients under Wine, against the lab"
scripts/lab-tests.sh
echo "== lifetime and apartment checks under Wine"
QV_LAB_SKIP_SETUP=1 scripts/wine-hardening.sh

echo "== static analysis"
scripts/static-analysis.sh
echo "== format"
scripts/format-check.sh
echo "== fuzzing, ${QV_FUZZ_SECONDS:-60} s a target"
fuzz/run.sh "${QV_FUZZ_SECONDS:-60}"
