#!/usr/bin/env bash
# The installation checks of both DLLs under Wine, in a prefix of their own:
#  - side by side: the x86_64 and the i686 DLL registered together; removing
#    either leaves the other creating every class; removing both leaves no
#    key of the component in the registry;
#  - per user: regsvr32 /n /i:user of each DLL writes its keys below the
#    user's classes only, and /u removes them all again;
#  - registration-free (when the build made the client): the install
#    layout's manifest lets a client create every class with no key at all.
# Ends with "registration (both DLLs): N passed, N failed". Where this machine
# cannot run 32-bit programs, the x86_64 DLL is checked alone (registered,
# removed, per user, registration-free) and the i686 part prints one
# "not run" line; QV_REQUIRE_I686=1 makes that a failure.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
export WINEPREFIX=${QV_REGISTRATION_PREFIX:-$root/build/wineprefix-registration}
export WINEDEBUG=-all WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
unset DISPLAY WAYLAND_DISPLAY
QV_ARCH=x86_64
source tests/wine/wine_arch.sh
archs=(x86_64)
if qv_i686_runnable; then
  archs+=(i686)
  QV_ARCH=i686
  source tests/wine/wine_arch.sh
fi

if [[ "${QV_SKIP_SETUP:-}" != 1 ]]; then scripts/setup.sh; fi
for preset in mingw64 mingw32; do
  echo "== cross build ($preset)"
  cmake --preset "$preset" >/dev/null
  cmake --build build/$preset -j "${QV_JOBS:-2}" --target quorvane quorvane_regfree_client
done
qv_prefix_ready "$WINEPREFIX"
# The install layout, with the registration-free client beside each DLL.
target=$WINEPREFIX/drive_c/quorvane
rm -rf "$target"
for preset in mingw64 mingw32; do
  cmake --install build/$preset --prefix "$target" >/dev/null
  dir=x64
  [[ $preset == mingw32 ]] && dir=x86
  cp build/$preset/automation/quorvane_regfree_client.exe "$target/$dir/"
done

passed=0
failed=0
# check <command...>: counts the command's outcome; a failing command has
# said why.
check() {
  if "$@"; then passed=$((passed + 1)); else failed=$((failed + 1)); fi
}
# Which bitness, and its DLL's path in the prefix.
use() {
  QV_ARCH=$1
  source tests/wine/wine_arch.sh
  dll=$target/$QV_INSTALL_DIR/quorvane.dll
}
regsvr() {
  local what=$1
  shift
  if ! timeout 120 "$QV_LOADER" "$(qv_sys regsvr32.exe)" /s "$@" "$(qv_winpath "$dll")"; then
    echo "FAIL: regsvr32 $* ($QV_ARCH): $what"
    return 1
  fi
}
creates_all() {
  if qv_check_creation "the $QV_ARCH quorvane.dll"; then return 0; fi
  echo "FAIL: $1"
  return 1
}
creates_none() {
  if qv_check_creation "the $QV_ARCH quorvane.dll" 2>/dev/null; then
    echo "FAIL: $1"
    return 1
  fi
}
# Registry lines that name the component: its GUIDs or its programmatic names.
component_keys() {
  qv_wineserver_wait
  grep -i -c -e 'Quorvane\.' -f <(grep -o 'uuid([^)]*)' automation/quorvane.idl | sed 's/uuid(\(.*\))/\1/') \
    "$WINEPREFIX/$1" || true
}
no_keys_left() {
  local left
  left=$(component_keys "$1")
  if ((left != 0)); then
    echo "FAIL: $2: $left lines of $1 still name the component"
    return 1
  fi
}

# Both install folders carry the same version: in the DLL's version
# resource and in its manifest's assembly identity.
file_version() { strings -el "$1" | grep -x -A1 FileVersion | tail -n 1; }
manifest_version() { sed -n 's/.*name="Quorvane.Automation" version="\([0-9.]*\)".*/\1/p' "$1" | head -n 1; }
same_versions() {
  local v64 v86 m64 m86
  v64=$(file_version "$target/x64/quorvane.dll") v86=$(file_version "$target/x86/quorvane.dll")
  m64=$(manifest_version "$target/x64/Quorvane.Automation.manifest")
  m86=$(manifest_version "$target/x86/Quorvane.Automation.manifest")
  if [[ -z $v64 || $v64 != "$v86" || $m64 != "$m86" || $m64 != "$v64.0" ]]; then
    echo "FAIL: install layout versions differ: x64 $v64 (manifest $m64), x86 $v86 (manifest $m86)"
    return 1
  fi
}
echo "== install layout"
check same_versions

echo "== side by side"
for arch in "${archs[@]}"; do
  use $arch
  regsvr "unregisters what an earlier run left" /u || true
done
check no_keys_left system.reg "before the checks"
if ((${#archs[@]} == 1)); then
  use x86_64 && check regsvr "registers" && check creates_all "x86_64 creates every class after registration"
  check regsvr "unregisters" /u && check creates_none "x86_64 no longer creates after its removal"
  check no_keys_left system.reg "removed"
else
  for first in x86_64 i686; do
    other=i686
    [[ $first == i686 ]] && other=x86_64
    use x86_64 && check regsvr "registers" && check creates_all "x86_64 creates every class after registration"
    use i686 && check regsvr "registers" && check creates_all "i686 creates every class after registration"
    use "$first" && check regsvr "unregisters beside the other" /u && check creates_none "$first no longer creates after its removal"
    use "$other" && check creates_all "$other still creates every class after the $first DLL was removed"
    check regsvr "unregisters last" /u && check creates_none "$other no longer creates after its removal"
    check no_keys_left system.reg "both removed ($first first)"
  done
fi

wrote_user_keys() {
  if (($(component_keys user.reg) == 0)); then
    echo "FAIL: per-user registration ($QV_ARCH) wrote nothing below the user's classes"
    return 1
  fi
}
machine_unchanged() {
  if (($(component_keys system.reg) != $1)); then
    echo "FAIL: per-user registration ($QV_ARCH) changed the machine's classes"
    return 1
  fi
}

echo "== per user"
for arch in "${archs[@]}"; do
  use $arch
  machine=$(component_keys system.reg)
  check regsvr "registers for the user" /n /i:user
  check wrote_user_keys
  check machine_unchanged "$machine"
  check regsvr "unregisters for the user" /u /n /i:user
  check no_keys_left user.reg "per-user removal ($arch)"
done

echo "== registration-free"
for arch in "${archs[@]}"; do
  use $arch
  client=$target/$QV_INSTALL_DIR/quorvane_regfree_client.exe
  if [[ ! -f $client ]]; then
    echo "FAIL: no registration-free client in the $QV_INSTALL_DIR install folder"
    failed=$((failed + 1))
    continue
  fi
  check no_keys_left system.reg "before the registration-free client ($arch)"
  mapfile -t progids < <(qv_progids)
  output=$(timeout 120 "$QV_LOADER" "$(qv_winpath "$client")" "${progids[@]}" 2>&1 | tr -d '\r' |
    grep -v ':fixme:' || true)
  printf '%s\n' "$output" | grep -E '^FAIL' || true
  expected="${#progids[@]} passed, 0 failed"
  if [[ $(printf '%s\n' "$output" | tail -n 1) == "$expected" ]]; then
    passed=$((passed + 1))
  else
    echo "FAIL: the registration-free client ($arch) did not create every class: $(printf '%s\n' "$output" | tail -n 1)"
    failed=$((failed + 1))
  fi
done

qv_wineserver_wait
if ! qv_i686_runnable; then
  qv_i686_not_run registration
  if [[ ${QV_REQUIRE_I686:-} == 1 ]]; then failed=$((failed + 1)); fi
fi
echo
echo "registration (both DLLs): $passed passed, $failed failed"
((failed == 0))
