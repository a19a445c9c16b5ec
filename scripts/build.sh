#!/usr/bin/env bash
# Configures (when needed) and builds the given CMake presets. Under CI a tree
# configured earlier without warnings as errors is configured again.
#   build.sh PRESET...
set -euo pipefail
cd "$(dirname "$0")/.."
for preset in "$@"; do
    cache=build/$preset/CMakeCache.txt
    if [ ! -f "$cache" ] ||
        { [ -n "${CI:-}" ] && [ "$CI" != false ] && grep -q '^PELLORAN_WERROR:BOOL=OFF' "$cache"; }; then
        cmake --preset "$preset" >/dev/null
    fi
    cmake --build --preset "$preset"
done
