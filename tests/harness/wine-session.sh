#!/usr/bin/env bash
# Starts or stops what the Windows tests run in: a private Wine prefix and its
# wineserver, and Xvfb displays at 24, 16 and 8 bits per pixel.
#   wine-session.sh start SESSION_DIR
#   wine-session.sh stop SESSION_DIR
# SESSION_DIR keeps the prefix, the display names (display24, display16,
# display8) and the Xvfb process ids. Everything's output goes to files or
# /dev/null: Wine's helpers inherit their parent's pipes, and a test runner
# that waits for those pipes to close would wait for wineserver.
set -euo pipefail

action=$1
session=$(mkdir -p "$2" && cd "$2" && pwd)
export WINEPREFIX=$session/prefix
export WINEDEBUG=-all
export WINEARCH=win64
export WINEDLLOVERRIDES="mscoree,mshtml="

free_display() {
    local n=$1
    while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do
        n=$((n + 1))
    done
    echo "$n"
}

start_xvfb() {
    local depth=$1 n
    n=$(free_display "$2")
    Xvfb ":$n" -screen 0 "1024x768x$depth" -nolisten tcp >"$session/xvfb$depth.log" 2>&1 &
    echo $! >"$session/xvfb$depth.pid"
    for _ in $(seq 100); do
        [ -e "/tmp/.X11-unix/X$n" ] && break
        sleep 0.05
    done
    echo ":$n" >"$session/display$depth"
    echo "$n"
}

case $action in
start)
    "$0" stop "$session" || true
    last=$(start_xvfb 24 90)
    last=$(start_xvfb 16 $((last + 1)))
    start_xvfb 8 $((last + 1)) >/dev/null
    export DISPLAY
    DISPLAY=$(cat "$session/display24")
    fresh=no
    [ -f "$WINEPREFIX/system.reg" ] || fresh=yes
    mkdir -p "$WINEPREFIX"
    wineserver -p </dev/null >/dev/null 2>&1
    wine cmd /c exit </dev/null >/dev/null 2>&1
    if [ $fresh = yes ]; then
        # Without a window manager, Wine waits for one on every closed window
        # unless it manages its windows itself.
        wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >/dev/null 2>&1
    fi
    ;;
stop)
    if [ -d "$WINEPREFIX" ]; then
        wineserver -k </dev/null >/dev/null 2>&1 || true
        wineserver -w </dev/null >/dev/null 2>&1 || true
    fi
    for pidfile in "$session"/xvfb*.pid; do
        [ -e "$pidfile" ] || continue
        kill "$(cat "$pidfile")" 2>/dev/null || true
        rm -f "$pidfile"
    done
    ;;
*)
    echo "usage: $0 start|stop SESSION_DIR" >&2
    exit 2
    ;;
esac
