#!/usr/bin/env bash
# Starts or stops what the Windows tests run in: a private Wine prefix and its
# wineserver, and Xvfb displays at 24, 16 and 8 bits per pixel.
#   wine-session.sh start SESSION_DIR [win32]
#   wine-session.sh stop SESSION_DIR
# With win32, the session's Wine is the 32-bit one of scripts/setup-wine32.sh.
# SESSION_DIR keeps the prefix, the display names (display24, display16,
# display8), the Xvfb process ids and the session's Wine (arch). Everything's
# output goes to files or /dev/null: Wine's helpers inherit their parent's
# pipes, and a test runner that waits for those pipes to close would wait for
# wineserver.
set -euo pipefail
. "$(dirname "$0")/../../scripts/helpers.sh"

action=$1
session=$(mkdir -p "$2" && cd "$2" && pwd)

case $action in
start)
    "$0" stop "$session" || true
    echo "${3:-win64}" >"$session/arch"
    session_environment "$session"
    first=90
    for depth in 24 16 8; do
        display=$(start_xvfb $depth $first "$session/xvfb$depth")
        echo "$display" >"$session/display$depth"
        first=$((${display#:} + 1))
    done
    export DISPLAY
    DISPLAY=$(cat "$session/display24")
    fresh=no
    [ -f "$WINEPREFIX/system.reg" ] || fresh=yes
    start_wine
    if [ $fresh = yes ]; then
        wine_manages_windows yes
    fi
    ;;
stop)
    session_environment "$session"
    if [ -d "$WINEPREFIX" ]; then
        stop_wine
    fi
    for depth in 24 16 8; do
        stop_xvfb "$session/xvfb$depth.pid"
    done
    ;;
*)
    echo "usage: $0 start|stop SESSION_DIR" >&2
    exit 2
    ;;
esac
