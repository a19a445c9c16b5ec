# shellcheck shell=bash
# shellcheck disable=SC2154 # settings_key and wait_seconds come from lib.sh, sourced first
# Helpers of the show's end-to-end scripts (after lib.sh): a folder of solid
# colour pictures, the show's settings in the registry, the colours on screen.

# A temporary folder of full-screen pictures: a.jpg red, b.jpg green, c.jpg blue.
make_colour_folder() {
    local folder
    folder=$(mktemp -d)
    convert -size 1024x768 xc:'#ff0000' "$folder/a.jpg"
    convert -size 1024x768 xc:'#00ff00' "$folder/b.jpg"
    convert -size 1024x768 xc:'#0000ff' "$folder/c.jpg"
    echo "$folder"
}

# The show's settings: the folder, one picture a second, centred, large, in
# name order, cleared before each picture.
store_settings() {
    write_settings wine_run "$(windows_path "$1")" 1 1 0 0 0
}

forget_settings() {
    wine_run_seconds=20 wine_run reg delete "$settings_key" /f >/dev/null 2>&1 || true
    forget_state
}

# What the last full-screen show drew, after which the next one goes on.
state_key=${settings_key%Configuration}State
forget_state() {
    wine_run_seconds=20 wine_run reg delete "$state_key" /f >/dev/null 2>&1 || true
}

# The X display of the session at the given depth.
session_display() {
    cat "$PELLORAN_WINE_SESSION/display$1"
}

# The colour at the middle of the screen of the given depth, as RRGGBB
# (hexadecimal); nothing when it cannot be read.
centre_hex() {
    import -display "$(session_display "$1")" -window root -crop 1x1+512+384 -depth 8 txt:- \
        2>/dev/null | sed -n 's/.*#\([0-9A-Fa-f]\{6\}\).*/\1/p'
}

# The colour at the middle of the screen of the given depth: red, green, blue,
# black or other.
centre_colour() {
    colour_name "$(centre_hex "$1")"
}

# The colour of the pixel X,Y of the picture file FILE, named as above.
#   pixel_colour FILE X Y
pixel_colour() {
    colour_name "$(convert "$1" -crop "1x1+$2+$3" -depth 8 txt:- 2>/dev/null |
        sed -n 's/.*#\([0-9A-Fa-f]\{6\}\).*/\1/p')"
}

# The name of the colour RRGGBB (hexadecimal); other for none.
colour_name() {
    local hex=$1 r g b
    [ -n "$hex" ] || {
        echo other
        return
    }
    r=$((16#${hex:0:2})) g=$((16#${hex:2:2})) b=$((16#${hex:4:2}))
    if [ "$r" -gt 160 ] && [ "$g" -lt 90 ] && [ "$b" -lt 90 ]; then
        echo red
    elif [ "$g" -gt 160 ] && [ "$r" -lt 90 ] && [ "$b" -lt 90 ]; then
        echo green
    elif [ "$b" -gt 160 ] && [ "$r" -lt 90 ] && [ "$g" -lt 90 ]; then
        echo blue
    elif [ "$r" -lt 30 ] && [ "$g" -lt 30 ] && [ "$b" -lt 30 ]; then
        echo black
    else
        echo other
    fi
}

# Restarts the session's Wine server with its desktop process on the display
# of the given depth. Under Wine a full-screen window on another display than
# the desktop's loses the activation at once (Wine confines the pointer to a
# full-screen window through the desktop's display), and that ends the show.
desktop_on() {
    WINEPREFIX=$PELLORAN_WINE_SESSION/prefix stop_wine
    PELLORAN_DEPTH=$1 wine_run cmd /c exit </dev/null >/dev/null 2>&1
}

# Puts the mouse pointer at the middle of the display of the given depth, for
# Wine as well as for X. The session's displays share one Wine server and so
# one pointer position: a show started on a display whose X pointer is
# elsewhere would see two positions and end at once.
centre_pointer() {
    PELLORAN_DEPTH=$1 wine_run "$PELLORAN_SHOW_HOST" pointer 512 384 ||
        fail "cannot place the pointer on the $1-bit display"
}

# Starts the full-screen show on the display of the given depth, in the
# background, with the pointer at the middle; its process id is in show_pid.
start_show() {
    centre_pointer "$1"
    PELLORAN_DEPTH=$1 timeout --foreground $((2 * wait_seconds)) "$PELLORAN_WINE_RUN" "$PELLORAN_WINE_SESSION" "$PELLORAN_SCR" /s \
        </dev/null >/dev/null 2>&1 &
    show_pid=$!
}

# Waits for the show to end; fails unless it ended with exit code 0.
expect_show_ends() {
    local code=0
    wait_for "$1: the end of the show" ended "$show_pid"
    wait "$show_pid" || code=$?
    expect_equal 0 "$code" "$1: exit code"
}

# Presses a key on the display of the given depth while the show runs, and
# expects the show to end: a show that had ended before the key fails here, so
# that its end is never taken for the key's.
key_ends_show() {
    kill -0 "$show_pid" 2>/dev/null || fail "$2: the show had ended before the key"
    DISPLAY=$(session_display "$1") xdotool key a
    expect_show_ends "$2"
}

# Whether the middle of the screen of the given depth shows a picture's colour.
picture_at_centre() {
    case $(centre_colour "$1") in
    red | green | blue) return 0 ;;
    *) return 1 ;;
    esac
}

# The distinct colours seen at the middle of the screen over a number of
# samples from the first picture on, in order, without repeats and without what
# is not a picture.
watch_colours() {
    local depth=$1 samples=$2 last="" colour seen=""
    wait_for "a picture on the $depth-bit screen" picture_at_centre "$depth"
    for _ in $(seq "$samples"); do
        colour=$(centre_colour "$depth")
        case $colour in
        red | green | blue)
            if [ "$colour" != "$last" ]; then
                seen="$seen $colour"
                last=$colour
            fi
            ;;
        esac
        sleep 0.2
    done
    echo "${seen# }"
}

# A folder, named in blocked_folder, of a red a.jpg, a green b.jpg and c.jpg,
# a FIFO that this script holds open for writing on descriptor 3 and never
# writes to: the show's open of c.jpg succeeds and its read blocks, as on a
# share that stopped answering. The programs started while it is held are
# given `3>&-`, so that only the show's read counts as a reader of it.
hold_blocked_folder() {
    blocked_folder=$(mktemp -d)
    convert -size 1024x768 xc:'#ff0000' "$blocked_folder/a.jpg"
    convert -size 1024x768 xc:'#00ff00' "$blocked_folder/b.jpg"
    mkfifo "$blocked_folder/c.jpg"
    exec 3<>"$blocked_folder/c.jpg"
}

release_blocked_folder() {
    exec 3>&-
    rm -rf "$blocked_folder"
}

# Whether a process besides this script has c.jpg open: the show, reading it.
blocked_read_started() {
    [ "$(exec 3>&-; find /proc/[0-9]*/fd -lname "$blocked_folder/c.jpg" 2>/dev/null | wc -l)" -ge 2 ]
}

# Whether the middle of the 24-bit screen is green.
centre_green() {
    [ "$(centre_colour 24)" = green ]
}

# Waits for the green b.jpg and the show's read of c.jpg after it, presses a
# key, and fails unless the show (show_pid) ends within a second of it; the
# time it took is in elapsed_ms.
#   key_ends_blocked_show WHAT
key_ends_blocked_show() {
    local start
    wait_for "the green picture before c.jpg" centre_green
    wait_for "the show's read of c.jpg" blocked_read_started
    start=$(date +%s%N)
    key_ends_show 24 "$1"
    elapsed_ms=$((($(date +%s%N) - start) / 1000000))
    [ "$elapsed_ms" -lt 1000 ] || fail "the program ended $elapsed_ms ms after the key"
}
