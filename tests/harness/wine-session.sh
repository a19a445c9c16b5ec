#!/usr/bin/env bash
# Starts or stops what the Windows tests run in: a private Wine prefix and its
# wineserver, and Xvfb displays at 24, 16 and 8 bits per pixel.
#   wine-session.sh start SESSION_DIR [win32]
#   wine-session.sh stop SESSION_DIR
# With win32, the session's Wine is the 32-bit one of scripts/setup-wine32.sh.
# SESSION_DIR keeps the prefix, the display names (display24, display16,
# display8), the Xvfb process ids, the session's Wine (arch) and the crash
# records (see crash-watch.sh). Everything's output goes to files or
# /dev/null: Wine's helpers inherit their parent's pipes, and a test runner that
# waits for those pipes to close would wait for wineserver.
set -euo pipefail
. "$(dirname "$0")/../../scripts/helpers.sh"
. "$(dirname "$0")/crash-records.sh"

action=$1
session=$(mkdir -p "$2" && cd "$2" && pwd)

# Every program of the prefix that crashes starts Wine's debugger, which
# appends what it finds (the program, the exception, the registers and a
# backtrace) to the session's crash inbox, and ends: no crash dialog waits on a
# display that nobody looks at. The debugger's full path: Wine starts it with
# an environment that has no PATH.
record_crashes() {
    local registry=$session/crash-debugger.reg system='C:\\windows\\system32' inbox
    inbox=$(windows_path "$(crash_inbox "$session")")
    inbox=${inbox//\\/\\\\}
    {
        printf 'REGEDIT4\n\n'
        printf '[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\AeDebug]\n'
        printf '"Auto"="1"\n'
        printf '"Debugger"="%s\\\\cmd.exe /c %s\\\\winedbg.exe --auto %%ld %%ld >>\\"%s\\" 2>&1"\n\n' \
            "$system" "$system" "$inbox"
        printf '[HKEY_CURRENT_USER\\Software\\Wine\\WineDbg]\n'
        printf '"ShowCrashDialog"=dword:00000000\n'
    } >"$registry"
    wine reg import "$(windows_path "$registry")" </dev/null >/dev/null 2>&1
}

case $action in
start)
    "$0" stop "$session" || true
    forget_crashes "$session"
    echo "${3:-win64}" >"$session/arch"
    session_environment "$session"
    for depth in 24 16 8; do
        start_xvfb $depth "$session/xvfb$depth" >"$session/display$depth"
    done
    export DISPLAY
    DISPLAY=$(cat "$session/display24")
    fresh=no
    [ -f "$WINEPREFIX/system.reg" ] || fresh=yes
    start_wine
    if [ $fresh = yes ]; then
        wine_manages_windows yes
    fi
    record_crashes
    ;;
stop)
    session_environment "$session"
    if [ -d "$WINEPREFIX" ]; then
        settle_debuggers "$session"
        stop_wine
    fi
    for depth in 24 16 8; do
        stop_xvfb "$session/xvfb$depth.pid"
    done
    # A crash that no test claimed fails here.
    unclaimed_crashes_fail "$session"
    ;;
*)
    echo "usage: $0 start|stop SESSION_DIR" >&2
    exit 2
    ;;
esac
