#!/usr/bin/env bash
# Builds the program and runs an example analysis (default: the English open
# pipe) in a copy of its folder under runs/, with SVG plots, JSON results and
# an HTML page; the program's summary ends with where they went.
#   scripts/run_example.sh [examples/<name>]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
example=${1:-examples/english-open-pipe}
name=$(basename "$example")
"$root/scripts/ensure_tools.sh"
cmake -S "$root" -B "$root/build-release" -DCMAKE_BUILD_TYPE=Release -DZOLAN_TESTS=OFF >/dev/null
cmake --build "$root/build-release" -j2 --target zolan_cli zolan >/dev/null
run="$root/runs/$name"
rm -rf "$run"
mkdir -p "$run"
cp "$root/$example"/* "$run"/
echo "Running $example in $run"
cd "$run"
"$root/build-release/zolan" run . --plots plots --json results.json --html report.html
