#!/usr/bin/env bash
# `Pelloran.scr /s` on one 600 x 300 photo, shown every ten seconds, centred:
# with Motion on, two screenshots a short time apart differ while the picture's
# frame stays where it is, and a key ends the moving show at once; with Motion
# off, they are the same.
set -euo pipefail
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/show_lib.sh"

folder=$(mktemp -d)
trap 'forget_settings; rm -rf "$folder"' EXIT
# Fine detail everywhere, so that any move of the view shows.
convert -size 600x300 plasma:fractal -seed 7 -blur 0x1 "$folder/a.jpg"
store_settings "$folder"
wine_run reg add "$settings_key" /v Delay /t REG_DWORD /d 10 /f >/dev/null

shot() {
    import -display "$(session_display 24)" -window root "$1" 2>/dev/null
}
# The picture's frame on screen: its size and place.
frame_of() {
    convert "$1" -trim -format '%wx%h%O' info: 2>/dev/null
}
framed() {
    shot "$screen_shot" && [ "$(frame_of "$screen_shot")" = 600x300+212+234 ]
}
# The pixels in which two screenshots differ.
differing() {
    compare -metric AE "$1" "$2" null: 2>&1 || true
}

for motion in 1 0; do
    wine_run reg add "$settings_key" /v Motion /t REG_DWORD /d "$motion" /f >/dev/null
    start_show 24
    wait_for "the picture's frame on screen (Motion $motion)" framed
    sleep 0.5 # the moving view's time between the two shots
    first=$PELLORAN_WINE_SESSION/motion-first.png
    cp "$screen_shot" "$first"
    shot "$screen_shot"
    expect_equal 600x300+212+234 "$(frame_of "$screen_shot")" "the frame after a while (Motion $motion)"
    changed=$(differing "$first" "$screen_shot")
    expect_number "$changed" "the pixels that changed"
    if [ "$motion" = 1 ]; then
        [ "$changed" -gt 1000 ] || fail "with Motion on only $changed pixels changed"
        pressed=$(date +%s%N)
        key_ends_show 24 "a key while the picture moves"
        echo "the moving show ended $((($(date +%s%N) - pressed) / 1000000)) ms after the key"
    else
        expect_equal 0 "$changed" "the pixels that changed with Motion off"
        key_ends_show 24 "a key"
    fi
done
echo "motion: ok"
