# shellcheck shell=bash
# Shell helpers of `make run` (scripts/run.sh), `make bench-show` (bench/show.sh),
# the Wine session of the Windows tests (tests/harness) and the end-to-end
# tests: building one target, Xvfb displays, the Wine prefix and its server,
# and the program's settings in the registry. Sourced, not run.

# The program's settings key.
settings_key='HKCU\Software\Tarnwick Software\Pelloran\Configuration'

# Builds one target of a build tree, configuring the tree first if needed.
#   build_target PRESET DIR TARGET
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

# Starts an Xvfb of 1024 x 768 at the given depth on a free display, which
# the server chooses itself (so that sessions started side by side never take
# the same one), with its log in STEM.log and its process id in STEM.pid, and
# prints the display's name (":n") once it takes connections. Its output goes
# to the log: a caller that waits for its pipes would wait for Xvfb.
#   start_xvfb DEPTH STEM
start_xvfb() {
    local depth=$1 stem=$2
    rm -f "$stem.display"
    Xvfb -displayfd 3 -screen 0 "1024x768x$depth" -nolisten tcp 3>"$stem.display" \
        >"$stem.log" 2>&1 &
    echo $! >"$stem.pid"
    for _ in $(seq 1200); do
        [ -s "$stem.display" ] && break
        sleep 0.05
    done
    echo ":$(tr -d '\n' <"$stem.display")"
}

# Stops the Xvfb whose process id is in PIDFILE, if it is there.
#   stop_xvfb PIDFILE
stop_xvfb() {
    [ -e "$1" ] || return 0
    kill "$(cat "$1")" 2>/dev/null || true
    rm -f "$1"
}

# Wine's environment for the prefix PREFIX: 64-bit, quiet, without the Mono
# and Gecko installers, and without the HID and USB bus drivers, which nothing
# here needs: Wine 8's device service now and then crashes loading them
# (IoCreateDevice from wine_enumerate_root_devices, on a machine without USB),
# and every crash fails the test it comes in.
#   wine_environment PREFIX
wine_environment() {
    export WINEPREFIX=$1
    export WINEARCH=win64
    export WINEDEBUG=-all
    export WINEDLLOVERRIDES="mscoree,mshtml=;winebus.sys,wineusb.sys=d"
}

# Wine's environment for the prefix PREFIX with the 32-bit Wine that
# scripts/setup-wine32.sh unpacks into build/wine32: `wine` is its loader under
# qemu-i386's user mode, `wineserver` the machine's 64-bit one.
#   wine32_environment PREFIX
wine32_environment() {
    local bin
    bin=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/build/wine32/bin
    wine_environment "$1"
    export WINEARCH=win32
    export WINESERVER=$bin/wineserver
    export PATH=$bin:$PATH
}

# The Wine environment of the test session in SESSION_DIR: 32-bit when the
# session was started for win32, 64-bit otherwise.
#   session_environment SESSION_DIR
session_environment() {
    if [ "$(cat "$1/arch" 2>/dev/null)" = win32 ]; then
        wine32_environment "$1/prefix"
    else
        wine_environment "$1/prefix"
    fi
}

# Starts the wineserver of $WINEPREFIX and prepares the prefix on its first
# use. Wine's output goes nowhere: its helpers inherit their parent's pipes.
start_wine() {
    mkdir -p "$WINEPREFIX"
    wineserver -p </dev/null >/dev/null 2>&1
    wine cmd /c exit </dev/null >/dev/null 2>&1
}

# Ends the wineserver of $WINEPREFIX and waits for it, for 30 seconds at most:
# then what is left of the prefix's processes is killed.
stop_wine() {
    wineserver -k </dev/null >/dev/null 2>&1 || true
    timeout 30 wineserver -w </dev/null >/dev/null 2>&1 ||
        end_prefix_processes "$WINEPREFIX" 'wine|\.(exe|scr)( |$)' 
}

# The process ids of the Wine processes of the prefix PREFIX (the ones whose
# environment names it) whose command line matches the extended regular
# expression PATTERN.
#   prefix_processes PREFIX PATTERN
prefix_processes() {
    local environ process
    grep -lzxF "WINEPREFIX=$1" /proc/[0-9]*/environ 2>/dev/null | while read -r environ; do
        process=${environ%/environ}
        tr '\0' ' ' 2>/dev/null <"$process/cmdline" | grep -qE -- "$2" && echo "${process#/proc/}"
    done
    return 0
}

# Kills the processes that prefix_processes finds.
#   end_prefix_processes PREFIX PATTERN
end_prefix_processes() {
    local pids
    mapfile -t pids < <(prefix_processes "$1" "$2")
    [ ${#pids[@]} -eq 0 ] || kill -9 "${pids[@]}" 2>/dev/null || true
}

# yes: Wine manages its windows itself, as it must without a window manager
# (on Xvfb it would otherwise wait for one on every closed window); no: the
# display's window manager does.
#   wine_manages_windows yes|no
wine_manages_windows() {
    if [ "$1" = yes ]; then
        wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >/dev/null 2>&1
    else
        wine reg delete 'HKCU\Software\Wine\X11 Driver' /v Managed /f </dev/null >/dev/null 2>&1 ||
            true
    fi
}

# Stores the six settings through RUN, a command that runs a Windows program
# (`reg`) in the right prefix.
#   write_settings RUN PATH DELAY POSITION SIZE RANDOM OVERLAP
write_settings() {
    local run=$1 name type output
    shift
    for name in Path Delay Position Size Random Overlap; do
        type=REG_DWORD
        [ "$name" != Path ] || type=REG_SZ
        # In loaded test runs Wine's reg has now and then exited 1 on one
        # write (what it answered went unseen): a failed write is tried once
        # more, and says so.
        output=$("$run" reg add "$settings_key" /v "$name" /t "$type" /d "$1" /f 2>&1) || {
            echo "reg add $name failed, once more: $output" >&2
            output=$("$run" reg add "$settings_key" /v "$name" /t "$type" /d "$1" /f 2>&1)
        } || {
            echo "reg add $name failed: $output" >&2
            return 1
        }
        shift
    done
}
