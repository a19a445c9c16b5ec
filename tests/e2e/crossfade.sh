#!/usr/bin/env bash
# `Pelloran.scr /s` with Fade on and Overlap off, on a red a.jpg and a blue
# b.jpg, one a second: a frame of the change holds both pictures at once (red
# and blue mixed at the middle of the screen), where a fade out to black and
# back in would never show them together.
set -euo pipefail
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/show_lib.sh"

folder=$(mktemp -d)
trap 'forget_settings; rm -rf "$folder"' EXIT
convert -size 1024x768 xc:'#ff0000' "$folder/a.jpg"
convert -size 1024x768 xc:'#0000ff' "$folder/b.jpg"
store_settings "$folder"
wine_run reg add "$settings_key" /v Fade /t REG_DWORD /d 1 /f >/dev/null

# Whether the middle of the screen shows red and blue mixed.
both_pictures() {
    local hex r b
    hex=$(import -display "$(session_display 24)" -window root -crop 1x1+512+384 -depth 8 \
        txt:- 2>/dev/null | sed -n 's/.*#\([0-9A-Fa-f]\{6\}\).*/\1/p')
    [ -n "$hex" ] || return 1
    r=$((16#${hex:0:2})) b=$((16#${hex:4:2}))
    [ "$r" -gt 48 ] && [ "$r" -lt 208 ] && [ "$b" -gt 48 ] && [ "$b" -lt 208 ]
}

start_show 24
wait_for "a picture on the screen" picture_at_centre 24
wait_for "a frame with both pictures" both_pictures
key_ends_show 24 "a key"
echo "crossfade: ok"
