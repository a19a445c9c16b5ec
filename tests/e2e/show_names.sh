#!/usr/bin/env bash
# Names outside the Western code page: a green "Ölberg_日本.jpg" in the folder
# "Bilder_日本", stored as Path, is shown (registry, folder search, file opening:
# the program's ANSI functions carry such names only with UTF-8 as its code page).
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
DISPLAY=$(session_display 24) xdotool key a
expect_show_ends "key press"
echo "show_names: ok"
