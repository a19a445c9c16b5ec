#!/usr/bin/env bash
# The x64 installer, run quietly: with SETASSAVER=1 it puts Pelloran.scr into
# the system folder, lists the program in Programs and Features with its name,
# version, publisher and icon, and makes it the screen saver; the installed
# saver runs; the uninstall takes the file, the entry and the choice away.
set -euo pipefail
. "$(dirname "$0")/lib.sh"

product=$(msiinfo export "$PELLORAN_MSI" Property | awk '$1 == "ProductCode" { print $2 }' | tr -d '\r')
entry="HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\$product"
desktop='HKCU\Control Panel\Desktop'
saver='C:\windows\system32\Pelloran.scr'
mapfile -t paths < <(wine_run winepath -u "$saver" 'C:\Program Files\Pelloran' | tr -d '\r')
saver_file=${paths[0]} documents=${paths[1]}

msiexec() {
    (cd "$(dirname "$PELLORAN_MSI")" && wine_run msiexec "$1" "$(basename "$PELLORAN_MSI")" /qn "${@:2}")
}
trap 'msiexec /x >/dev/null 2>&1 || true' EXIT

msiexec /i SETASSAVER=1 || fail "the install failed"
cmp -s "$saver_file" "$PELLORAN_SCR" || fail "$saver is not the built program"
[ -f "$documents/README.txt" ] || fail "no README.txt in $documents"
listing=$(wine_run reg query "$entry") || fail "no Programs and Features entry $entry"
expect_equal Pelloran "$(reg_value "$listing" DisplayName)" "DisplayName"
expect_equal "$PELLORAN_VERSION" "$(reg_value "$listing" DisplayVersion)" "DisplayVersion"
expect_equal "Tarnwick Software" "$(reg_value "$listing" Publisher)" "Publisher"
# The icon the entry shows: the installer's ProductIcon, a copy of the program's icon.
icon=$(reg_value "$(wine_run reg query 'HKLM\Software\Classes\Installer\Products' /s)" ProductIcon |
    grep -F "$product")
cmp -s "$(wine_run winepath -u "$icon" | tr -d '\r')" "$PELLORAN_ICON" || fail "product icon '$icon'"
expect_equal "$saver" "$(reg_value "$(wine_run reg query "$desktop" /v SCRNSAVE.EXE)" SCRNSAVE.EXE)" \
    "SCRNSAVE.EXE"

# The installed saver shows until a key ends it.
export DISPLAY
DISPLAY=$(cat "$PELLORAN_WINE_SESSION/display24")
PELLORAN_SCR=$saver run_scr /s &
show=$!
show_window() {
    ended "$show" && fail "the installed saver ended by itself"
    xdotool search --classname pelloran.scr >/dev/null
}
wait_for "the installed saver's window" show_window
# A key pressed while Wine is still giving the new window the focus can go to
# the window before it: the key is pressed again until the saver has ended.
pressed_key_ends_show() {
    xdotool key a
    sleep 0.5
    ended "$show"
}
wait_for "the installed saver's end at a key" pressed_key_ends_show
wait "$show" || fail "the installed saver ended with exit code $?"

msiexec /x || fail "the uninstall failed"
[ ! -e "$saver_file" ] || fail "$saver is still there"
[ ! -e "$documents" ] || fail "$documents is still there"
wine_run reg query "$entry" >/dev/null 2>&1 && fail "the Programs and Features entry is still there"
wine_run reg query "$desktop" /v SCRNSAVE.EXE >/dev/null 2>&1 && fail "SCRNSAVE.EXE is still set"
trap - EXIT
echo "installer: ok"
