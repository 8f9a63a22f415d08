# Sourced by the lab scripts: where the lab is built and which private Wine
# prefix it lives in. QV_LAB_PREFIX and QV_LAB_BUILD override the defaults;
# QV_ARCH (x86_64 or i686) picks the bitness of the DLLs and programs. Both
# bitnesses share one prefix, registered side by side.
qv_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
source "$qv_root/tests/wine/wine_arch.sh"
export QV_ARCH
export QV_LAB_BUILD=${QV_LAB_BUILD:-$qv_root/build/lab-$QV_PRESET}
export WINEPREFIX=${QV_LAB_PREFIX:-$qv_root/build/lab-prefix}
export WINEARCH=win64
export WINEDEBUG=${WINEDEBUG:--all}
# No display, no prompts for the optional runtime installers.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
unset DISPLAY WAYLAND_DISPLAY
qv_lab_home=$WINEPREFIX/drive_c/quorvane-lab

# Runs a script with the prefix's cscript; the script path is given as a
# path of this machine.
qv_cscript() {
  local script=$1
  shift
  qv_wine "$(qv_sys cscript.exe)" //nologo "$(qv_winpath "$script")" "$@"
}
