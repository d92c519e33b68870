#!/usr/bin/env bash
# Builds everything under AddressSanitizer and UndefinedBehaviorSanitizer and runs every
# test: core, widgets (offscreen), end-to-end, and the fuzz corpora.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh build test
cmake --preset asan
cmake --build --preset asan
export QT_QPA_PLATFORM=offscreen
jobs=$(nproc 2>/dev/null || echo 2)
ctest --preset asan -j "$jobs" "$@"
