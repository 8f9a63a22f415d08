# Sourced by the lab scripts: where the lab is built and which private Wine
# prefix it lives in. QV_LAB_PREFIX and QV_LAB_BUILD override the defaults.
qv_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export QV_LAB_BUILD=${QV_LAB_BUILD:-$qv_root/build/lab-mingw64}
export WINEPREFIX=${QV_LAB_PREFIX:-$qv_root/build/lab-prefix}
export WINEARCH=win64
export WINEDEBUG=${WINEDEBUG:--all}
# No display, no prompts for the optional runtime installers.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
unset DISPLAY WAYLAND_DISPLAY
# The 64-bit loader by name: with wine32 installed, plain "wine" starts the
# 32-bit programs and would register into the wrong view.
QV_WINE64=${QV_WINE64:-/usr/lib/wine/wine64}
qv_wine64() { "$QV_WINE64" "$@"; }
qv_lab_home=$WINEPREFIX/drive_c/quorvane-lab

# Runs a script with the prefix's cscript; the script path is given as a
# path of this machine.
qv_cscript() {
  local script=$1
  shift
  qv_wine64 'C:\windows\system32\cscript.exe' //nologo "$(winepath -w "$script" 2>/dev/null)" "$@"
}
