#!/usr/bin/env bash
# `Pelloran.scr /s` on one 600 x 300 picture on the 1024 x 768 screen: with Fit
# on it is enlarged to fill the screen's width exactly, 1024 x 512; with Fit
# off (the setting missing) it keeps its 600 x 300.
set -euo pipefail
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/show_lib.sh"

folder=$(mktemp -d)
trap 'forget_settings; rm -rf "$folder"' EXIT
convert -size 600x300 xc:'#c08040' "$folder/a.jpg"
store_settings "$folder"
display=$(session_display 24)
shot=$folder/screen.png

# Waits up to 60 seconds for the picture on screen (what is not black) to be
# WIDTHxHEIGHT; prints the last size seen.
wait_for_size() {
    local size=none
    for _ in $(seq 300); do
        if import -display "$display" -window root "$shot" 2>/dev/null; then
            size=$(convert "$shot" -trim -format '%wx%h' info: 2>/dev/null || echo none)
            [ "$size" = "$1" ] && break
        fi
        sleep 0.2
    done
    echo "$size"
}

wine_run reg add "$settings_key" /v Fit /t REG_DWORD /d 1 /f >/dev/null
start_show 24
expect_equal 1024x512 "$(wait_for_size 1024x512)" "the picture fitted with Fit on"
key_ends_show 24 "key press"

wine_run reg delete "$settings_key" /v Fit /f >/dev/null
start_show 24
expect_equal 600x300 "$(wait_for_size 600x300)" "the picture with Fit missing"
key_ends_show 24 "key press"
echo "fit: ok"
