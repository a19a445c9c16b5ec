#!/usr/bin/env bash
# `Pelloran.scr /s` on a folder of eight phone photos stored landscape, o1.jpg
# to o8.jpg, each with the Exif orientation of its number (see
# orientation_pictures.cpp): each must appear as its orientation turns it, 1
# to 4 landscape and 5 to 8 standing upright as portraits, with its quarters
# where the turn puts them. The grey level in the middle of the screen tells
# which photo is there.
set -euo pipefail
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/show_lib.sh"

folder=$(mktemp -d)
cleanup() {
    forget_settings
    rm -rf "$folder"
}
trap cleanup EXIT
wine_run "$PELLORAN_ORIENTATION_PICTURES" "$(windows_path "$folder")" ||
    fail "cannot write the photos"
store_settings "$folder"
display=$(session_display 24)
shot=$folder/screen.png

# By orientation: the shape, then the quarters' colours (Red, Green, Blue,
# White) at the top left, top right, bottom left and bottom right.
expected=(- "landscape RGBW" "landscape GRWB" "landscape WBGR" "landscape BWRG"
    "portrait RBGW" "portrait BRWG" "portrait WGBR" "portrait GWRB")

# The photo on screen as its number, shape and quarters ("6 portrait BRWG").
on_screen() {
    import -display "$display" -window root "$shot" 2>/dev/null || return 0
    local grey width height quarters
    grey=$(convert "$shot" -crop 1x1+512+384 -format '%[fx:int(255*r+0.5)]' info:)
    read -r width height <<<"$(convert "$shot" -trim -format '%w %h' info:)" || return 0
    quarters=$(convert "$shot" -trim +repage -scale '2x2!' -channel RGB -threshold 50% \
        -depth 8 txt:- | sed -n 's/.*#\([0-9A-F]\{6\}\) .*/\1/p' |
        sed 's/FF0000/R/;s/00FF00/G/;s/0000FF/B/;s/FFFFFF/W/' | tr -d '\n')
    echo "$(((grey + 14) / 28)) $([ "$width" -gt "$height" ] && echo landscape || echo portrait)" \
        "$quarters"
}

start_show 24
declare -A last=()
for _ in $(seq 80); do
    read -r value shape quarters <<<"$(on_screen)" || true
    if [ "${value:-0}" -ge 1 ] && [ "$value" -le 8 ] && [ "${last[$value]:-}" != ok ]; then
        last[$value]="$shape $quarters"
        [ "${last[$value]}" = "${expected[$value]}" ] && last[$value]=ok
    fi
    [ "${last[*]}" = "ok ok ok ok ok ok ok ok" ] && break
done
for value in 1 2 3 4 5 6 7 8; do
    [ "${last[$value]:-}" = ok ] ||
        fail "o$value.jpg on screen: '${last[$value]:-never seen}', expected '${expected[$value]}'"
done
DISPLAY=$display xdotool key a
expect_show_ends "key press"
echo "orientation: ok"
