#!/usr/bin/env bash
# Builds the release configuration and runs every benchmark. Each benchmark
# compares the component against a baseline measured in the same run.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake --preset native-release >/dev/null
cmake --build --preset native-release -j "${QV_JOBS:-2}"
shopt -s nullglob
for bench in build/native-release/bench/*/bench_*; do
  [[ -x "$bench" ]] || continue
  echo "== $(basename "$bench")"
  "$bench" --benchmark_counters_tabular=true
done
