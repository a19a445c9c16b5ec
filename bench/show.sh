#!/usr/bin/env bash
# `make bench-show`: the show's benchmarks.
# 1. Under Wine, on an Xvfb of its own: the time from the start of
#    `Pelloran.scr /s` to its first picture on screen, for folders of 10 and
#    10,000 files (hard links to one 640 x 480 picture; the disk's directory
#    lists them in no particular order), for 10,000 files listed in name order
#    as NTFS lists them (symbolic links in a tmpfs folder, which lists in the
#    reverse order of creation), and the time Wine takes to start and end a
#    program that does nothing, for comparison.
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

build_target win64 "$win64_dir" Pelloran >/dev/null
build_target bench "$bench_dir" pelloran_sort_bench >/dev/null

session=$work/wine
sorted_folder=$(mktemp -d -p /dev/shm pelloran-bench-show.XXXXXX)
cleanup() {
    tests/harness/wine-session.sh stop "$session"
    rm -rf "$sorted_folder"
}
trap cleanup EXIT
tests/harness/wine-session.sh start "$session"
wine_run() {
    tests/harness/wine-run.sh "$session" "$@" </dev/null >/dev/null 2>&1
}

# The folders: one magenta picture, linked under camera-style names.
mkdir -p "$work"
convert -size 640x480 xc:'#ff00ff' "$work/picture.jpg"
python3 - "$work" "$sorted_folder" <<'PYTHON'
import os, sys
work = sys.argv[1]
for count in (10, 10000):
    folder = os.path.join(work, f"folder-{count}")
    if os.path.isdir(folder) and len(os.listdir(folder)) == count:
        continue
    os.makedirs(folder, exist_ok=True)
    for name in os.listdir(folder):
        os.remove(os.path.join(folder, name))
    for i in range(1, count + 1):
        os.link(os.path.join(work, "picture.jpg"), os.path.join(folder, f"IMG_{i:06d}.jpg"))
sorted_folder = sys.argv[2]
for i in range(10000, 0, -1):
    os.symlink(os.path.join(work, "picture.jpg"), os.path.join(sorted_folder, f"IMG_{i:06d}.jpg"))
PYTHON

display=$(cat "$session/display24")
echo "Under Wine ($display), from the start of the program:"
printf '  %-38s' "Wine starting and ending cmd /c exit"
bench/first_picture.py --display "$display" --runs $runs --until-exit -- \
    tests/harness/wine-run.sh "$session" cmd /c exit
first_picture() {
    write_settings wine_run "$(windows_path "$1")" 60 1 0 0 0
    printf '  %-38s' "$2"
    bench/first_picture.py --display "$display" --runs $runs --colour ff00ff -- \
        tests/harness/wine-run.sh "$session" "$root/$win64_dir/Pelloran.scr" /s
}
first_picture "$work/folder-10" "first picture, 10 files"
first_picture "$work/folder-10000" "first picture, 10000 files"
first_picture "$sorted_folder" "first picture, 10000 files in order"

echo
echo "Natively ($bench_dir), the picture list:"
"$bench_dir/bench/pelloran_sort_bench" 10000 100000
