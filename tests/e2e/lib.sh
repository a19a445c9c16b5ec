# Helpers for the end-to-end scripts. The environment names the Wine wrapper
# (PELLORAN_WINE_RUN), the session (PELLORAN_WINE_SESSION) and the program
# (PELLORAN_SCR).
. "$(dirname "${BASH_SOURCE[0]}")/../../scripts/helpers.sh"

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

expect_equal() {
    [ "$1" = "$2" ] || fail "$3: expected '$1', got '$2'"
}

# Runs a Windows program (or a Wine built-in such as reg) in the session.
wine_run() {
    "$PELLORAN_WINE_RUN" "$PELLORAN_WINE_SESSION" "$@" 2> >(grep -v -e 'wine32 is missing' \
        -e 'multiarch needs' -e 'dpkg --add-architecture' -e 'apt-get install wine32' >&2)
}

# The data of the value NAME in the `reg query` listing LISTING.
#   reg_value LISTING NAME
reg_value() {
    echo "$1" | tr -d '\r' | sed -n "s/^ *$2 *REG_[A-Z_]* *//p"
}

# Runs the program with the given arguments, within 20 seconds.
run_scr() {
    timeout 20 "$PELLORAN_WINE_RUN" "$PELLORAN_WINE_SESSION" "$PELLORAN_SCR" "$@" 2>/dev/null
}
