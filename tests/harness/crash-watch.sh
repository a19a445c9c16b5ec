#!/usr/bin/env bash
# Runs one test of a Wine session and fails it, at once, when any Windows
# program of the session crashes while it runs, even one whose crash the test's
# own checks would have let pass; the crash's record (its program, exception,
# registers and backtrace) is kept as SESSION_DIR/crashes/NAME.txt and printed.
# The test runs in a process group of its own, which is ended on a crash, and
# a debugger left behind is ended too. Otherwise the test's exit code is this
# script's.
#   crash-watch.sh SESSION_DIR NAME COMMAND [ARGUMENTS...]
set -euo pipefail
harness=$(dirname "$0")
. "$harness/../../scripts/helpers.sh"
. "$harness/crash-records.sh"
session=$(mkdir -p "$1" && cd "$1" && pwd) name=$2
shift 2
mkdir -p "$session/crashes"
rm -f "$session/crashes/$name.txt"
# A crash that came before this test is not its own.
settle_debuggers "$session"
claim_crash "$session" between-tests 2>/dev/null || true

setsid "$@" &
test_pid=$!
# Ended from outside (a test runner's time limit), the watch ends the test too.
trap 'kill -KILL -- "-$test_pid" 2>/dev/null || true' TERM INT
crashed() {
    settle_debuggers "$session"
    kill -TERM -- "-$test_pid" 2>/dev/null || true
    sleep 1
    kill -KILL -- "-$test_pid" 2>/dev/null || true
    claim_crash "$session" "$name" || true
    exit 1
}
while kill -0 "$test_pid" 2>/dev/null; do
    crash_waiting "$session" && crashed
    sleep 0.2
done
code=0
wait "$test_pid" || code=$?
# A program the test left running may be crashing right now.
settle_debuggers "$session"
crash_waiting "$session" && crashed
exit "$code"
