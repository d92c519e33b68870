#!/usr/bin/env bash
# Builds the benchmarks (release) and runs each one: our figure, the peer's figure on the
# same data in the same run, and the ratio ours/peer.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh build bench
cmake --preset bench >/dev/null
cmake --build --preset bench
export QT_QPA_PLATFORM=offscreen
status=0
for b in build/bench/bench/*/bench_*; do
  [ -f "$b" ] && [ -x "$b" ] || continue
  echo "== $(basename "$b")"
  "$b" --benchmark_counters_tabular=true "$@" || status=1
done
exit $status
