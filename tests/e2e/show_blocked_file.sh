#!/usr/bin/env bash
# A picture file whose data never comes, as on a share that stopped answering:
# c.jpg is a FIFO that this script holds open for writing and never writes to,
# so the show's open of it succeeds and its read blocks. A key still ends the
# program within a second: the show does not wait for its blocked worker.
set -euo pipefail
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/show_lib.sh"

hold_blocked_folder
cleanup() {
    forget_settings
    release_blocked_folder
}
trap cleanup EXIT
write_settings wine_run "$(windows_path "$blocked_folder")" 60 1 0 0 0 3>&-
start_show 24 3>&-
key_ends_blocked_show "key press while c.jpg blocks"
echo "show_blocked_file: ok ($elapsed_ms ms)"
