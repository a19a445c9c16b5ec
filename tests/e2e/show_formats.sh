#!/usr/bin/env bash
# A folder of PNG, GIF, TIFF, BMP and JPEG pictures, as ImageMagick writes
# them, shown one every two seconds in name order: a.png is drawn while the window is
# created, so the screen shows b.gif, c.tiff, d.bmp, e.jpg, a.png, ...
set -euo pipefail
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/show_lib.sh"

folder=$(mktemp -d)
cleanup() {
    forget_settings
    rm -rf "$folder"
}
trap cleanup EXIT
convert -size 1024x768 xc:'#ff0000' "$folder/a.png"
convert -size 1024x768 xc:'#00ff00' "$folder/b.gif"
convert -size 1024x768 xc:'#0000ff' "$folder/c.tiff"
convert -size 1024x768 xc:'#ff0000' "$folder/d.bmp"
convert -size 1024x768 xc:'#00ff00' "$folder/e.jpg"
write_settings wine_run "$(windows_path "$folder")" 2 1 0 0 0

start_show 24
seen=$(watch_colours 24 60)
case "$seen" in
"green blue red green red green"*) ;;
*) fail "colours on screen: '$seen', expected 'green blue red green red green ...'" ;;
esac
key_ends_show 24 "key press"
echo "show_formats: ok"
