#!/usr/bin/env bash
# A photo library of folders, as the show walks it (Subfolders missing, so on):
# the folder's own a.jpg (red), then each subfolder in name order, depth first:
# e\green.jpeg, e\f\blue.JFIF, g\red.jpe. The blue pictures in a hidden folder,
# a system folder and a symbolic link to a folder (a reparse point under Wine)
# sort between them and are never shown. So the screen shows green, blue, red,
# green, ... (the first picture is drawn before the window is on screen).
# Then, with no Path stored, the show shows the user's Pictures folder.
set -euo pipefail
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/show_lib.sh"

folder=$(mktemp -d)
outside=$(mktemp -d)
pictures_link=$PELLORAN_WINE_SESSION/prefix/drive_c/users/$(id -un)/Pictures
pictures_was=$(readlink "$pictures_link" || true)
cleanup() {
    forget_settings
    rm -rf "$folder" "$outside"
    if [ -n "$pictures_was" ]; then
        rm -rf "$pictures_link"
        ln -s "$pictures_was" "$pictures_link"
    fi
}
trap cleanup EXIT
picture() { convert -size 1024x768 "xc:$1" "jpeg:$2"; }
mkdir -p "$folder/b-hidden" "$folder/d-system" "$folder/e/f" "$folder/g"
picture '#ff0000' "$folder/a.jpg"
picture '#0000ff' "$folder/b-hidden/x.jpg"
picture '#0000ff' "$outside/x.jpg"
ln -s "$outside" "$folder/c-link"
picture '#0000ff' "$folder/d-system/x.jpg"
picture '#00ff00' "$folder/e/green.jpeg"
picture '#0000ff' "$folder/e/f/blue.JFIF"
picture '#ff0000' "$folder/g/red.jpe"
wine_run cmd /c attrib +h "$(windows_path "$folder/b-hidden")"
wine_run cmd /c attrib +s "$(windows_path "$folder/d-system")"
store_settings "$folder"

start_show 24
seen=$(watch_colours 24 30)
case "$seen" in
"green blue red green"*) ;;
*) fail "colours on screen: '$seen', expected 'green blue red green ...'" ;;
esac
key_ends_show 24 "key press in the library"

# No Path: the Pictures folder (in this prefix a link to the home folder, put
# back afterwards), which holds one green picture.
[ -n "$pictures_was" ] && rm "$pictures_link"
mkdir -p "$pictures_link"
picture '#00ff00' "$pictures_link/photo.jpg"
wine_run reg delete "$settings_key" /v Path /f >/dev/null
start_show 24
seen=$(watch_colours 24 10)
expect_equal green "$seen" "colours on screen without a Path"
key_ends_show 24 "key press in the Pictures folder"
echo "show_library: ok"
