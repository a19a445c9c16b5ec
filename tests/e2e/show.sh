#!/usr/bin/env bash
# `Pelloran.scr /s` on a folder of a red a.jpg, a green b.jpg and a blue c.jpg,
# one a second: the screen shows b, c, a, b, ... (a is drawn while the window is
# created, before it is on screen), and the show ends on a key press and on
# mouse movement, with exit code 0.
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
display=$(session_display 24)

start_show 24
seen=$(watch_colours 24 30)
case "$seen" in
"green blue red green"*) ;;
*) fail "colours on screen: '$seen', expected 'green blue red green ...'" ;;
esac
key_ends_show 24 "key press"

start_show 24
sleep 1
[ -n "$(watch_colours 24 5)" ] || fail "no picture on screen before the mouse moved"
kill -0 "$show_pid" 2>/dev/null || fail "the show ended before the mouse moved"
DISPLAY=$display xdotool mousemove 100 100
sleep 0.3
DISPLAY=$display xdotool mousemove 200 150
expect_show_ends "mouse movement"
echo "show: ok"
