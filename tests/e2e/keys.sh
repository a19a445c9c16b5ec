#!/usr/bin/env bash
# `Pelloran.scr /s` with Keys on, on a red a.jpg, a green b.jpg and a blue c.jpg,
# one a second: Space holds the picture, Left shows the one before, Right and
# Page Down those after it, Space again lets the show go on, and another key
# ends it, with the settings unchanged. With Keys off, Right ends the show.
set -euo pipefail
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/show_lib.sh"

folder=$(make_colour_folder)
trap 'forget_settings; rm -rf "$folder"' EXIT
store_settings "$folder"
wine_run reg add "$settings_key" /v Keys /t REG_DWORD /d 1 /f >/dev/null
stored=$(wine_run reg query "$settings_key")
after() { case $1 in red) echo green ;; green) echo blue ;; *) echo red ;; esac }
centre_is() { [ "$(centre_colour 24)" = "$1" ]; }
# Presses the key, then waits for the colour at the middle of the screen.
press() {
    DISPLAY=$(session_display 24) xdotool key "$1"
    [ -z "${2:-}" ] || wait_for "$2 after $1" centre_is "$2"
}

start_show 24
wait_for "a picture on the screen" picture_at_centre 24
press space
held=$(watch_colours 24 15)
case $held in *" "*) fail "the colours on screen while paused: '$held'" ;; esac
press Left "$(after "$(after "$held")")"
press Right "$held"
press Next "$(after "$held")"
press space "$(after "$(after "$held")")"
key_ends_show 24 "another key"
expect_equal "$stored" "$(wine_run reg query "$settings_key")" "the settings after the keys"

wine_run reg add "$settings_key" /v Keys /t REG_DWORD /d 0 /f >/dev/null
start_show 24
wait_for "a picture on the screen with Keys off" picture_at_centre 24
press Right
expect_show_ends "Right with Keys off"
echo "keys: ok"
