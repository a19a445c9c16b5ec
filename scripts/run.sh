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
root=$PWD

native_dir=${PELLORAN_NATIVE_DIR:-build/native}
win64_dir=${PELLORAN_WIN64_DIR:-build/win64}
run_dir=$root/build/run
shots_dir=$run_dir/screenshots
ticks=8

# Builds one target of a build tree, configuring the tree first if needed.
build_target() {
    local preset=$1 dir=$2 target=$3
    if [ ! -f "$dir/CMakeCache.txt" ]; then
        cmake --preset "$preset" -B "$dir" >/dev/null
    fi
    cmake --build "$dir" --target "$target"
}

# The Windows form of an absolute Linux path (Wine maps / to drive Z:).
windows_path() {
    echo "Z:${1//\//\\}"
}

free_display() {
    local n=50
    while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do
        n=$((n + 1))
    done
    echo "$n"
}

xvfb_pid=
stop_everything() {
    wineserver -k </dev/null >/dev/null 2>&1 || true
    wineserver -w </dev/null >/dev/null 2>&1 || true
    if [ -n "$xvfb_pid" ]; then
        kill "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
    fi
}

start_xvfb() {
    local n
    n=$(free_display)
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >"$run_dir/xvfb.log" 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 100); do
        [ -e "/tmp/.X11-unix/X$n" ] && break
        sleep 0.05
    done
    export DISPLAY=":$n"
}

# Wine's output, and that of the helpers it starts, goes to a log file: they
# inherit their parent's pipes.
wine_quiet() {
    wine "$@" </dev/null >>"$run_dir/wine.log" 2>&1
}

build_target native "$native_dir" sample_pictures
build_target win64 "$win64_dir" Pelloran
samples=$root/$native_dir/sample-pictures
program=$root/$win64_dir/Pelloran.scr

mkdir -p "$run_dir"
: >"$run_dir/wine.log"
export WINEPREFIX=$run_dir/prefix
export WINEARCH=win64
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="

trap stop_everything EXIT
headless=no
if [ -z "${DISPLAY:-}" ]; then
    headless=yes
    start_xvfb
fi

echo "run: Wine prefix $WINEPREFIX (the first start prepares it)"
mkdir -p "$WINEPREFIX"
wineserver -p </dev/null >/dev/null 2>&1
wine_quiet cmd /c exit

# Xvfb has no window manager: Wine then manages its windows itself.
if [ $headless = yes ]; then
    wine_quiet reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f
else
    wine_quiet reg delete 'HKCU\Software\Wine\X11 Driver' /v Managed /f || true
fi

# One picture a second, each at a random place in half the screen, drawn over
# the ones before.
key='HKCU\Software\Tarnwick Software\Pelloran\Configuration'
wine_quiet reg add "$key" /v Path /t REG_SZ /d "$(windows_path "$samples")" /f
wine_quiet reg add "$key" /v Delay /t REG_DWORD /d 1 /f
wine_quiet reg add "$key" /v Position /t REG_DWORD /d 0 /f
wine_quiet reg add "$key" /v Size /t REG_DWORD /d 1 /f
wine_quiet reg add "$key" /v Random /t REG_DWORD /d 0 /f
wine_quiet reg add "$key" /v Overlap /t REG_DWORD /d 1 /f

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
