#!/usr/bin/env bash
# Builds the fuzz targets with clang (libFuzzer, AddressSanitizer,
# UndefinedBehaviorSanitizer) and runs each for the given number of seconds
# (default 60), starting from its committed corpus. Fails when any target
# finds a crash, a broken invariant, a leak or a hang; the input that did it
# is kept under the build directory's artifacts/ folder.
#
#   fuzz/run.sh [seconds]
#   QV_FUZZ_BUILD=build/fuzz  build directory
#   QV_FUZZ_JOBS=2            targets run at once
#   QV_FUZZ_TARGETS="val_fuzz page_bounds_fuzz"   a subset
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
seconds=${1:-60}
build=${QV_FUZZ_BUILD:-build/fuzz}
jobs=${QV_FUZZ_JOBS:-2}

# The compiler and libFuzzer's runtime (with the sanitizer runtimes) come
# from these Debian 12 packages; installed only when missing.
scripts/setup.sh clang-14 libclang-rt-14-dev

cxx=$(command -v clang++-14 || command -v clang++)
cc=$(command -v clang-14 || command -v clang)
echo "== fuzz: build ($cxx)"
CC=$cc CXX=$cxx cmake -S fuzz -B "$build" -G Ninja >/dev/null
cmake --build "$build" -j "$jobs"

targets=${QV_FUZZ_TARGETS:-$(cd fuzz/targets && ls ./*_fuzz.cpp | sed 's|^\./||; s|\.cpp$||')}
work="$build/runs"
artifacts="$build/artifacts"
rm -rf "$work"
mkdir -p "$work" "$artifacts"

run_one() {
  local target=$1
  local corpus="$work/$target"
  mkdir -p "$corpus"
  # The committed corpus seeds the run; what the run adds stays in the build.
  if "$build/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="$artifacts/$target-" "$corpus" "fuzz/corpus/$target" >"$work/$target.log" 2>&1; then
    echo "fuzz: $target clean: $(grep -m1 -o 'stat::number_of_executed_units: *[0-9]*' "$work/$target.log" |
      grep -o '[0-9]*$') runs in ${seconds}s"
  else
    echo "fuzz: $target FAILED (log: $work/$target.log)"
    grep -E 'invariant broken|ERROR:|runtime error|SUMMARY' "$work/$target.log" | head -5
    ls "$artifacts/$target-"* 2>/dev/null | sed 's/^/fuzz:   input /'
    return 1
  fi
}
export -f run_one
export build work artifacts seconds root

echo "== fuzz: $seconds s per target, $jobs at once"
if printf '%s\n' $targets | xargs -P "$jobs" -I{} bash -c 'run_one "$@"' _ {}; then
  echo "fuzz: every target clean"
else
  echo "fuzz: failures found"
  exit 1
fi
