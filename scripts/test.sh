#!/usr/bin/env bash
# Builds everything and runs every test: the native unit tests (under the
# sanitizers), the Windows tests and the end-to-end tests under Wine and Xvfb.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh native win32 win64
ctest --preset native
ctest --preset win64
