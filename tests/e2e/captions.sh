#!/usr/bin/env bash
# `Pelloran.scr /s` with Captions on, on a photo taken on 14 July 2023 that lies
# in 2023\Holiday: a line of white text with a dark outline at the picture's
# lower left; with Captions off the same corner shows the photo alone. With
# PELLORAN_SCREENSHOTS naming a folder, the captioned screen is saved there as
# show-captions.png.
set -euo pipefail
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/show_lib.sh"

# Writes the JPEG file $1 again with an Exif block whose DateTimeOriginal is $2
# ("YYYY:MM:DD HH:MM:SS"), as a camera stores it: IFD0 points to the Exif
# directory, which holds the date.
date_photo() {
    python3 - "$1" "$2" <<'PY'
import struct, sys
path, taken = sys.argv[1], sys.argv[2].encode() + b"\0"
exif_ifd = 8 + 2 + 12 + 4
text = exif_ifd + 2 + 12 + 4
tiff = (b"II*\0" + struct.pack("<I", 8)
        + struct.pack("<HHHII", 1, 0x8769, 4, 1, exif_ifd) + b"\0\0\0\0"
        + struct.pack("<HHHII", 1, 0x9003, 2, len(taken), text) + b"\0\0\0\0" + taken)
block = b"Exif\0\0" + tiff
jpeg = open(path, "rb").read()
open(path, "wb").write(jpeg[:2] + b"\xff\xe1" + struct.pack(">H", len(block) + 2) + block + jpeg[2:])
PY
}

# The share of the screen's lower-left corner, where the caption goes, that is
# near white (in thousandths); the photo itself is darker there.
white_in_corner() {
    import -display "$(session_display 24)" -window root "$screen_shot" 2>/dev/null || {
        echo 0
        return
    }
    convert "$screen_shot" -crop 600x100+0+668 -colorspace gray -threshold 90% \
        -format '%[fx:int(1000*mean)]' info:
}
caption_shown() { [ "$(white_in_corner)" -gt 5 ]; }
photo_without_caption() { [ "$(centre_colour 24)" = other ] && [ "$(white_in_corner)" -eq 0 ]; }

folder=$(mktemp -d)
trap 'forget_settings; rm -rf "$folder"' EXIT
mkdir -p "$folder/2023/Holiday"
convert -size 1024x768 gradient:'#8ab8e0-#1c3a26' "$folder/2023/Holiday/lake.jpg"
date_photo "$folder/2023/Holiday/lake.jpg" "2023:07:14 10:30:00"
store_settings "$folder"
wine_run reg add "$settings_key" /v Captions /t REG_DWORD /d 1 /f >/dev/null
start_show 24
wait_for "the caption on the photo" caption_shown
if [ -n "${PELLORAN_SCREENSHOTS:-}" ]; then
    cp "$screen_shot" "$PELLORAN_SCREENSHOTS/show-captions.png"
fi
key_ends_show 24 "the captioned show"

wine_run reg add "$settings_key" /v Captions /t REG_DWORD /d 0 /f >/dev/null
start_show 24
# The screen may show the first show's last picture until the second's comes.
wait_for "the photo without a caption" photo_without_caption
key_ends_show 24 "the show without captions"
echo "captions: ok"
