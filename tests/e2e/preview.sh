#!/usr/bin/env bash
# `Pelloran.scr /p <handle>` from a host program, as the display settings start
# it: the preview is a child of the host window that fills its client area,
# keeps running when input reaches it, and ends, with exit code 0, when the
# host window is destroyed. (What the preview draws is checked inside one
# process by the Windows tests: Wine does not show one process's drawing in
# another process's window.)
set -euo pipefail
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/show_lib.sh"

folder=$(make_colour_folder)
cleanup() {
    forget_settings
    rm -rf "$folder"
}
trap cleanup EXIT
store_settings "$folder"

report=$(timeout --foreground 60 "$PELLORAN_WINE_RUN" "$PELLORAN_WINE_SESSION" "$PELLORAN_SHOW_HOST" preview \
    "$(windows_path "$PELLORAN_SCR")" 2>/dev/null | tr -d '\r') || fail "host: $report"
expected="child: process the program's, at 0,0 to 200,150, visible child
after input: running
after the host window: ended with exit code 0"
expect_equal "$expected" "$report" "what the host saw"
echo "preview: ok"
