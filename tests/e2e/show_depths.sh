#!/usr/bin/env bash
# The full-screen show on 16- and 8-bit displays (dithered, and on 8 bits drawn
# against the program's palette): the pictures appear in order with their
# colours, and a key press ends the show. The desktop process moves to each
# display in turn, and back to the 24-bit one at the end.
set -euo pipefail
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/show_lib.sh"

folder=$(make_colour_folder)
cleanup() {
    forget_settings
    rm -rf "$folder"
    desktop_on 24
}
trap cleanup EXIT
store_settings "$folder"

for depth in 16 8; do
    desktop_on $depth
    forget_state # each show starts at the first picture
    start_show $depth
    seen=$(watch_colours $depth 20)
    case "$seen" in
    "green blue red"*) ;;
    *) fail "$depth bits: colours on screen: '$seen', expected 'green blue red ...'" ;;
    esac
    key_ends_show $depth "$depth bits: key press"
done
echo "show_depths: ok"
