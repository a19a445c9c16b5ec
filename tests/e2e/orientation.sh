#!/usr/bin/env bash
# `Pelloran.scr /s` on eight phone photos stored landscape, each with another
# Exif orientation (see orientation_pictures.cpp): each appears as its
# orientation turns it, 1 to 4 landscape and 5 to 8 upright as portraits, its
# quarters where the turn puts them. The grey in the middle tells which it is.
set -euo pipefail
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/show_lib.sh"

folder=$(mktemp -d)
trap 'forget_settings; rm -rf "$folder"' EXIT
wine_run "$PELLORAN_ORIENTATION_PICTURES" "$(windows_path "$folder")" || fail "no photos"
store_settings "$folder"
display=$(session_display 24)
shot=$screen_shot
# By orientation: the shape, and the quarters' colours from the top left.
expected=(- "landscape RGBW" "landscape GRWB" "landscape WBGR" "landscape BWRG"
    "portrait RBGW" "portrait BRWG" "portrait WGBR" "portrait GWRB")

# The photo on screen: its number, shape and quarters ("6 portrait BRWG").
on_screen() {
    import -display "$display" -window root "$shot" 2>/dev/null || return 0
    convert "$shot" -crop 1x1+512+384 -format '%[fx:int(255*r/28+0.5)] ' info:
    convert "$shot" -trim -format '%[fx:w>h] ' info: | sed 's/1/landscape/;s/0/portrait/'
    convert "$shot" -trim +repage -scale '2x2!' -channel RGB -threshold 50% -depth 8 txt:- |
        sed -n 's/.*#\([0-9A-F]\{6\}\) .*/\1/p' |
        sed 's/FF0000/R/;s/00FF00/G/;s/0000FF/B/;s/FFFFFF/W/' | tr -d '\n'
}

start_show 24
declare -A seen=()
deadline=$((SECONDS + wait_seconds))
while [ "$SECONDS" -lt "$deadline" ]; do
    read -r value look <<<"$(on_screen)" || true
    if [[ ${value:-} =~ ^[1-8]$ ]] && [ "${seen[$value]:-}" != ok ]; then
        seen[$value]=$look
        [ "$look" = "${expected[$value]}" ] && seen[$value]=ok
    fi
    [ "${seen[*]}" = "ok ok ok ok ok ok ok ok" ] && break
done
for value in 1 2 3 4 5 6 7 8; do
    [ "${seen[$value]:-}" = ok ] || fail "o$value.jpg: '${seen[$value]:-}', not '${expected[$value]}'"
done
key_ends_show 24 "key press"
echo "orientation: ok"
