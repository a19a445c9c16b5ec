#!/usr/bin/env bash
# `Pelloran.scr /s` with Pairs on, centred, on the 1024 x 768 screen, of a red
# portrait a.jpg, a blue landscape b.jpg and a green portrait c.png (400 x 600,
# 800 x 600 and 400 x 600; the PNG file's shape read by the platform's
# decoder): the two portraits side by side at once (c with a brought forward,
# or a with c, as the headers' reads and the loads meet), 10 pixels of black
# between them (810 x 600 in all), each with its caption, and b alone. With
# PELLORAN_SCREENSHOTS naming a folder, the pair's screen is saved there as
# show-pairs.png.
set -euo pipefail
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/show_lib.sh"

# The colours left of the middle, at the middle and right of it, and the size
# of what is not black, on a screenshot of the 24-bit screen.
screen_now() {
    import -display "$(session_display 24)" -window root "$screen_shot" 2>/dev/null || return 0
    echo "$(pixel_colour "$screen_shot" 312 384) $(pixel_colour "$screen_shot" 512 384)" \
        "$(pixel_colour "$screen_shot" 712 384)" \
        "$(convert "$screen_shot" -trim -format '%wx%h' info: 2>/dev/null)"
}
pair_shown() {
    case $(screen_now) in
    "green black red 810x600" | "red black green 810x600") return 0 ;;
    *) return 1 ;;
    esac
}
landscape_alone() { [ "$(screen_now)" = "blue blue blue 800x600" ]; }

folder=$(mktemp -d)
trap 'forget_settings; rm -rf "$folder"' EXIT
convert -size 400x600 gradient:'#ff2010-#c00808' "$folder/a.jpg"
convert -size 800x600 gradient:'#1030ff-#0810c0' "$folder/b.jpg"
convert -size 400x600 gradient:'#10ff20-#08c010' "$folder/c.png"
store_settings "$folder"
for name in Pairs Captions; do
    wine_run reg add "$settings_key" /v "$name" /t REG_DWORD /d 1 /f >/dev/null
done
start_show 24
wait_for "the two portrait pictures side by side" pair_shown
if [ -n "${PELLORAN_SCREENSHOTS:-}" ]; then
    cp "$screen_shot" "$PELLORAN_SCREENSHOTS/show-pairs.png"
fi
wait_for "the landscape picture alone" landscape_alone
key_ends_show 24 "the show of pairs"
echo "pairs: ok"
