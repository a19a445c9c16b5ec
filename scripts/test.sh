#!/usr/bin/env bash
# Builds everything and runs every test: the native unit tests (under the
# sanitizers; the show's worker hand-over under ThreadSanitizer as well; all
# of them again as 32-bit programs under qemu-i386, with the shipped build's
# 32-bit size_t), the stack alignment of the 32-bit program's code and its
# large-address-awareness, the 32-bit program end to end under a 32-bit Wine
# run by qemu-i386, the Windows tests and the end-to-end tests under Wine and
# Xvfb, and a short run of the picture fuzz target.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh native tsan core32 win32 win64 fuzz
ctest --preset native
ctest --preset tsan
ctest --preset core32
scripts/check-stack-alignment.py build/win32
# The 32-bit program may use the 4 GB that 64-bit Windows gives it.
i686-w64-mingw32-objdump -p build/win32/Pelloran.scr | grep 'large address aware' >/dev/null ||
    { echo "build/win32/Pelloran.scr is not large-address-aware" >&2; exit 1; }
scripts/setup-wine32.sh
tests/harness/crash-watch.sh build/win32/wine win32_smoke tests/e2e/win32_smoke.sh build/win32
ctest --preset win64
ctest --preset fuzz
