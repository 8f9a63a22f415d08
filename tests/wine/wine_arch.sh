# Sourced by tests/wine/wine_env.sh and scripts/lab-env.sh: which DLL and
# which Wine programs one bitness uses, how a prefix is made ready for both,
# and a registration that is checked by creating every class.
#
# QV_ARCH=x86_64 (default): the x86_64 DLL, the 64-bit loader and system32's
# programs. QV_ARCH=i686: the i686 DLL, the 32-bit loader (package
# wine32:i386) and syswow64's programs. Loader and program are always named:
# with wine32 installed a plain "wine regsvr32" starts the 32-bit program and
# would register into the wrong view.

QV_ARCH=${QV_ARCH:-x86_64}
# Both loaders by full path: the packaged wrappers (wine, winepath, wineboot)
# pick the 32-bit loader once wine32 is installed, and a kernel without
# 32-bit support refuses it. QV_WINE32 may name another 32-bit loader (a
# stand-in that cannot start shows the not-runnable case on any machine).
QV_WINE64=${QV_WINE64:-/usr/lib/wine/wine64}
QV_WINE32=${QV_WINE32:-/usr/lib/wine/wine}
case $QV_ARCH in
x86_64)
  QV_PRESET=mingw64 QV_MINGW=x86_64-w64-mingw32 QV_LOADER=$QV_WINE64
  QV_SYSDIR='C:\windows\system32' QV_INSTALL_DIR=x64
  ;;
i686)
  QV_PRESET=mingw32 QV_MINGW=i686-w64-mingw32 QV_LOADER=$QV_WINE32
  QV_SYSDIR='C:\windows\syswow64' QV_INSTALL_DIR=x86
  ;;
*)
  echo "QV_ARCH is x86_64 or i686, not '$QV_ARCH'" >&2
  return 1
  ;;
esac
qv_wine64() { "$QV_WINE64" "$@"; }
# This bitness's loader, and the Windows path of one of its system programs.
qv_wine() { "$QV_LOADER" "$@"; }
qv_sys() { printf '%s\\%s' "$QV_SYSDIR" "$1"; }
# The Windows path of a file of this machine, through the 64-bit loader
# whatever the bitness (paths are the same in both views).
qv_winpath() { "$QV_WINE64" 'C:\windows\system32\winepath.exe' -w "$1" 2>/dev/null | tr -d '\r'; }
qv_wineserver_wait() { /usr/lib/wine/wineserver64 -w 2>/dev/null || true; }

# qv_i686_runnable: whether this machine runs 32-bit programs, asked of the
# 32-bit loader once per run (the answer is exported to the scripts started
# later). When it cannot, QV_I686_ERROR holds the loader's own words.
qv_i686_runnable() {
  if [[ -z ${QV_I686_RUNNABLE:-} ]]; then
    local out status=0
    out=$("$QV_WINE32" --version 2>&1) || status=$?
    if ((status == 0)); then
      QV_I686_RUNNABLE=yes QV_I686_ERROR=
    else
      QV_I686_RUNNABLE=no
      QV_I686_ERROR=$(printf '%s' "${out:-exit status $status}" | tr -d '\r' | tr '\n' ' ' | sed 's/ *$//')
      QV_I686_ERROR=${QV_I686_ERROR#*: "$QV_WINE32": }
    fi
    export QV_I686_RUNNABLE QV_I686_ERROR
  fi
  [[ $QV_I686_RUNNABLE == yes ]]
}
# qv_i686_not_run <suite>: the one line a suite that needs 32-bit programs
# prints where this machine cannot run them.
qv_i686_not_run() { echo "i686 $1: not run: this machine cannot run 32-bit programs ($QV_I686_ERROR)"; }

QV_ARCH_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)

# The creatable classes from the type library's source, "ProgID {CLSID}"
# a line: every coclass not marked noncreatable.
qv_classes() {
  awk '/^ *\[/ { attrs = $0 } /noncreatable/ { attrs = attrs " noncreatable" }
       /uuid\(/ { match($0, /uuid\([^)]*\)/); id = substr($0, RSTART + 5, RLENGTH - 6) }
       /^ *coclass / { if (attrs !~ /noncreatable/) print "Quorvane." $2 " {" id "}"; attrs = "" }' \
    "$QV_ARCH_ROOT/automation/quorvane.idl"
}
qv_progids() { qv_classes | cut -d' ' -f1; }

# qv_prefix_ready <prefix>: makes the prefix when it is missing. A prefix
# made before wine32 was installed has an empty syswow64 (wineboot -u does
# not fill it in later): the i686 side then copies Wine's 32-bit programs
# and libraries there and runs the 32-bit part of Wine's own set-up.
qv_prefix_ready() {
  local prefix=$1 wow=$1/drive_c/windows/syswow64
  if [[ ! -f $prefix/system.reg ]]; then
    echo "== new Wine prefix $prefix"
    mkdir -p "$prefix"
    WINEPREFIX=$prefix timeout 300 "$QV_WINE64" 'C:\windows\system32\wineboot.exe' -i 2>&1 | tr -d '\r' | grep -v -e syswow64 -e 'configuration' || true
    WINEPREFIX=$prefix qv_wineserver_wait
  fi
  if [[ $QV_ARCH == i686 ]] && ! qv_i686_runnable; then
    echo "!! i686: this machine cannot run 32-bit programs ($QV_I686_ERROR)" >&2
    return 1
  fi
  [[ $QV_ARCH == i686 && ! -f $wow/cscript.exe ]] || return 0
  local builtins=/usr/lib/i386-linux-gnu/wine/i386-windows
  if [[ ! -x $QV_LOADER || ! -d $builtins ]]; then
    echo "!! i686: Wine's 32-bit loader ($QV_LOADER) or programs ($builtins) are missing (package wine32:i386; scripts/setup.sh installs it)" >&2
    return 1
  fi
  echo "== adding the 32-bit programs to $prefix (made without wine32)"
  mkdir -p "$wow"
  cp -n "$builtins"/* "$wow/" 2>/dev/null || true
  WINEPREFIX=$prefix timeout 300 "$QV_LOADER" 'C:\windows\syswow64\rundll32.exe' setupapi,InstallHinfSection \
    Wow64Install 128 '\\?\unix/usr/share/wine/wine.inf' 2>&1 | tr -d '\r' || true
  WINEPREFIX=$prefix qv_wineserver_wait
  if [[ ! -f $wow/cscript.exe ]]; then
    echo "!! i686: $prefix still has no syswow64\\cscript.exe" >&2
    return 1
  fi
}

# qv_check_creation <what>: every class creates through this bitness's
# cscript; on failure says which DLL and bitness and why.
qv_check_creation() {
  local what=$1 output expected
  local -a progids
  mapfile -t progids < <(qv_progids)
  expected="${#progids[@]} passed, 0 failed"
  output=$(timeout 120 "$QV_LOADER" "$(qv_sys cscript.exe)" //nologo \
    "$(qv_winpath "$QV_ARCH_ROOT/tests/wine/registration/create_classes.vbs")" "${progids[@]}" 2>&1 |
    tr -d '\r' | grep -v -e ':fixme:' -e 'FS volume label' || true)
  if [[ $(printf '%s\n' "$output" | tail -n 1) != "$expected" ]]; then
    echo "!! $what ($QV_ARCH) is registered, but $(qv_sys cscript.exe) cannot create every class:" >&2
    printf '%s\n' "$output" | tail -n 12 | sed 's/^/   /' >&2
    return 1
  fi
}

# qv_register_checked <dll> [what]: registers the DLL (a path of this
# machine) with this bitness's regsvr32, then checks every class creates.
qv_register_checked() {
  local dll=$1 what=${2:-the $QV_ARCH quorvane.dll}
  echo "== regsvr32 ($QV_ARCH): $dll"
  if ! timeout 120 "$QV_LOADER" "$(qv_sys regsvr32.exe)" /s "$(qv_winpath "$dll")"; then
    echo "!! $what ($QV_ARCH, $dll) did not register with $(qv_sys regsvr32.exe)" >&2
    return 1
  fi
  # The keys must be in this bitness's view and name this DLL: a DLL of the
  # other bitness would be registered into the other view without a word.
  local progid clsid server expected
  expected=$(qv_winpath "$dll")
  while read -r progid clsid; do
    server=$(timeout 60 "$QV_LOADER" "$(qv_sys reg.exe)" query "HKLM\\Software\\Classes\\CLSID\\$clsid\\InprocServer32" /ve 2>/dev/null |
      tr -d '\r' | sed -n 's/.*REG_SZ *//p')
    if [[ ${server,,} != "${expected,,}" ]]; then
      echo "!! $what ($QV_ARCH, $dll): $progid is registered in the $QV_ARCH view with '${server:-nothing}', not this DLL" >&2
      return 1
    fi
  done < <(qv_classes)
  qv_check_creation "$what"
}
