#!/usr/bin/env bash
# The script-client tests of quorvane.dll: cross-builds it, registers it in
# a private Wine prefix, runs the COM checks and every VBScript and JScript
# test in tests/wine with cscript, then the Util.Val benchmark. Each test
# ends with "N passed, N failed"; a test without that line, with failures
# or with a non-zero exit status fails the run. No display is needed.
set -euo pipefail
cd "$(dirname "$0")/.."
source tests/wine/wine_env.sh

qv_prepare

passed=0
failed=0
broken=()

qv_run_check "COM checks" 600 "$QV_WINE64" "$QV_COM_CHECKS" "$(qv_winpath "$QV_DLL")"
for test in tests/wine/*.vbs tests/wine/*.js; do
  # The lab's own tests need the lab registered: scripts/lab-tests.sh runs them.
  [[ $(basename "$test") == lab_* ]] && continue
  qv_run_check "$(basename "$test")" 600 "$QV_WINE64" 'C:\windows\system32\cscript.exe' //nologo "$(qv_winpath "$test")"
done

qv_log "benchmark: Util.Val against Scripting.Dictionary.Exists"
timeout 600 "$QV_WINE64" 'C:\windows\system32\cscript.exe' //nologo "$(qv_winpath tests/wine/bench/val_vs_dictionary.vbs)" 2>&1 | qv_quiet_wine

qv_finish_wine
echo
echo "script clients: $passed passed, $failed failed"
if ((${#broken[@]} > 0)); then
  echo "failing: ${broken[*]}"
  exit 1
fi
