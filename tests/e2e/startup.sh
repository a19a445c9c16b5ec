#!/usr/bin/env bash
# Arguments that name no mode end the program at once, with exit code 0 and no
# window, and leave the settings key chain of the program's own name behind.
# "/c:<handle>" opens the setup dialog for the window that asks for it.
set -euo pipefail
. "$(dirname "$0")/lib.sh"

app_key='HKCU\Software\Tarnwick Software\Pelloran'
wine_run reg delete "$app_key" /f >/dev/null 2>&1 || true

# "p" without a handle, or with one that names no window, ends quietly too, and
# so does "c:" without a number after it.
for args in "/x" "/c:" "/c:12x" "//s" "-" "p" "/p 0" "/p 99999"; do
    start=$(date +%s%N)
    code=0
    read -ra words <<<"$args"
    run_scr "${words[@]}" || code=$?
    elapsed_ms=$((($(date +%s%N) - start) / 1000000))
    expect_equal 0 "$code" "exit code for '$args'"
    [ "$elapsed_ms" -lt 15000 ] || fail "'$args' took ${elapsed_ms} ms"
done

# Screen Saver Settings' button: "/c:<handle>" opens the setup dialog modal to
# that window, or without an owner when the handle names no window.
report=$(timeout --foreground 60 "$PELLORAN_WINE_RUN" "$PELLORAN_WINE_SESSION" "$PELLORAN_SHOW_HOST" settings \
    "$(windows_path "$PELLORAN_SCR")" 2>/dev/null | tr -d '\r') || fail "host: $report"
expected="/c:host: dialog owned by the host, host disabled
after Cancel: exit code 0, host enabled
/c:no window: dialog owned by no window, host enabled
after Cancel: exit code 0, host enabled"
expect_equal "$expected" "$report" "what the settings window saw"

values=$(wine_run reg query "$app_key\\Configuration" 2>/dev/null | tr -d '\r') ||
    fail "the key $app_key\\Configuration was not created"
if echo "$values" | grep -q 'REG_'; then
    fail "the key holds values: $values"
fi

# A copy under another name reads (and so creates) a key of its own.
copy_dir=$(mktemp -d)
trap 'rm -rf "$copy_dir"' EXIT
cp "$PELLORAN_SCR" "$copy_dir/Other Saver.scr"
wine_run reg delete 'HKCU\Software\Tarnwick Software\Other Saver' /f >/dev/null 2>&1 || true
code=0
wine_run "$copy_dir/Other Saver.scr" /x || code=$?
expect_equal 0 "$code" "exit code of the copy"
wine_run reg query 'HKCU\Software\Tarnwick Software\Other Saver\Configuration' >/dev/null ||
    fail "the copy did not use its own key"
wine_run reg delete 'HKCU\Software\Tarnwick Software\Other Saver' /f >/dev/null 2>&1 || true
echo "startup: ok"
