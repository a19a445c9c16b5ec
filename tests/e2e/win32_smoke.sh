#!/usr/bin/env bash
# The shipped 32-bit build end to end, under the 32-bit Wine of
# scripts/setup-wine32.sh (its loader under qemu-i386, hence the long waits):
# `Pelloran.scr /s` on a folder of photos that the build's own make_photo.exe
# writes shows one of them on screen pixel for pixel, and a key ends the show
# with exit code 0; `/c` and Enter store the settings. Run by scripts/test.sh
# with its own session in BUILD_DIR/wine.
#   win32_smoke.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
harness=$(cd "$(dirname "$0")/../harness" && pwd)
export PELLORAN_WINE_RUN=$harness/wine-run.sh
export PELLORAN_WINE_SESSION=$build/wine
export PELLORAN_SCR=$build/Pelloran.scr
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/show_lib.sh"

folder=$(mktemp -d)
# A crash that the session's stop finds fails the test.
cleanup() {
    local code=$?
    "$harness/wine-session.sh" stop "$PELLORAN_WINE_SESSION" || code=1
    rm -rf "$folder"
    exit "$code"
}
trap cleanup EXIT
"$harness/wine-session.sh" start "$PELLORAN_WINE_SESSION" win32
display=$(session_display 24)
export DISPLAY=$display

# Waits up to $1 seconds for the process $2 to end; fails unless it ended with
# exit code 0.
expect_exit() {
    local code=0 deadline=$((SECONDS + $1))
    while kill -0 "$2" 2>/dev/null && [ $SECONDS -lt $deadline ]; do
        sleep 0.2
    done
    kill -0 "$2" 2>/dev/null && fail "$3: the program did not end within $1 s"
    wait "$2" || code=$?
    expect_equal 0 "$code" "$3: exit code"
}

# Two full-screen photos, baseline and progressive, the second in full colour.
wine_run "$build/tools/make_photo.exe" 1024 768 "$(windows_path "$folder/a.jpg")" ||
    fail "make_photo.exe did not write a.jpg"
wine_run "$build/tools/make_photo.exe" 1024 768 "$(windows_path "$folder/b.jpg")" \
    progressive 444 || fail "make_photo.exe did not write b.jpg"
store_settings "$folder"

# The show: the screen turns into one of the photos within 120 seconds.
xdotool mousemove 512 384
timeout --foreground 300 "$PELLORAN_WINE_RUN" "$PELLORAN_WINE_SESSION" "$PELLORAN_SCR" /s \
    </dev/null >/dev/null 2>&1 &
show=$!
screen=$PELLORAN_WINE_SESSION/screen.png
# The root-mean-square difference (0 to 1) between the screen and a picture.
difference() {
    compare -metric RMSE "$screen" "$1" null: 2>&1 | sed -n 's/.*(\(.*\)).*/\1/p'
}
shown="" deadline=$((SECONDS + 120))
while [ -z "$shown" ] && [ $SECONDS -lt $deadline ]; do
    kill -0 "$show" 2>/dev/null || fail "the show ended before a photo was on screen"
    import -display "$display" -window root "$screen" 2>/dev/null || continue
    for photo in a b; do
        if awk -v d="$(difference "$folder/$photo.jpg")" 'BEGIN { exit !(d != "" && d < 0.01) }'
        then
            shown=$photo
        fi
    done
    sleep 0.5
done
[ -n "$shown" ] || fail "no photo came on screen within 120 s (the last screen: $screen)"
xdotool key a
expect_exit 60 "$show" "the show after a key"

# The setup dialog: Enter (the focus is on OK) stores every setting, the stored
# ones as they were and the others at their defaults.
section='HKCU\Software\Tarnwick Software\Pelloran\Configuration'
wine_run reg delete "$section" /f >/dev/null 2>&1 || true
wine_run reg add "$section" /v Delay /t REG_DWORD /d 7 /f >/dev/null
wine_run reg add "$section" /v Path /d "$(windows_path "$folder")" /f >/dev/null
timeout --foreground 300 "$PELLORAN_WINE_RUN" "$PELLORAN_WINE_SESSION" "$PELLORAN_SCR" /c \
    </dev/null >/dev/null 2>&1 &
setup=$!
deadline=$((SECONDS + 120))
until xdotool search --name '^Pelloran V1.1 Setup$' >/dev/null 2>&1; do
    [ $SECONDS -lt $deadline ] || fail "no setup dialog within 120 s"
    kill -0 "$setup" 2>/dev/null || fail "the program ended before its setup dialog came"
    sleep 0.2
done
# A busy machine maps the dialog before it takes input: Enter until it closes.
deadline=$((SECONDS + 60))
while kill -0 "$setup" 2>/dev/null && [ $SECONDS -lt $deadline ]; do
    xdotool key Return
    sleep 1
done
kill -0 "$setup" 2>/dev/null && fail "the setup dialog did not close on Enter within 60 s"
expect_exit 0 "$setup" "the setup dialog after Enter"
values=$(wine_run reg query "$section")
expect_equal "$(windows_path "$folder")" "$(reg_value "$values" Path)" "Path"
for expected in Delay=0x7 Position=0x0 Size=0x0 Random=0x0 Overlap=0x0 Subfolders=0x1 Fade=0x0 Fit=0x0 Keys=0x0 Captions=0x0; do
    expect_equal "${expected#*=}" "$(reg_value "$values" "${expected%=*}")" "${expected%=*}"
done
echo "win32 smoke: ok (photo $shown.jpg on screen)"
