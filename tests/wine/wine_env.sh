# Shared by scripts/wine-tests.sh and scripts/demo.sh (sourced, not run):
# installs what is missing, cross-builds quorvane.dll, prepares a private
# Wine prefix and registers the DLL there. Everything runs without a
# display and without questions.
#
# Settings (environment): QV_ARCH (x86_64, the default, or i686: which DLL
# and which Wine programs), QV_BUILD_DIR (default build/mingw64 or
# build/mingw32), WINEPREFIX (default build/wineprefix or build/wineprefix-i686),
# QV_JOBS (default 2),
# QV_SKIP_SETUP=1 to skip the package check.

QV_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
source "$QV_ROOT/tests/wine/wine_arch.sh"
QV_BUILD_DIR=${QV_BUILD_DIR:-$QV_ROOT/build/$QV_PRESET}
QV_JOBS=${QV_JOBS:-2}
# Each bitness has a prefix of its own: the COM checks register and
# unregister, and must find the other bitness's keys absent.
if [[ $QV_ARCH == x86_64 ]]; then
  export WINEPREFIX=${WINEPREFIX:-$QV_ROOT/build/wineprefix}
else
  export WINEPREFIX=${WINEPREFIX:-$QV_ROOT/build/wineprefix-$QV_ARCH}
fi
export WINEDEBUG=${WINEDEBUG:--all}
# No Mono or Gecko installers (they would ask), and no display at all.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
unset DISPLAY WAYLAND_DISPLAY

qv_log() { echo "== $*"; }

# Windows line ends become Unix ones, and a notice Wine prints for drives
# it cannot name (it says nothing about a test) is dropped.
qv_quiet_wine() { tr -d '\r' | grep -v --line-buffered 'FS volume label and serial are not available' || true; }

qv_setup() {
  if [[ "${QV_SKIP_SETUP:-}" == 1 ]]; then return; fi
  if [[ -x "$QV_ROOT/scripts/setup.sh" ]]; then
    # widl (Wine's IDL compiler, with the stdole2 type library the IDL
    # imports) comes with wine64-tools, which setup installs without
    # recommended packages otherwise.
    QV_SETUP_EXTRA="${QV_SETUP_EXTRA:-} wine64-tools" "$QV_ROOT/scripts/setup.sh"
  fi
  local tool
  for tool in cmake ninja "$QV_MINGW-g++-posix" "$QV_MINGW-windres" widl "$QV_WINE64" /usr/lib/wine/wineserver64; do
    if ! command -v "$tool" >/dev/null; then
      echo "missing: $tool (scripts/setup.sh installs the packages that hold it)" >&2
      return 1
    fi
  done
}

qv_build() {
  qv_log "cross build of the $QV_ARCH quorvane.dll ($QV_BUILD_DIR)"
  cmake --preset "$QV_PRESET" -B "$QV_BUILD_DIR" >/dev/null
  cmake --build "$QV_BUILD_DIR" -j "$QV_JOBS" --target quorvane quorvane_com_checks
  QV_DLL="$QV_BUILD_DIR/automation/quorvane.dll"
  QV_COM_CHECKS="$QV_BUILD_DIR/tests/wine/quorvane_com_checks.exe"
}

qv_prefix() { qv_prefix_ready "$WINEPREFIX"; }

qv_register() { qv_register_checked "$QV_DLL"; }

qv_prepare() {
  qv_setup
  qv_build
  qv_prefix
  qv_register
}

qv_finish_wine() { qv_wineserver_wait; }

# qv_run_check <name> <time limit> <command...>: runs one test program, which
# must end with "N passed, N failed"; adds its counts to passed and failed and
# its name to broken when it failed, timed out or gave no summary.
qv_run_check() {
  local name=$1 limit=$2
  shift 2
  local output status=0
  qv_log "$name"
  output=$(timeout "$limit" "$@" 2>&1 | qv_quiet_wine) || status=$?
  [[ -n "$output" ]] && printf '%s\n' "$output"
  local summary
  summary=$(printf '%s\n' "$output" | grep -E '^[0-9]+ passed, [0-9]+ failed$' | tail -n 1 || true)
  if [[ -z "$summary" ]]; then
    echo "!! $name ended without a summary (status $status)"
    broken+=("$name")
    return
  fi
  local p f
  read -r p _ f _ <<<"${summary//,/}"
  passed=$((passed + p))
  failed=$((failed + f))
  if ((f > 0 || status != 0)); then broken+=("$name"); fi
}
