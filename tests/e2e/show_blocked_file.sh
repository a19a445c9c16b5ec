#!/usr/bin/env bash
# A picture file whose data never comes, as on a share that stopped answering:
# c.jpg is a FIFO that this script holds open for writing and never writes to,
# so the show's open of it succeeds and its read blocks. A key still ends the
# program within a second: the show does not wait for its blocked worker.
set -euo pipefail
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/show_lib.sh"

folder=$(mktemp -d)
cleanup() {
    exec 3>&-
    forget_settings
    rm -rf "$folder"
}
trap cleanup EXIT
convert -size 1024x768 xc:'#ff0000' "$folder/a.jpg"
convert -size 1024x768 xc:'#00ff00' "$folder/b.jpg"
mkfifo "$folder/c.jpg"
exec 3<>"$folder/c.jpg"
write_settings wine_run "$(windows_path "$folder")" 60 1 0 0 0

# Whether a process besides this script has c.jpg open: the show, reading it.
fifo_opened() {
    [ "$(find /proc/[0-9]*/fd -lname "$folder/c.jpg" 2>/dev/null | wc -l)" -ge 2 ]
}
centre_green() {
    [ "$(centre_colour 24)" = green ]
}

start_show 24
wait_for "the green picture before c.jpg" centre_green
wait_for "the show's read of c.jpg" fifo_opened
start=$(date +%s%N)
key_ends_show 24 "key press while c.jpg blocks"
elapsed_ms=$((($(date +%s%N) - start) / 1000000))
[ "$elapsed_ms" -lt 1000 ] || fail "the program ended $elapsed_ms ms after the key"
echo "show_blocked_file: ok ($elapsed_ms ms)"
