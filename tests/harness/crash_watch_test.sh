#!/usr/bin/env bash
# The crash watch itself: a test during which a Windows program crashes fails
# within 10 seconds and prints the crash's record with a backtrace that names
# the crashing function, both when the test would have waited on and when its
# own checks passed; the record stays in the session's crashes folder.
set -euo pipefail
. "$(dirname "$0")/../e2e/lib.sh"

harness=$(cd "$(dirname "$0")" && pwd)
session=$PELLORAN_WINE_SESSION
# The test that crashes: WAIT is what it does after the crash.
#   crashing_test NAME WAIT
crashing_test() {
    local start=$SECONDS output code=0
    # shellcheck disable=SC2016 # the single-quoted words are the inner shell's
    output=$("$harness/crash-watch.sh" "$session" "$1" bash -c \
        '"$0" "$1" "$2" >/dev/null 2>&1 || true; '"$2" \
        "$PELLORAN_WINE_RUN" "$session" "$PELLORAN_CRASHING_PROGRAM" 2>&1) || code=$?
    [ "$code" -ne 0 ] || fail "$1: passed, though a program crashed"
    [ $((SECONDS - start)) -le 10 ] || fail "$1: took $((SECONDS - start)) s to fail"
    for expected in "CRASH: a Windows program crashed during $1" \
        "Unhandled exception: page fault on write access to 0x0" "Backtrace:" \
        "WriteThroughNull"; do
        grep -qF -- "$expected" <<<"$output" || fail "$1: no '$expected' in: $output"
    done
    grep -qF WriteThroughNull "$session/crashes/$1.txt" || fail "$1: no record kept"
    rm "$session/crashes/$1.txt"
}
crashing_test harness_crash_then_wait 'sleep 120'
crashing_test harness_crash_then_pass 'exit 0'
echo "crash watch: ok"
