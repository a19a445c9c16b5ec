#!/usr/bin/env bash
# `make bench-show`: the show's benchmarks.
# 1. Under Wine, on an Xvfb of its own: the time from the start of
#    `Pelloran.scr /s` to its first picture on screen, for folders of 10,
#    10,000, 30,000, 60,000 and 100,000 files listed in name order as NTFS
#    lists them (symbolic links to one 640 x 480 picture in a tmpfs folder,
#    which lists in the reverse order of creation; Wine 8 sorts every listing by
#    name anyway), and the time Wine takes to start and end a program that does
#    nothing and the largest folder shuffled, for comparison. A run without a
#    picture within the timeout below is reported as "> N s".
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
timeout=120
counts=(10 10000 30000 60000 100000)

build_target win64 "$win64_dir" Pelloran >/dev/null
build_target bench "$bench_dir" pelloran_sort_bench >/dev/null

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
# in reverse name order.
mkdir -p "$work"
convert -size 640x480 xc:'#ff00ff' "$work/picture.jpg"
python3 - "$work/picture.jpg" "$folders" "${counts[@]}" <<'PYTHON'
import os, sys
picture, folders = sys.argv[1:3]
for count in map(int, sys.argv[3:]):
    folder = os.path.join(folders, f"folder-{count}")
    os.mkdir(folder)
    for i in range(count, 0, -1):
        os.symlink(picture, os.path.join(folder, f"IMG_{i:06d}.jpg"))
PYTHON

display=$(cat "$session/display24")
echo "Under Wine ($display), from the start of the program:"
printf '  %-38s' "Wine starting and ending cmd /c exit"
bench/first_picture.py --display "$display" --runs $runs --until-exit -- \
    tests/harness/wine-run.sh "$session" cmd /c exit
# first_picture FOLDER RANDOM LABEL
first_picture() {
    write_settings wine_run "$(windows_path "$1")" 60 1 0 "$2" 0
    printf '  %-38s' "$3"
    bench/first_picture.py --display "$display" --runs $runs --timeout $timeout \
        --colour ff00ff -- tests/harness/wine-run.sh "$session" "$root/$win64_dir/Pelloran.scr" /s
}
for count in "${counts[@]}"; do
    first_picture "$folders/folder-$count" 0 "first picture, $count files in order"
done
# Shuffled, the largest folder costs its listing, the list and one picture.
first_picture "$folders/folder-${counts[-1]}" 1 "first picture, ${counts[-1]} files shuffled"

echo
echo "Natively ($bench_dir), the picture list:"
"$bench_dir/bench/pelloran_sort_bench" 10000 100000
