#!/usr/bin/env bash
# Fails on any finding of shellcheck, at every level, in the tracked shell
# scripts. .shellcheckrc lets it follow what the scripts source.
set -euo pipefail
cd "$(dirname "$0")/.."
git ls-files -z '*.sh' .ci/run | xargs -0 shellcheck
