#!/usr/bin/env bash
# The one-server tour: sets the lab up (scripts/lab-setup.sh;
# QV_LAB_SKIP_SETUP=1 skips it) and runs the administration tour,
# examples/tour.vbs, against a lab server. Arguments go to the tour: [computer [workgroup [service]]].
# Exits non-zero when a step of the tour fails. QV_ARCH=i686 tours with the
# i686 DLL and syswow64's cscript.
set -euo pipefail
source "$(dirname "$0")/lab-env.sh"
cd "$qv_root"
if [[ "${QV_LAB_SKIP_SETUP:-}" != 1 ]]; then scripts/lab-setup.sh; fi
rm -f "$qv_lab_home/sessions-journal.txt" "$qv_lab_home/shutdown-requests.txt"
log=$QV_LAB_BUILD/tour.log
mkdir -p "$QV_LAB_BUILD"
status=0
qv_cscript examples/tour.vbs "$@" 2>&1 | tr -d '\r' | grep -v -e ':fixme:' -e 'FS volume label' | tee "$log" || status=$?
# cscript under Wine may end a script that stopped on an error with status
# 0 and no word: the tour's last line must be there.
if ((status != 0)) || ! grep -q '^End of the tour\.$' "$log"; then
  echo "lab-tour: the tour did not pass with the $QV_ARCH DLL (see the failed steps above)" >&2
  exit 1
fi
