#!/usr/bin/env bash
# Builds everything and runs every test: the native unit tests (under the
# sanitizers; the show's worker hand-over under ThreadSanitizer as well), the stack alignment of the 32-bit program's code, the Windows
# tests and the end-to-end tests under Wine and Xvfb, and a short run of the
# picture fuzz target.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh native tsan win32 win64 fuzz
ctest --preset native
ctest --preset tsan
scripts/check-stack-alignment.py build/win32
ctest --preset win64
ctest --preset fuzz
