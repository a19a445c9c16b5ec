#!/usr/bin/env bash
# Runs a Windows program under the Wine session of wine-session.sh:
#   wine-run.sh SESSION_DIR PROGRAM [ARGUMENTS...]
# The display is the 24-bit one unless PELLORAN_DEPTH names 16 or 8.
set -euo pipefail
. "$(dirname "$0")/../../scripts/helpers.sh"
session=$1
shift
session_environment "$session"
export DISPLAY
DISPLAY=$(cat "$session/display${PELLORAN_DEPTH:-24}")
exec wine "$@"
