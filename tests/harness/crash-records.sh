# shellcheck shell=bash
# The crash records of a Wine test session (see wine-session.sh): Wine's
# debugger appends each crash to the session's inbox; the test that was running
# claims it as its own record, crashes/NAME.txt, and fails. Sourced, not run.

# The file the session's debugger appends to.
#   crash_inbox SESSION_DIR
crash_inbox() {
    echo "$1/crashes/inbox.log"
}

# Starts a session with no records.
#   forget_crashes SESSION_DIR
forget_crashes() {
    rm -rf "$1/crashes"
    mkdir -p "$1/crashes"
}

# Waits, for 20 seconds at most, until no debugger of the session's prefix
# runs, so that a record being written is whole; then ends any left behind.
#   settle_debuggers SESSION_DIR
settle_debuggers() {
    local deadline=$((SECONDS + 20)) prefix=$1/prefix
    while [ -n "$(prefix_processes "$prefix" 'winedbg')" ] && [ $SECONDS -lt $deadline ]; do
        sleep 0.2
    done
    end_prefix_processes "$prefix" 'winedbg'
}

# Whether the inbox holds a crash.
#   crash_waiting SESSION_DIR
crash_waiting() {
    [ -s "$(crash_inbox "$1")" ]
}

# Moves what the inbox holds to the record NAME (added to what it held) and
# prints it to standard error; false when the inbox was empty.
#   claim_crash SESSION_DIR NAME
claim_crash() {
    local inbox record=$1/crashes/$2.txt
    inbox=$(crash_inbox "$1")
    crash_waiting "$1" || return 1
    mkdir -p "$1/crashes"
    tr -d '\r' <"$inbox" >>"$record"
    rm -f "$inbox"
    {
        echo "CRASH: a Windows program crashed during $2 (the record: $record):"
        cat "$record"
    } >&2
}

# Fails, printing them, when crashes came that no test claimed: between tests,
# or after the last.
#   unclaimed_crashes_fail SESSION_DIR
unclaimed_crashes_fail() {
    claim_crash "$1" between-tests 2>/dev/null || true
    [ ! -s "$1/crashes/between-tests.txt" ] || {
        echo "FAIL: Windows programs crashed outside the tests:" >&2
        cat "$1/crashes/between-tests.txt" >&2
        return 1
    }
}
