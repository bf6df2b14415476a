#!/usr/bin/env bash
# Builds the benchmarks in Release and prints the median of each.
#   scripts/bench.sh [repetitions] [extra benchmark options]
# (build directory: build-bench, or $ZOLAN_BUILD_DIR)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${ZOLAN_BUILD_DIR:-$root/build-bench}
repetitions=${1:-10}
shift || true
"$root/scripts/ensure_tools.sh" libbenchmark-dev
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DZOLAN_TESTS=OFF -DZOLAN_BENCH=ON >/dev/null
cmake --build "$build" -j2 --target zolan_bench >/dev/null
"$build/bench/zolan_bench" --benchmark_repetitions="$repetitions" \
  --benchmark_report_aggregates_only=true "$@" | grep -E '^(-|Benchmark|.*_median)'
