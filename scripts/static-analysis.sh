#!/usr/bin/env bash
# Static analysis of the project's own code, with zero findings as the bar:
# clang-tidy (checks in .clang-tidy) over two compilation databases, the
# native release build's (core, the class folders, platform/posix and
# common, the unit tests, the benchmarks) and the mingw64 cross build's
# (platform/win32, com, automation, lab, hardening, tests/wine), then cppcheck over
# every folder. Exits non-zero on any finding. Installs clang-tidy and
# cppcheck when missing.
#
#   scripts/static-analysis.sh
#   QV_ANALYSIS_BUILD=build/analysis                where the native build is configured
#   QV_ANALYSIS_CROSS_BUILD=build/analysis-mingw64  where the cross build is configured
#   QV_ANALYSIS_TESTS=0                             leave tests and benchmarks out of clang-tidy
#   QV_JOBS=2
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
native=${QV_ANALYSIS_BUILD:-build/analysis}
cross=${QV_ANALYSIS_CROSS_BUILD:-build/analysis-mingw64}
jobs=${QV_JOBS:-2}

scripts/setup.sh clang-tidy-14 clang-14 cppcheck

native_areas="core|services|iis|inventory|processes|eventlog|terminal|tools|fleet|docs/generator|platform/posix|platform/common"
cross_areas="platform/win32|com|automation|lab|hardening"
if [[ "${QV_ANALYSIS_TESTS:-1}" != "0" ]]; then
  native_areas="$native_areas|tests|bench"
  cross_areas="$cross_areas|tests/wine"
fi

status=0

# tidy <name> <build> <areas> [clang-tidy arguments...]: clang-tidy over the
# files of the areas in the build's compilation database, a folder's files
# joined into one unit where they compile together (scripts/analysis_units.py).
tidy() {
  local name=$1 build=$2 areas=$3
  shift 3
  local log="$build/clang-tidy.log" units run_status=0
  units="$(cd "$build" && pwd)/units"
  QV_JOBS=$jobs python3 scripts/analysis_units.py "$build" "$areas" "$units" "${@#-extra-arg=}"
  run-clang-tidy-14 -p "$units" -j "$jobs" -quiet "$@" -header-filter="^$root/($areas)/" "^($root/($areas)|$units)/" \
    >"$log" 2>&1 || run_status=$?
  # Code generated into the build folder is not ours: widl's header declares
  # the coclasses at global scope, which bugprone-forward-declaration-namespace
  # reports against the core classes of the same names, and every line of a
  # unit includes a .cpp file (bugprone-suspicious-include). Those findings
  # fail the run, so a crash or a compile error is looked for in its output.
  local plain findings generated
  plain=$(sed 's/\x1b\[[0-9;]*m//g' "$log")
  findings=$(grep -E "^$root/.*: (warning|error): " <<<"$plain" | grep -v "^$root/build/" | sort -u || true)
  generated=$(grep -E "^$root/build/.*: (warning|error): " <<<"$plain" || true)
  if [[ -n "$findings" ]]; then
    echo "$findings"
    echo "clang-tidy ($name): $(wc -l <<<"$findings") findings"
    status=1
  elif ((run_status != 0)) && { [[ -z "$generated" ]] ||
    grep -qE "terminated by signal|Stack dump|Found compiler error|Error while processing" <<<"$plain"; }; then
    tail -20 <<<"$plain"
    echo "clang-tidy ($name): failed to run"
    status=1
  else
    echo "clang-tidy ($name): clean ($(grep -cE "\"file\": \"$root/($areas)/" "$build/compile_commands.json") files)"
  fi
}

echo "== clang-tidy, native"
# Only configuring: the compilation database is all clang-tidy needs. The
# release preset's holds the benchmarks too. Without the shared precompiled
# headers, clang-tidy reads the files with their own includes alone.
cmake --preset native-release -B "$native" -DCMAKE_DISABLE_PRECOMPILE_HEADERS=ON >/dev/null
tidy native "$native" "$native_areas"

echo "== clang-tidy, mingw64"
# The cross build's database, plus the headers widl generates from the IDL.
cmake --preset mingw64 -B "$cross" -DCMAKE_DISABLE_PRECOMPILE_HEADERS=ON >/dev/null
cmake --build "$cross" --target quorvane_idl >/dev/null
# clang reads the MinGW headers for the same target, and the C++ library
# of the MinGW g++ the database names (clang does not find the "-posix"
# flavour's folders by itself).
cross_args=(-extra-arg=--target=x86_64-w64-mingw32 -extra-arg=-nostdinc++)
while read -r dir; do
  cross_args+=("-extra-arg=-isystem$dir")
done < <(x86_64-w64-mingw32-g++-posix -xc++ -E -v - </dev/null 2>&1 |
  sed -n '/#include <...>/,/End of search/p' | grep '/c++' | sed 's/^ *//')
tidy mingw64 "$cross" "$cross_areas" "${cross_args[@]}"

echo "== cppcheck"
cppcheck_status=0
cppcheck --enable=warning,performance,portability --error-exitcode=1 --inline-suppr --std=c++20 -j "$jobs" -q \
  -I. --library=googletest --library=posix \
  core services iis inventory processes eventlog terminal tools platform/posix platform/common tests bench fuzz ||
  cppcheck_status=$?
cppcheck --enable=warning,performance,portability --error-exitcode=1 --inline-suppr --std=c++20 -j "$jobs" -q \
  -I. --library=windows --platform=win64 platform/win32 com automation lab hardening || cppcheck_status=$?
if ((cppcheck_status != 0)); then
  echo "cppcheck: findings above"
  status=1
else
  echo "cppcheck: clean"
fi
exit "$status"
