#!/usr/bin/env bash
# Builds the engine and runs every test.
#   scripts/run_tests.sh [extra cmake options]   (build directory: build-tests)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${ZOLAN_BUILD_DIR:-$root/build-tests}
"$root/scripts/ensure_tools.sh"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
cmake --build "$build" -j2
ctest --test-dir "$build" -j2 --output-on-failure
