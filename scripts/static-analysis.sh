#!/usr/bin/env bash
# Static analysis of the project's own code, with zero findings as the bar:
# clang-tidy (checks in .clang-tidy) over the native build's compilation
# database, and cppcheck over the same folders. Exits non-zero on any
# finding. Installs clang-tidy and cppcheck when missing.
#
#   scripts/static-analysis.sh
#   QV_ANALYSIS_BUILD=build/analysis   where the native build is configured
#   QV_ANALYSIS_TESTS=0                leave the unit tests out of clang-tidy
#   QV_JOBS=2
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=${QV_ANALYSIS_BUILD:-build/analysis}
jobs=${QV_JOBS:-2}

scripts/setup.sh clang-tidy-14 cppcheck

# The product's own code; the Windows-only folders are not in the native
# compilation database and are left to the cross build.
areas="core|services|iis|inventory|processes|eventlog|terminal|tools|fleet|platform/posix|platform/common"
if [[ "${QV_ANALYSIS_TESTS:-1}" != "0" ]]; then areas="$areas|tests"; fi

echo "== clang-tidy"
# Only configuring: the compilation database is all clang-tidy needs.
cmake --preset native -B "$build" >/dev/null
status=0
log="$build/clang-tidy.log"
run-clang-tidy-14 -p "$build" -j "$jobs" -quiet -header-filter="^$root/($areas)/" "^$root/($areas)/" \
  >"$log" 2>&1 || status=$?
findings=$(sed 's/\x1b\[[0-9;]*m//g' "$log" | grep -E "^$root/.*: (warning|error): " | sort -u || true)
if [[ -n "$findings" ]]; then
  echo "$findings"
  echo "clang-tidy: $(wc -l <<<"$findings") findings"
  status=1
elif ((status != 0)); then
  sed 's/\x1b\[[0-9;]*m//g' "$log" | tail -20
  echo "clang-tidy: failed to run"
else
  echo "clang-tidy: clean ($(grep -c '"file"' "$build/compile_commands.json") files in the database)"
fi

echo "== cppcheck"
cppcheck_status=0
cppcheck --enable=warning,performance,portability --error-exitcode=1 --inline-suppr --std=c++20 -j "$jobs" -q \
  -I. --library=googletest --library=posix \
  core services iis inventory processes eventlog terminal tools platform/posix platform/common tests fuzz ||
  cppcheck_status=$?
if ((cppcheck_status != 0)); then
  echo "cppcheck: findings above"
  status=1
else
  echo "cppcheck: clean"
fi
exit "$status"
