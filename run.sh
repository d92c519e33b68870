#!/usr/bin/env bash
# Builds the IDE (release) and starts it from its program folder; arguments go to the IDE.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh build >&2
cmake --preset release >/dev/null
cmake --build --preset release >&2
exec build/release/bin/zemblo "$@"
