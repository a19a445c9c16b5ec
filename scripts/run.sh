#!/usr/bin/env bash
# `make run`: the full-screen show of Pelloran.scr under Wine, on sample pictures
# drawn at build time, with a private Wine prefix (and so a private registry)
# under build/run.
#
# With a display (DISPLAY set) the show runs there until a key, a mouse button
# or a mouse movement ends it. Without one it runs on an Xvfb of its own for a
# few ticks, saves a screenshot per tick and a contact sheet under
# build/run/screenshots, ends the show with a key press and stops its Xvfb and
# wineserver.
#
# PELLORAN_NATIVE_DIR and PELLORAN_WIN64_DIR name other build trees than
# build/native and build/win64.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/helpers.sh
root=$PWD

native_dir=${PELLORAN_NATIVE_DIR:-build/native}
win64_dir=${PELLORAN_WIN64_DIR:-build/win64}
run_dir=$root/build/run
shots_dir=$run_dir/screenshots
ticks=8

# Wine's output, and that of the helpers it starts, goes to a log file: they
# inherit their parent's pipes.
wine_quiet() {
    wine "$@" </dev/null >>"$run_dir/wine.log" 2>&1
}

stop_everything() {
    stop_wine
    stop_xvfb "$run_dir/xvfb.pid"
}

build_target native "$native_dir" sample_pictures
build_target win64 "$win64_dir" Pelloran
samples=$root/$native_dir/sample-pictures
program=$root/$win64_dir/Pelloran.scr

mkdir -p "$run_dir"
: >"$run_dir/wine.log"
wine_environment "$run_dir/prefix"

trap stop_everything EXIT
headless=no
if [ -z "${DISPLAY:-}" ]; then
    headless=yes
    DISPLAY=$(start_xvfb 24 "$run_dir/xvfb")
    export DISPLAY
fi

echo "run: Wine prefix $WINEPREFIX (the first start prepares it)"
start_wine
# Xvfb has no window manager.
wine_manages_windows $headless

# One picture a second, each at a random place in half the screen, drawn over
# the ones before.
write_settings wine_quiet "$(windows_path "$samples")" 1 0 1 0 1

if [ $headless = no ]; then
    echo "run: the show is on $DISPLAY; a key, a mouse button or a mouse movement ends it"
    wine_quiet "$program" /s
    exit 0
fi

echo "run: no display; the show runs on Xvfb $DISPLAY for $ticks ticks"
wine_quiet "$program" /s &
show_pid=$!
rm -rf "$shots_dir"
mkdir -p "$shots_dir"
# Half a period after the ticks, so that no screenshot catches a draw midway.
sleep 1.5
for i in $(seq -w 1 $ticks); do
    import -window root "$shots_dir/tick-$i.png"
    sleep 1
done
xdotool key space
for _ in $(seq 50); do
    kill -0 "$show_pid" 2>/dev/null || break
    sleep 0.1
done
if kill -0 "$show_pid" 2>/dev/null; then
    echo "run: the show did not end on a key press" >&2
    exit 1
fi
wait "$show_pid"

montage "$shots_dir"/tick-*.png -tile 4x -geometry 256x192+4+4 -background '#303030' \
    "$shots_dir/contact-sheet.png"
echo "run: screenshots in $shots_dir"
echo "run: contact sheet $shots_dir/contact-sheet.png"
