#!/usr/bin/env bash
# The demo: installs what is missing, cross-builds quorvane.dll, registers it
# in a private Wine prefix and runs examples/inventory.vbs, which prints the
# local computer's operating system, processors, drives, network adapters,
# processes and event logs through the component. No display is needed.
set -euo pipefail
cd "$(dirname "$0")/.."
source tests/wine/wine_env.sh

qv_prepare
qv_log "examples/inventory.vbs"
status=0
timeout 300 "$QV_WINE64" 'C:\windows\system32\cscript.exe' //nologo "$(qv_winpath examples/inventory.vbs)" 2>&1 | qv_quiet_wine || status=$?
qv_finish_wine
exit "$status"
