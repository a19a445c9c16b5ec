#!/usr/bin/env bash
# `Pelloran.scr /s` with Pairs and Captions on, centred, 1024 x 768: a red
# portrait a.jpg, a blue landscape b.jpg, a green portrait c.png (its shape read
# by the platform's decoder), 400 x 600, 800 x 600, 400 x 600. The portraits are
# side by side at once (either first, as header reads and loads meet), 10 pixels
# apart (810 x 600), and b alone; saved as PELLORAN_SCREENSHOTS/show-pairs.png.
set -euo pipefail
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/show_lib.sh"

# The colours left of the middle, at it and right of it, and the size of the non-black.
screen_now() {
    import -display "$(session_display 24)" -window root "$screen_shot" 2>/dev/null || return 0
    echo "$(pixel_colour "$screen_shot" 312 384) $(pixel_colour "$screen_shot" 512 384)" \
        "$(pixel_colour "$screen_shot" 712 384)" \
        "$(convert "$screen_shot" -trim -format '%wx%h' info: 2>/dev/null)"
}
pair_shown() { [[ $(screen_now) =~ ^(green\ black\ red|red\ black\ green)\ 810x600$ ]]; }
landscape_alone() { [ "$(screen_now)" = "blue blue blue 800x600" ]; }

folder=$(mktemp -d)
trap 'forget_settings; rm -rf "$folder"' EXIT
convert -size 400x600 gradient:'#ff2010-#c00808' "$folder/a.jpg"
convert -size 800x600 gradient:'#1030ff-#0810c0' "$folder/b.jpg"
convert -size 400x600 gradient:'#10ff20-#08c010' "$folder/c.png"
store_settings "$folder"
wine_run reg add "$settings_key" /v Pairs /t REG_DWORD /d 1 /f >/dev/null
wine_run reg add "$settings_key" /v Captions /t REG_DWORD /d 1 /f >/dev/null
start_show 24
wait_for "the two portrait pictures side by side" pair_shown
if [ -n "${PELLORAN_SCREENSHOTS:-}" ]; then
    cp "$screen_shot" "$PELLORAN_SCREENSHOTS/show-pairs.png"
fi
wait_for "the landscape picture alone" landscape_alone
key_ends_show 24 "the show of pairs"
echo "pairs: ok"
