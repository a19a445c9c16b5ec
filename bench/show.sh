#!/usr/bin/env bash
# `make bench-show`: the show's benchmarks.
# 1. Under Wine, on an Xvfb of its own: the time from the start of
#    `Pelloran.scr /s` to its first picture on screen, for folders of 10,
#    10,000, 30,000, 60,000 and 100,000 files listed in name order as NTFS
#    lists them (hard links to one 640 x 480 picture in a tmpfs folder, which
#    lists in the reverse order of creation; Wine 8 sorts every listing by name
#    anyway), and the time Wine takes to start and end a program that does
#    nothing, to list the largest folder as the show's walk does (this tree's
#    show_host), and the largest folder shuffled, for comparison; the first picture
#    of a library of 100,000 pictures in 1,000 folders (20 years of 50 albums
#    of 100), in name order and shuffled; and the time from a key pressed while
#    the show decodes a 36-megapixel progressive photo (7200 x 5400, 4:4:4,
#    quality 100) to the end of the program, the worst of 3, and the same for a
#    132-megapixel PNG of noise (11500 x 11500); and show_host's stops of the
#    decode of such a PNG, of one colour (some 2.6 megapixels of the picture in
#    each 8 KB that the decoder reads at a time: the longest stretch between
#    two reads) and of noise (the longest decode). A run without a
#    picture within the timeout (PELLORAN_BENCH_SHOW_TIMEOUT seconds, 120 unless
#    set) is reported as "> N s". The folders are hard links rather than
#    symbolic links because that is what a folder of photos is to Wine: a link
#    costs it a second look-up for every name listed. And the show with Motion
#    on, its picture fitted to the 1024 x 768 screen: the program's processor
#    time over 10 s of motion, and a key pressed while the picture moves to the
#    end of the program.
# 2. Natively, optimised: filling and ordering the picture list for 10,000 and
#    100,000 names as listings deliver them (sorted, reversed, unsorted).
# PELLORAN_WIN64_DIR and PELLORAN_BENCH_DIR name other build trees than
# build/win64 and build/bench.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/helpers.sh
root=$PWD
win64_dir=${PELLORAN_WIN64_DIR:-build/win64}
bench_dir=${PELLORAN_BENCH_DIR:-build/bench}
work=$root/build/bench-show
runs=5
timeout=${PELLORAN_BENCH_SHOW_TIMEOUT:-120}
counts=(10 10000 30000 60000 100000)

build_target win64 "$win64_dir" Pelloran >/dev/null
build_target win64 build/win64 show_host >/dev/null
build_target bench "$bench_dir" pelloran_sort_bench >/dev/null
build_target bench "$bench_dir" make_photo >/dev/null

session=$work/wine
folders=$(mktemp -d -p /dev/shm pelloran-bench-show.XXXXXX)
cleanup() {
    tests/harness/wine-session.sh stop "$session"
    rm -rf "$folders"
}
trap cleanup EXIT
trap 'exit 1' INT TERM
tests/harness/wine-session.sh start "$session"
wine_run() {
    tests/harness/wine-run.sh "$session" "$@" </dev/null >/dev/null 2>&1
}

# The folders: one magenta picture, linked under camera-style names, created
# in reverse name order; the library; the photo after a magenta picture.
mkdir -p "$work"
convert -size 640x480 xc:'#ff00ff' "$folders/picture.jpg"
python3 - "$folders/picture.jpg" "$folders" "${counts[@]}" <<'PYTHON'
import os, sys
picture, folders = sys.argv[1:3]
for count in map(int, sys.argv[3:]):
    folder = os.path.join(folders, f"folder-{count}")
    os.mkdir(folder)
    for i in range(count, 0, -1):
        os.link(picture, os.path.join(folder, f"IMG_{i:06d}.jpg"))
for year in range(2005, 2025):
    for album in range(50, 0, -1):
        folder = os.path.join(folders, "library", str(year), f"Album {album:02d}")
        os.makedirs(folder)
        for i in range(100, 0, -1):
            os.link(picture, os.path.join(folder, f"IMG_{i:04d}.jpg"))
PYTHON
mkdir "$folders/decode"
cp "$folders/picture.jpg" "$folders/decode/a.jpg"
cp "$folders/picture.jpg" "$folders/decode/b.jpg"
[ -f "$work/photo-36mp.jpg" ] ||
    "$bench_dir/tools/make_photo" 7200 5400 "$work/photo-36mp.jpg" progressive 444 quality=100
cp "$work/photo-36mp.jpg" "$folders/decode/c.jpg"
# The PNG files: an 8-bit RGB picture, one row at a time through zlib.
for kind in one-colour noise; do
    [ -f "$work/png-132mp-$kind.png" ] || python3 - "$kind" "$work/png-132mp-$kind.png" <<'PYTHON'
import os, struct, sys, zlib
kind, path = sys.argv[1:3]
side = 11500
def chunk(out, name, data):
    out.write(struct.pack(">I", len(data)) + name + data + struct.pack(">I", zlib.crc32(name + data)))
with open(path, "wb") as out:
    out.write(b"\x89PNG\r\n\x1a\n")
    chunk(out, b"IHDR", struct.pack(">IIBBBBB", side, side, 8, 2, 0, 0, 0))
    packer = zlib.compressobj(6 if kind == "one-colour" else 1)
    red = b"\x00" + b"\xe6\x1e\x1e" * side
    for _ in range(side):
        data = packer.compress(red if kind == "one-colour" else b"\x00" + os.urandom(3 * side))
        if data:
            chunk(out, b"IDAT", data)
    chunk(out, b"IDAT", packer.flush())
    chunk(out, b"IEND", b"")
PYTHON
done
mkdir "$folders/decode-png"
cp "$folders/picture.jpg" "$folders/decode-png/a.jpg"
cp "$folders/picture.jpg" "$folders/decode-png/b.jpg"
cp "$work/png-132mp-noise.png" "$folders/decode-png/c.png"

display=$(cat "$session/display24")
echo "Under Wine ($display), from the start of the program:"
printf '  %-52s' "Wine starting and ending cmd /c exit"
bench/first_picture.py --display "$display" --runs $runs --until-exit -- \
    tests/harness/wine-run.sh "$session" cmd /c exit
printf '  %-52s' "Wine listing ${counts[-1]} files (show_host list)"
bench/first_picture.py --display "$display" --runs $runs --until-exit -- \
    tests/harness/wine-run.sh "$session" build/win64/tests/e2e/show_host.exe list \
    "$(windows_path "$folders/folder-${counts[-1]}")"
# Each run is a first show: the state the run before kept is forgotten first.
# first_picture FOLDER RANDOM LABEL [RUNS [OPTION...]]
first_picture() {
    write_settings wine_run "$(windows_path "$1")" 60 1 0 "$2" 0
    printf '  %-52s' "$3"
    bench/first_picture.py --display "$display" --runs "${4:-$runs}" --timeout "$timeout" \
        --before "tests/harness/wine-run.sh '$session' reg delete '${settings_key%Configuration}State' /f" \
        --colour ff00ff "${@:5}" -- \
        tests/harness/wine-run.sh "$session" "$(realpath -m "$win64_dir")/Pelloran.scr" /s
}
for count in "${counts[@]}"; do
    first_picture "$folders/folder-$count" 0 "first picture, $count files in order"
done
# Shuffled, the largest folder costs its listing, the list and one picture.
first_picture "$folders/folder-${counts[-1]}" 1 "first picture, ${counts[-1]} files shuffled"
first_picture "$folders/library" 0 "first picture, 100000 in 1000 subfolders in order"
first_picture "$folders/library" 1 "first picture, 100000 in 1000 subfolders shuffled"
# The photo's decode starts when the magenta b.jpg is drawn.
first_picture "$folders/decode" 0 "a key during a 36 MP decode, to the end" 3 --key-after 0.2
first_picture "$folders/decode-png" 0 "a key during a 132 MP PNG decode, to the end" 3 \
    --key-after 0.2

# The moving show: the process's processor time over 10 s of a picture fitted
# to the whole 1024 x 768 screen and moving, and a key during the motion to the
# program's end.
write_settings wine_run "$(windows_path "$folders/decode")" 60 1 0 0 0
for name in Fit Motion; do
    wine_run reg add "$settings_key" /v "$name" /t REG_DWORD /d 1 /f
done
tests/harness/wine-run.sh "$session" "$(realpath -m "$win64_dir")/Pelloran.scr" /s \
    </dev/null >/dev/null 2>&1 &
moving=$!
centre() {
    import -display "$display" -window root -crop 1x1+512+384 -depth 8 txt:- 2>/dev/null |
        grep -qi '#FF00FF'
}
for _ in $(seq $((timeout * 10))); do
    centre && break
    sleep 0.1
done
shown=$(pgrep -n -x 'Pelloran.scr' || true)
ticks() {
    awk '{ print $14 + $15 }' "/proc/$1/stat"
}
if [ -n "$shown" ] && centre; then
    before=$(ticks "$shown")
    sleep 10
    after=$(ticks "$shown")
    printf '  %-52s%5d %% of one core\n' "the moving show, 1024 x 768, over 10 s" \
        $(((after - before) * 100 / (10 * $(getconf CLK_TCK))))
else
    printf '  %-52s%s\n' "the moving show, 1024 x 768, over 10 s" "no picture"
fi
DISPLAY=$display xdotool key a
wait "$moving" || true
first_picture "$folders/decode" 0 "a key while the picture moves, to the end" 3 --key-after 2
for name in Fit Motion; do
    wine_run reg delete "$settings_key" /v "$name" /f
done

echo
echo "Under Wine, a 132 MP PNG's decode fitted to 1920 x 1080, stopped (show_host stop):"
for kind in one-colour noise; do
    printf '  %-12s' "$kind"
    tests/harness/wine-run.sh "$session" build/win64/tests/e2e/show_host.exe stop \
        "$(windows_path "$work/png-132mp-$kind.png")" 2>/dev/null
done

echo
echo "Natively ($bench_dir), the picture list:"
"$bench_dir/bench/pelloran_sort_bench" 10000 100000
