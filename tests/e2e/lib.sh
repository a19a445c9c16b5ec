# shellcheck shell=bash
# Helpers for the end-to-end scripts. The environment names the Wine wrapper
# (PELLORAN_WINE_RUN), the session (PELLORAN_WINE_SESSION) and the program
# (PELLORAN_SCR).
. "$(dirname "${BASH_SOURCE[0]}")/../../scripts/helpers.sh"

# A command whose failure ends the script names itself and its line: a test
# never fails without saying why. Only the script's own shell speaks: a
# subshell's failure that matters fails a command of the script too.
report_failure() {
    local code=$?
    local where="" i
    [ "$BASHPID" = $$ ] || return 0
    for ((i = 1; i < ${#BASH_SOURCE[@]}; i++)); do
        where="$where ${BASH_SOURCE[i]##*/}:${BASH_LINENO[i - 1]}"
    done
    echo "FAIL:$where: '$BASH_COMMAND' ended with $code" >&2
}
set -E
trap report_failure ERR

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# How long a test waits for what it needs (a window, a picture, the program's
# end): long enough for a cold machine, whose first Wine programs take many
# seconds to start.
wait_seconds=${PELLORAN_WAIT_SECONDS:-60}

# Runs COMMAND every tenth of a second until it succeeds, for at most
# wait_seconds; then fails, saying that WHAT never came. What COMMAND prints is
# dropped, so that it never joins a value that the caller captures.
#   wait_for WHAT COMMAND [ARGUMENTS...]
wait_for() {
    local what=$1 deadline=$((SECONDS + wait_seconds))
    shift
    until "$@" >/dev/null; do
        [ "$SECONDS" -lt "$deadline" ] || fail "$what never came (waited $wait_seconds s)"
        sleep 0.1
    done
}

# Whether the process PID has ended.
ended() {
    ! kill -0 "$1" 2>/dev/null
}

# Fails unless VALUE is a whole number: a value captured for arithmetic that is
# none would make the check it feeds fail to run, and the test go on.
#   expect_number VALUE WHAT
expect_number() {
    [[ $1 =~ ^[0-9]+$ ]] || fail "$2: '$1' is not a number"
}

# Where the test keeps its screenshot, in the session's folder: never in a
# folder the show reads, where the PNG file would be one of its pictures.
# shellcheck disable=SC2034 # for the scripts that source this file
screen_shot=$PELLORAN_WINE_SESSION/screen-$(basename "$0" .sh).png

expect_equal() {
    [ "$1" = "$2" ] || fail "$3: expected '$1', got '$2'"
}

# Runs a Windows program (or a Wine built-in such as reg) in the session, ended
# after the wait: a clean-up on the way out of a failed test never hangs it.
#   [wine_run_seconds=N] wine_run PROGRAM [ARGUMENTS...]
wine_run() {
    timeout --foreground "${wine_run_seconds:-$wait_seconds}" "$PELLORAN_WINE_RUN" "$PELLORAN_WINE_SESSION" "$@" 2> >(grep -v -e 'wine32 is missing' \
        -e 'multiarch needs' -e 'dpkg --add-architecture' -e 'apt-get install wine32' >&2)
}

# The data of the value NAME in the `reg query` listing LISTING.
#   reg_value LISTING NAME
reg_value() {
    echo "$1" | tr -d '\r' | sed -n "s/^ *$2 *REG_[A-Z_]* *//p"
}

# Runs the program with the given arguments, ended after twice the wait.
run_scr() {
    timeout --foreground $((2 * wait_seconds)) "$PELLORAN_WINE_RUN" "$PELLORAN_WINE_SESSION" "$PELLORAN_SCR" "$@" 2>/dev/null
}
