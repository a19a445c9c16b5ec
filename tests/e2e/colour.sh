#!/usr/bin/env bash
# Colour management from outside (see colour_pictures.cpp): one picture a
# second in name order, a.jpg drawn while the window is created, so the screen
# shows b.jpg (blue, untagged: as stored), c.png (green tagged with a profile
# that swaps red and green: red), d.jpg (green with that profile cut: as
# stored), a.jpg (green with the whole profile: red), ... Then that profile is
# made the monitor's, as Wine reads it (the first value of HKLM's ICM\mntr
# key, a file in the system's colour folder), and a red untagged JPEG is sent
# to it green.
set -euo pipefail
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/show_lib.sh"

folder=$(mktemp -d)
monitor_key='HKLM\Software\Microsoft\Windows NT\CurrentVersion\ICM\mntr'
colour_dir=$PELLORAN_WINE_SESSION/prefix/drive_c/windows/system32/spool/drivers/color
cleanup() {
    forget_settings
    wine_run_seconds=20 wine_run reg delete "$monitor_key" /f >/dev/null 2>&1 || true
    rm -f "$colour_dir/pelloran-swap.icm"
    rm -rf "$folder"
}
trap cleanup EXIT
wine_run "$PELLORAN_COLOUR_PICTURES" "$(windows_path "$folder")" || fail "no pictures"
convert -size 1024x768 xc:'#00ff00' -profile "$folder/swap.icm" "png24:$folder/c.png"
store_settings "$folder"

start_show 24
seen=$(watch_colours 24 60)
case "$seen" in
"blue red green red blue red green red"*) ;;
*) fail "colours on screen: '$seen', expected 'blue red green red blue red green red ...'" ;;
esac
key_ends_show 24 "key press"

mkdir -p "$colour_dir"
cp "$folder/swap.icm" "$colour_dir/pelloran-swap.icm"
wine_run reg add "$monitor_key" /v pelloran-swap.icm /t REG_SZ /d "" /f >/dev/null ||
    fail "cannot set the monitor's profile"
rm -f "$folder"/*
convert -size 1024x768 xc:'#ff0000' "$folder/red.jpg"
start_show 24
seen=$(watch_colours 24 15)
expect_equal green "$seen" "red through the monitor's profile"
key_ends_show 24 "key press"
echo "colour: ok"
