#!/usr/bin/env bash
# An exception out of a handler of the full-screen show's window (memory
# running out, say) while the show's worker is blocked in a read that never
# returns, as on a share that stopped answering: c.jpg is a FIFO that this
# script holds open for writing and never writes to. failing_show's window
# throws at a key; the program still ends within a second, with exit code 0,
# without waiting for its worker.
set -euo pipefail
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/show_lib.sh"

hold_blocked_folder
trap release_blocked_folder EXIT
centre_pointer 24 3>&-
PELLORAN_DEPTH=24 timeout --foreground $((2 * wait_seconds)) "$PELLORAN_WINE_RUN" "$PELLORAN_WINE_SESSION" \
    "$PELLORAN_FAILING_SHOW" "$(windows_path "$blocked_folder")" </dev/null >/dev/null 2>&1 3>&- &
show_pid=$!
key_ends_blocked_show "the failing key handler while c.jpg blocks"
echo "show_failure: ok ($elapsed_ms ms)"
