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

folder=$(mktemp -d)
cleanup() {
    exec 3>&-
    rm -rf "$folder"
}
trap cleanup EXIT
convert -size 1024x768 xc:'#ff0000' "$folder/a.jpg"
convert -size 1024x768 xc:'#00ff00' "$folder/b.jpg"
mkfifo "$folder/c.jpg"
exec 3<>"$folder/c.jpg"

# Whether a process besides this script has c.jpg open: the show, reading it
# (the processes started here do not inherit the script's end of it).
fifo_opened() {
    [ "$(exec 3>&-; find /proc/[0-9]*/fd -lname "$folder/c.jpg" 2>/dev/null | wc -l)" -ge 2 ]
}
centre_green() {
    [ "$(centre_colour 24)" = green ]
}

centre_pointer 24 3>&-
PELLORAN_DEPTH=24 timeout --foreground $((2 * wait_seconds)) "$PELLORAN_WINE_RUN" "$PELLORAN_WINE_SESSION" \
    "$PELLORAN_FAILING_SHOW" "$(windows_path "$folder")" </dev/null >/dev/null 2>&1 3>&- &
show_pid=$!
wait_for "the green picture before c.jpg" centre_green
wait_for "the show's read of c.jpg" fifo_opened
start=$(date +%s%N)
key_ends_show 24 "the failing key handler while c.jpg blocks"
elapsed_ms=$((($(date +%s%N) - start) / 1000000))
[ "$elapsed_ms" -lt 1000 ] || fail "the program ended $elapsed_ms ms after the key"
echo "show_failure: ok ($elapsed_ms ms)"
