#!/usr/bin/env bash
# A key pressed while the show decodes a 36-megapixel progressive photo (7200 x
# 5400, 4:4:4, quality 100, which takes Wine about two seconds to decode) ends
# the show within a second: the decode is abandoned rather than waited for. The
# photo is c.jpg, decoded right after the green b.jpg has been drawn.
set -euo pipefail
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/show_lib.sh"

folder=$(mktemp -d)
trap 'forget_settings; rm -rf "$folder"' EXIT
convert -size 1024x768 xc:'#ff0000' "$folder/a.jpg"
convert -size 1024x768 xc:'#00ff00' "$folder/b.jpg"
wine_run "$PELLORAN_MAKE_PHOTO" 7200 5400 "$(windows_path "$folder/c.jpg")" progressive 444 \
    quality=100 ||
    fail "no photo"
write_settings wine_run "$(windows_path "$folder")" 60 1 0 0 0

start_show 24
wait_for "the green picture before the photo" centre_green
sleep 0.2
start=$(date +%s%N)
key_ends_show 24 "key press during the decode"
elapsed_ms=$((($(date +%s%N) - start) / 1000000))
[ "$elapsed_ms" -lt 1000 ] || fail "the show ended $elapsed_ms ms after the key"
echo "show_decode_input: ok ($elapsed_ms ms)"
