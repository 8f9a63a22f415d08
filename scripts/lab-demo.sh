#!/usr/bin/env bash
# The demo: sets the lab up (scripts/lab-setup.sh; QV_LAB_SKIP_SETUP=1 skips
# it) and runs the administration tour, examples/tour.vbs, against a lab
# server. Arguments go to the tour: [computer [workgroup [service]]].
set -euo pipefail
source "$(dirname "$0")/lab-env.sh"
cd "$qv_root"
if [[ "${QV_LAB_SKIP_SETUP:-}" != 1 ]]; then scripts/lab-setup.sh; fi
rm -f "$qv_lab_home/sessions-journal.txt" "$qv_lab_home/shutdown-requests.txt"
qv_cscript examples/tour.vbs "$@" | tr -d '\r'
