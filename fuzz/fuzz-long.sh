#!/usr/bin/env bash
# A long run of the picture fuzz target (default one hour), keeping what it
# finds between runs:
#   fuzz/fuzz-long.sh BUILD_DIR [SECONDS]
# The corpus grows in BUILD_DIR/fuzz/long/corpus; an input that crashes, hangs
# or leaks is saved in BUILD_DIR/fuzz/long/artifacts and ends the run.
set -euo pipefail
build=$1
seconds=${2:-3600}
work=$build/fuzz/long
mkdir -p "$work/corpus" "$work/artifacts"
"$build/fuzz/make_fuzz_seeds" "$work/seeds"
exec "$build/fuzz/pelloran_picture_fuzz" -max_total_time="$seconds" -max_len=32768 -timeout=30 \
    -close_fd_mask=2 -print_final_stats=1 -artifact_prefix="$work/artifacts/" \
    "$work/corpus" "$work/seeds"
