#!/usr/bin/env bash
# Names outside the Western code page: a green "Ölberg_日本.jpg" in the folder
# "Bilder_日本", stored as Path, is shown (registry, folder search, file opening:
# the program's ANSI functions carry such names only with UTF-8 as its code page).
# Then a name of 250 bytes (82 CJK characters), whose full name is longer than
# MAX_PATH, and a short one after it: both are shown.
set -euo pipefail
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/show_lib.sh"

parent=$(mktemp -d)
cleanup() {
    forget_settings
    rm -rf "$parent"
}
trap cleanup EXIT
folder="$parent/Bilder_日本"
mkdir "$folder"
convert -size 1024x768 xc:'#00ff00' "$folder/Ölberg_日本.jpg"
store_settings "$folder"

start_show 24
seen=$(watch_colours 24 10)
expect_equal green "$seen" "colours on screen"
key_ends_show 24 "key press"

long=$parent/long
mkdir "$long"
name=$(printf '日%.0s' $(seq 82)).jpg
convert -size 1024x768 xc:'#0000ff' "$long/$name"
convert -size 1024x768 xc:'#ff0000' "$long/z.jpg"
store_settings "$long"
start_show 24
seen=$(watch_colours 24 15)
case "$seen" in
*red*blue* | *blue*red*) ;;
*) fail "long name: colours on screen: '$seen', expected red and blue" ;;
esac
key_ends_show 24 "key press after the long name"
echo "show_names: ok"
