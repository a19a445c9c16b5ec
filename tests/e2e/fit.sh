#!/usr/bin/env bash
# `Pelloran.scr /s` with Fit on: a 600 x 300 picture fills the 1024 x 768 screen, 1024 x 512.
set -euo pipefail
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/show_lib.sh"

folder=$(mktemp -d)
trap 'forget_settings; rm -rf "$folder"' EXIT
convert -size 600x300 xc:'#c08040' "$folder/a.jpg"
store_settings "$folder"
wine_run reg add "$settings_key" /v Fit /t REG_DWORD /d 1 /f >/dev/null
start_show 24
size=none
for _ in $(seq 300); do
    if import -display "$(session_display 24)" -window root "$screen_shot" 2>/dev/null; then
        size=$(convert "$screen_shot" -trim -format '%wx%h' info: 2>/dev/null) || size=none
    fi
    [ "$size" = 1024x512 ] && break
    sleep 0.2
done
expect_equal 1024x512 "$size" "the fitted picture on screen"
key_ends_show 24 "key press"
echo "fit: ok"
