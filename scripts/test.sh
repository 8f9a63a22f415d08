#!/usr/bin/env bash
# Every test: installs what is missing, builds the native and sanitizer
# builds and runs their unit tests, cross-builds the Windows DLLs, then runs
# the script-client tests under Wine.
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
