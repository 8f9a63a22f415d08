#!/usr/bin/env bash
# Builds the lab and the product DLL, then creates or refreshes the lab's
# private Wine prefix: both DLLs registered, the lab's host tools in
# system32 (query, tsdiscon, reset and a shutdown that only records), the
# sites' folders made from the fleet, and the journals of a previous run
# cleared. Runs without a display; safe to run again. QV_ARCH=i686 sets up
# the i686 DLLs (registered in the 32-bit view, the recording shutdown in
# syswow64) beside whatever the x86_64 run left, and the reverse; the
# terminal tools are the x86_64 builds in system32 for both, as on Windows.
# Each registration is checked; a failure stops the set-up and names the DLL
# and the bitness.
set -euo pipefail
source "$(dirname "$0")/lab-env.sh"
cd "$qv_root"

QV_SETUP_EXTRA="nlohmann-json3-dev ${QV_SETUP_EXTRA:-}" scripts/setup.sh

echo "lab-setup: building the $QV_ARCH DLLs in $QV_LAB_BUILD"
cmake --preset "$QV_PRESET" -B "$QV_LAB_BUILD" >/dev/null
cmake --build "$QV_LAB_BUILD" -j "${QV_JOBS:-2}" --target quorvane quorvane_lab lab_tools lab_model_checks

qv_prefix_ready "$WINEPREFIX"

echo "lab-setup: installing the $QV_ARCH DLLs into the prefix"
# The lab DLL finds the fleet in its own folder, so both bitnesses' copies
# live in the lab's home under names of their own.
lab_dll=quorvane_lab.dll
[[ $QV_ARCH == i686 ]] && lab_dll=quorvane_lab_x86.dll
product=$WINEPREFIX/drive_c/quorvane/$QV_INSTALL_DIR
mkdir -p "$qv_lab_home" "$product"
cp "$QV_LAB_BUILD/lab/quorvane_lab.dll" "$qv_lab_home/$lab_dll"
cp "$QV_LAB_BUILD/lab/labfolders.exe" "$qv_root/lab/fleet.json" "$qv_lab_home/"
cp "$QV_LAB_BUILD/automation/quorvane.dll" "$product/"
sysdir=$WINEPREFIX/drive_c/windows/system32
[[ $QV_ARCH == i686 ]] && sysdir=$WINEPREFIX/drive_c/windows/syswow64
# The terminal tools exist only as 64-bit programs in system32, as on 64-bit
# Windows: a 32-bit caller reaches them through Sysnative, never syswow64.
# The i686 set-up therefore installs the x86_64 builds.
tools64=${QV_LAB_BUILD64:-$qv_root/build/lab-mingw64}
if [[ $QV_ARCH == i686 ]]; then
  cmake --preset mingw64 -B "$tools64" >/dev/null
  cmake --build "$tools64" -j "${QV_JOBS:-2}" --target lab_tools
else
  tools64=$QV_LAB_BUILD
fi
for tool in query tsdiscon reset; do
  cp "$tools64/lab/$tool.exe" "$WINEPREFIX/drive_c/windows/system32/$tool.exe"
  rm -f "$WINEPREFIX/drive_c/windows/syswow64/$tool.exe"
done
cp "$QV_LAB_BUILD/lab/shutdown.exe" "$sysdir/shutdown.exe"
for tool in query tsdiscon reset shutdown; do
  # The prefix has programs of these names of its own; the lab's must win.
  qv_wine64 'C:\windows\system32\reg.exe' add 'HKCU\Software\Wine\DllOverrides' /v "$tool.exe" /d native /f >/dev/null
done
rm -f "$qv_lab_home/sessions-journal.txt" "$qv_lab_home/shutdown-requests.txt"

if ! qv_wine "$(qv_sys regsvr32.exe)" /s "C:\\quorvane-lab\\$lab_dll"; then
  echo "lab-setup: the $QV_ARCH lab DLL ($lab_dll) did not register with $(qv_sys regsvr32.exe)" >&2
  exit 1
fi
qv_register_checked "$product/quorvane.dll" "the $QV_ARCH quorvane.dll of the lab"

# The folders behind the sites, remade so their sizes are exactly the fleet's.
rm -rf "$WINEPREFIX/dosdevices/unc" "$WINEPREFIX/drive_c/labsites"
mkdir -p "$WINEPREFIX/dosdevices/unc"
qv_wine 'C:\quorvane-lab\labfolders.exe' "$(qv_winpath "$WINEPREFIX/dosdevices/unc")"
qv_wineserver_wait
echo "lab-setup: ready for $QV_ARCH (WINEPREFIX=$WINEPREFIX)"
