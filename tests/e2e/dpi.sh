#!/usr/bin/env bash
# At 150 % display scaling (144 DPI, Wine's "LogPixels"): the program declares
# itself per-monitor aware (PerMonitorV2, and "true/pm" for older systems) and
# its full-screen window reports 144 DPI, per-monitor awareness and the whole
# screen in device pixels; a picture of the screen's size is shown one stored
# pixel to one screen pixel (its 16-pixel corner marks end where they should);
# the preview still fills its host; and the setup dialog grows with the text
# (with PELLORAN_SCREENSHOTS naming a folder, its picture is saved there as
# setup-dialog-144dpi.png). Wine 8 treats every program as per-monitor aware,
# whatever its manifest says, so the manifest's entries are read from the
# program itself.
set -euo pipefail
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/show_lib.sh"

folder=$(mktemp -d)
set_dpi() {
    wine_run reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null
    desktop_on 24
}
cleanup() {
    forget_settings
    rm -rf "$folder"
    set_dpi 96
}
trap cleanup EXIT

grep -q 'PerMonitorV2, PerMonitor</dpiAwareness>' "$PELLORAN_SCR" ||
    fail "the manifest declares no per-monitor awareness"
grep -q '>true/pm</dpiAware>' "$PELLORAN_SCR" || fail "the manifest has no true/pm"

# The dialog's size in pixels at 96 DPI, to compare.
DISPLAY=$(session_display 24)
export DISPLAY
dialog_width() {
    run_scr /c &
    local program=$! id
    wait_for "the setup dialog" xdotool search --name '^Pelloran V1.1 Setup$'
    id=$(xdotool search --name '^Pelloran V1.1 Setup$' | head -1)
    sleep 0.5
    if [ -n "${PELLORAN_SCREENSHOTS:-}" ] && [ "$1" = 144 ]; then
        xdotool mousemove 0 0 sleep 0.3
        import -window "$id" "$PELLORAN_SCREENSHOTS/setup-dialog-144dpi.png"
    fi
    xdotool getwindowgeometry --shell "$id" | sed -n 's/^WIDTH=//p'
    xdotool key Escape
    wait "$program" || true
}
width96=$(dialog_width 96)
set_dpi 144
width144=$(dialog_width 144)
expect_number "$width96" "the setup dialog's width at 96 DPI"
expect_number "$width144" "the setup dialog's width at 144 DPI"
[ $((width144 * 10)) -ge $((width96 * 14)) ] ||
    fail "the setup dialog is $width144 pixels wide at 144 DPI, $width96 at 96"

# Red, with green 16 x 16 marks in the corners.
convert -size 1024x768 xc:'#ff0000' -fill '#00ff00' -draw 'rectangle 0,0 15,15' \
    -draw 'rectangle 1008,0 1023,15' -draw 'rectangle 0,752 15,767' \
    -draw 'rectangle 1008,752 1023,767' -quality 98 "$folder/a.jpg"
cp "$folder/a.jpg" "$folder/b.jpg"
store_settings "$folder"
start_show 24
centre_red() {
    [ "$(centre_colour 24)" = red ]
}
wait_for "the red picture" centre_red
expect_equal "dpi 144 awareness 2 size 1024x768" \
    "$(wine_run "$PELLORAN_SHOW_HOST" dpi | tr -d '\r')" "the show's window"
shot=$screen_shot
import -display "$DISPLAY" -window root "$shot"
colour_at() {
    convert "$shot" -crop "1x1+$1+$2" -depth 8 txt:- | sed -n 's/.*#\([0-9A-F]\{6\}\).*/\1/p' |
        sed 's/^[C-F].[0-3].[0-3].$/red/;s/^[0-3].[C-F].[0-3].$/green/'
}
for at in "2 2" "13 13" "1010 2" "1021 13" "2 754" "13 765" "1010 754" "1021 765"; do
    expect_equal green "$(colour_at "${at% *}" "${at#* }")" "mark at $at"
done
for at in "18 8" "8 18" "1005 8" "1015 18" "18 760" "8 749" "1005 760" "1015 749"; do
    expect_equal red "$(colour_at "${at% *}" "${at#* }")" "beside a mark at $at"
done
key_ends_show 24 "key press"

report=$(timeout --foreground 60 "$PELLORAN_WINE_RUN" "$PELLORAN_WINE_SESSION" "$PELLORAN_SHOW_HOST" preview \
    "$(windows_path "$PELLORAN_SCR")" 2>/dev/null | tr -d '\r') || fail "host: $report"
expect_equal "child: process the program's, at 0,0 to 200,150, visible child" \
    "$(echo "$report" | head -1)" "the preview at 144 DPI"
echo "dpi: ok ($width96 pixels wide at 96 DPI, $width144 at 144)"
