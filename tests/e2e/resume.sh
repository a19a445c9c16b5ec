#!/usr/bin/env bash
# On a red a.jpg, a green b.jpg and a blue c.jpg in name order, a second show
# begins with the picture after the last one the first drew, which it kept in
# "State", never in "Configuration"; the preview keeps nothing there.
set -euo pipefail
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/show_lib.sh"
folder=$(make_colour_folder)
trap 'forget_settings; rm -rf "$folder"' EXIT
# A picture every five seconds: each show's first is on screen long enough to see.
write_settings wine_run "$(windows_path "$folder")" 5 1 0 0 0
forget_state
timeout --foreground 60 "$PELLORAN_WINE_RUN" "$PELLORAN_WINE_SESSION" "$PELLORAN_SHOW_HOST" preview \
    "$(windows_path "$PELLORAN_SCR")" >/dev/null 2>&1 || fail "the preview's host failed"
! wine_run reg query "$state_key" >/dev/null 2>&1 || fail "the preview kept a state"

start_show 24
watch_colours 24 1 >/dev/null
key_ends_show 24 "the first show"
last=$(reg_value "$(wine_run reg query "$state_key")" Last)
case $last in
a.jpg) next=green ;;
b.jpg) next=blue ;;
c.jpg) next=red ;;
*) fail "the last picture kept in State: '$last'" ;;
esac
[ -z "$(reg_value "$(wine_run reg query "$settings_key")" Last)" ] || fail "a state in Configuration"
start_show 24
expect_equal "$next" "$(watch_colours 24 1)" "the second show's first picture, after $last"
key_ends_show 24 "the second show"
echo "resume: ok"
