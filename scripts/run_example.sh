#!/usr/bin/env bash
# Builds the engine and runs an example analysis (default: the English open
# pipe) in a scratch copy of its folder, then prints the report.
#   scripts/run_example.sh [examples/<name>]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
example=${1:-examples/english-open-pipe}
"$root/scripts/ensure_tools.sh"
cmake -S "$root" -B "$root/build-release" -DCMAKE_BUILD_TYPE=Release -DZOLAN_TESTS=OFF >/dev/null
cmake --build "$root/build-release" -j2 --target zolan_cli zolan >/dev/null
work=$(mktemp -d)
cp "$root/$example"/* "$work"/
status=0
"$root/build-release/zolan" run "$work" || status=$?
report=$(sed -n 6p "$work/names.dat" | tr -d '\r' | sed 's/ *$//')
echo
echo "==== report $work/$report (run result $status) ===="
cat "$work/$report"
exit $status
