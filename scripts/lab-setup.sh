#!/usr/bin/env bash
# Builds the lab and the product DLL, then creates or refreshes the lab's
# private Wine prefix: both DLLs registered, the lab's host tools in
# system32 (query, tsdiscon, reset and a shutdown that only records), the
# sites' folders made from the fleet, and the journals of a previous run
# cleared. Runs without a display; safe to run again.
set -euo pipefail
source "$(dirname "$0")/lab-env.sh"
cd "$qv_root"

QV_SETUP_EXTRA="nlohmann-json3-dev ${QV_SETUP_EXTRA:-}" scripts/setup.sh

echo "lab-setup: building in $QV_LAB_BUILD"
cmake --preset mingw64 -B "$QV_LAB_BUILD" >/dev/null
cmake --build "$QV_LAB_BUILD" -j "${QV_JOBS:-2}" --target quorvane quorvane_lab lab_tools lab_model_checks

if [[ ! -f $WINEPREFIX/system.reg ]]; then
  echo "lab-setup: creating the prefix $WINEPREFIX"
  qv_wine64 wineboot -i >/dev/null 2>&1
  wineserver -w
fi

echo "lab-setup: installing into the prefix"
mkdir -p "$qv_lab_home" "$WINEPREFIX/drive_c/quorvane"
cp "$QV_LAB_BUILD/lab/quorvane_lab.dll" "$QV_LAB_BUILD/lab/labfolders.exe" "$qv_root/lab/fleet.json" "$qv_lab_home/"
cp "$QV_LAB_BUILD/automation/quorvane.dll" "$WINEPREFIX/drive_c/quorvane/"
system32=$WINEPREFIX/drive_c/windows/system32
for tool in query tsdiscon reset shutdown; do
  cp "$QV_LAB_BUILD/lab/$tool.exe" "$system32/$tool.exe"
  # The prefix has a shutdown.exe of its own; the lab's must win.
  qv_wine64 'C:\windows\system32\reg.exe' add 'HKCU\Software\Wine\DllOverrides' /v "$tool.exe" /d native /f >/dev/null
done
rm -f "$qv_lab_home/sessions-journal.txt" "$qv_lab_home/shutdown-requests.txt"

qv_wine64 'C:\windows\system32\regsvr32.exe' /s 'C:\quorvane-lab\quorvane_lab.dll'
qv_wine64 'C:\windows\system32\regsvr32.exe' /s 'C:\quorvane\quorvane.dll'

# The folders behind the sites, remade so their sizes are exactly the fleet's.
rm -rf "$WINEPREFIX/dosdevices/unc" "$WINEPREFIX/drive_c/labsites"
mkdir -p "$WINEPREFIX/dosdevices/unc"
qv_wine64 'C:\quorvane-lab\labfolders.exe' "$(winepath -w "$WINEPREFIX/dosdevices/unc")"
wineserver -w
echo "lab-setup: ready (WINEPREFIX=$WINEPREFIX)"
