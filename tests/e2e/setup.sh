#!/usr/bin/env bash
# The setup road from outside the process: "/c" and a bare start open the setup
# dialog; mouse and keys on the X display change the settings, pick a folder in
# the directory chooser and press OK, and `wine reg query` shows what was
# stored. A path longer than 250 characters is refused with a message box
# captioned "Pelloran". A folder named in characters outside the Western code
# page goes through the dialog and the chooser unchanged. With
# PELLORAN_SCREENSHOTS naming a folder, pictures of the dialog and the chooser
# are saved there.
set -euo pipefail
. "$(dirname "$0")/lib.sh"

app_key='HKCU\Software\Tarnwick Software\Pelloran'
section="$app_key\\Configuration"
pictures_unix=$PELLORAN_WINE_SESSION/prefix/drive_c/pelloran_e2e
pictures='C:\pelloran_e2e\Pictures'
DISPLAY=$(cat "$PELLORAN_WINE_SESSION/display24")
export DISPLAY

cleanup() {
    wine_run reg delete "$app_key" /f >/dev/null 2>&1 || true
    rm -rf "$pictures_unix"
}
trap cleanup EXIT
cleanup
mkdir -p "$pictures_unix/Pictures/Family" "$pictures_unix/Pictures/Holiday"

# The X window whose name is exactly $1, given half a second more to take
# input once it is there: on a busy machine Wine maps it before it is ready.
wait_window() {
    wait_for "a window named '$1'" xdotool search --name "^$1\$"
    sleep 0.5
    xdotool search --name "^$1\$" | head -1
}

wait_exit() {
    local deadline=$((SECONDS + wait_seconds))
    until ended "$1"; do
        if [ "$SECONDS" -ge "$deadline" ]; then
            import -window root "$PELLORAN_WINE_SESSION/setup-failure.png" || true
            fail "the program did not end (screen in $PELLORAN_WINE_SESSION/setup-failure.png)"
        fi
        sleep 0.1
    done
    wait "$1"
}

# Clicks the point (x, y), in dialog units, of the dialog in X window $1, which
# is $2 by $3 dialog units. Wine draws the frame of an unmanaged window itself:
# 3 pixels at the sides and the bottom, 22 at the top with the caption.
click_at() {
    local geometry left top width height value
    geometry=$(xdotool getwindowgeometry --shell "$1")
    left=$(echo "$geometry" | sed -n 's/^X=//p')
    top=$(echo "$geometry" | sed -n 's/^Y=//p')
    width=$(echo "$geometry" | sed -n 's/^WIDTH=//p')
    height=$(echo "$geometry" | sed -n 's/^HEIGHT=//p')
    for value in "$left" "$top" "$width" "$height"; do
        expect_number "$value" "the geometry of window $1"
    done
    xdotool mousemove --sync $((left + 3 + $4 * (width - 6) / $2)) \
        $((top + 22 + $5 * (height - 25) / $3)) click --repeat "${6:-1}" --delay 100 1
    sleep 0.3
}

screenshot() {
    [ -n "${PELLORAN_SCREENSHOTS:-}" ] || return 0
    xdotool mousemove 0 0 sleep 0.3 # no control under the pointer lights up
    import -window "$1" "$PELLORAN_SCREENSHOTS/$2"
}

value_of() {
    reg_value "$(wine_run reg query "$section" /v "$1" 2>/dev/null)" "$1"
}

# The stored Path in UTF-8. `reg query` writes through the console's code page,
# which turns the characters outside it into "?"; an export is UTF-16.
stored_path() {
    local file=$PELLORAN_WINE_SESSION/setup-export.reg
    wine_run reg export "$section" "$(windows_path "$file")" /y >/dev/null
    iconv -f UTF-16 -t UTF-8 "$file" | tr -d '\r' | sed -n 's/^"Path"="\(.*\)"$/\1/p' |
        sed 's/\\\\/\\/g'
    rm -f "$file"
}

# "/c": change every setting, choose a folder, OK.
wine_run reg add "$section" /v Path /d "$pictures" /f >/dev/null
run_scr /c &
program=$!
setup=$(wait_window 'Pelloran V1.1 Setup')
screenshot "$setup" setup-dialog.png
click_at "$setup" 244 235 33 67          # the delay edit
xdotool key End shift+Home && xdotool type 7
click_at "$setup" 244 235 80 62          # Center
click_at "$setup" 244 235 140 75         # Small
click_at "$setup" 244 235 196 62         # Overlap
click_at "$setup" 244 235 196 76         # Random
click_at "$setup" 244 235 20 98          # Include subfolders, on at first
click_at "$setup" 244 235 137 98         # Fade between pictures
click_at "$setup" 244 235 20 111         # Fit pictures to the screen
click_at "$setup" 244 235 20 124         # Arrow keys and Space control the show
click_at "$setup" 244 235 20 137         # Show date and folder
click_at "$setup" 244 235 20 150         # Move pictures slowly (pan and zoom)
click_at "$setup" 244 235 20 163         # Show portrait pictures in pairs
click_at "$setup" 244 235 203 25         # Choose
chooser=$(wait_window 'Select Directory')
screenshot "$chooser" directory-chooser.png
# The list holds [..], [Family], [Holiday], 16 pixels a line: open [Family].
click_at "$chooser" 165 134 40 44 2
click_at "$chooser" 165 134 130 22       # the chooser's OK
click_at "$setup" 244 235 204 208        # OK
wait_exit "$program"
expect_equal 0x7 "$(value_of Delay)" "Delay"
expect_equal 0x1 "$(value_of Position)" "Position"
expect_equal 0x1 "$(value_of Size)" "Size"
expect_equal 0x1 "$(value_of Random)" "Random"
expect_equal 0x1 "$(value_of Overlap)" "Overlap"
expect_equal 0x0 "$(value_of Subfolders)" "Subfolders"
expect_equal 0x1 "$(value_of Fade)" "Fade"
expect_equal 0x1 "$(value_of Fit)" "Fit"
expect_equal 0x1 "$(value_of Keys)" "Keys"
expect_equal 0x1 "$(value_of Captions)" "Captions"
expect_equal 0x1 "$(value_of Motion)" "Motion"
expect_equal 0x1 "$(value_of Pairs)" "Pairs"
expect_equal "$pictures\\Family" "$(value_of Path)" "Path"

# A bare start with a stored path of 300 characters: Enter (the focus is on OK)
# shows the length message over the dialog, which stays open; Escape stores
# nothing.
long_path="C:\\$(printf 'x%.0s' $(seq 297))"
wine_run reg add "$section" /v Path /d "$long_path" /f >/dev/null
run_scr &
program=$!
setup=$(wait_window 'Pelloran V1.1 Setup')
xdotool key Return
message=$(wait_window 'Pelloran')
xdotool key Return
message_gone() {
    ! xdotool search --name '^Pelloran$' >/dev/null 2>&1
}
wait_for "the end of the message box $message" message_gone
xdotool search --name '^Pelloran V1.1 Setup$' >/dev/null || fail "the dialog closed after the message"
xdotool key Escape
wait_exit "$program"
expect_equal "$long_path" "$(value_of Path)" "Path after Escape"
expect_equal 0x7 "$(value_of Delay)" "Delay after Escape"

# A folder named in characters outside the Western code page: the chooser
# starts in it, its OK and then the dialog's OK store it back unchanged.
far_pictures='C:\pelloran_e2e\Bilder_日本'
mkdir -p "$pictures_unix/Bilder_日本"
wine_run reg add "$section" /v Path /d "$far_pictures" /f >/dev/null
run_scr &
program=$!
setup=$(wait_window 'Pelloran V1.1 Setup')
click_at "$setup" 244 235 203 25                              # Choose
click_at "$(wait_window 'Select Directory')" 165 134 130 22   # the chooser's OK
click_at "$setup" 244 235 204 208                             # OK
wait_exit "$program"
expect_equal "$far_pictures" "$(stored_path)" "Path after the round trip"
echo "setup: ok"
