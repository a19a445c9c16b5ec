#!/usr/bin/env bash
# Configures (when needed) and builds the given CMake presets.
#   build.sh PRESET...
set -euo pipefail
cd "$(dirname "$0")/.."
for preset in "$@"; do
    if [ ! -f "build/$preset/CMakeCache.txt" ]; then
        cmake --preset "$preset" >/dev/null
    fi
    cmake --build --preset "$preset"
done
