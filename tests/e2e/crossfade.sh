#!/usr/bin/env bash
# `Pelloran.scr /s` with Fade on and Overlap off, on a red a.jpg, a green b.jpg
# and a blue c.jpg, one a second: a frame of a change holds two pictures at
# once (two of the colours mixed at the middle of the screen), where a fade out
# to black and back in would only ever show one.
set -euo pipefail
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/show_lib.sh"

folder=$(make_colour_folder)
trap 'forget_settings; rm -rf "$folder"' EXIT
store_settings "$folder"
wine_run reg add "$settings_key" /v Fade /t REG_DWORD /d 1 /f >/dev/null

# Whether the middle of the screen shows two of the colours mixed.
both_pictures() {
    local hex mixed=0 i level
    hex=$(centre_hex 24)
    [ -n "$hex" ] || return 1
    for i in 0 2 4; do
        level=$((16#${hex:i:2}))
        [ "$level" -le 48 ] || [ "$level" -ge 208 ] || mixed=$((mixed + 1))
    done
    [ "$mixed" -ge 2 ]
}

start_show 24
wait_for "a picture on the screen" picture_at_centre 24
wait_for "a frame with both pictures" both_pictures
key_ends_show 24 "a key"
echo "crossfade: ok"
