#!/usr/bin/env bash
# Builds the release configuration and runs every benchmark. Each benchmark
# compares the component against a baseline, or a smaller size, measured in
# the same run, and each target ends up as one line "name: value (target)".
#
#   scripts/bench.sh [--check] [--quick]
#
# --check  prints only the target lines (the full output goes to
#          build/<preset>/bench.log) and exits non-zero when one is missed.
# --quick  the growth benchmarks only, at smaller sizes, on the release build
#          the test command has made: a complexity regression fails CI.
set -euo pipefail
cd "$(dirname "$0")/.."

check=0
quick=0
for arg in "$@"; do
  case "$arg" in
    --check) check=1 ;;
    --quick) quick=1 ;;
    *) echo "usage: $0 [--check] [--quick]" >&2; exit 2 ;;
  esac
done

preset=native-release
filter=.
if ((quick)); then
  filter=Growth
  export QV_BENCH_QUICK=1
else
  scripts/setup.sh
fi
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" -j "${QV_JOBS:-2}" --target bench/all >/dev/null

export QV_BENCH_TARGETS="$PWD/build/$preset/bench-targets.txt"
log="build/$preset/bench.log"
: >"$QV_BENCH_TARGETS"
: >"$log"
failed=0
shopt -s nullglob
for bench in build/"$preset"/bench/*/bench_*; do
  [[ -x "$bench" ]] || continue
  status=0
  if ((check)); then
    "$bench" --benchmark_filter="$filter" >>"$log" 2>&1 || status=$?
  else
    echo "== $(basename "$bench")"
    "$bench" --benchmark_filter="$filter" --benchmark_counters_tabular=true || status=$?
  fi
  # A program that ended otherwise than by a missed target (status 1)
  # measured nothing for the targets it did not reach.
  if ((status > 1)); then
    echo "$(basename "$bench"): failed with status $status (0)" >>"$QV_BENCH_TARGETS"
  fi
  ((status == 0)) || failed=1
done

if ((check)); then
  cat "$QV_BENCH_TARGETS"
  if ((failed)); then
    echo "bench: a target was missed (details in $log)" >&2
    exit 1
  fi
fi
