#!/usr/bin/env bash
# Fails when the engine's folders include each other in a cycle. The line
# formatter and the output sinks (engine/format.hpp, engine/run_output.hpp)
# are leaf headers: they include only the standard library, so every folder
# may use them, and they do not count as an edge.
set -euo pipefail
root=${1:-$(cd "$(dirname "$0")/.." && pwd)}
cd "$root"
folders=(engine model methods capacity settlement)
leaves='^(engine/format\.hpp|engine/run_output\.hpp)$'

status=0
for leaf in engine/format.hpp engine/run_output.hpp; do
  if grep -E '^#include "' "$leaf" | grep -vE '"engine/(format|run_output)\.hpp"' | grep -q .; then
    echo "leaf header $leaf includes a project header" >&2
    status=1
  fi
done

edges=$(for f in "${folders[@]}"; do
  grep -HoE '^#include "[a-z_]+/[a-z_]+\.hpp"' "$f"/*.cpp "$f"/*.hpp 2>/dev/null |
    sed -E 's#^([a-z_]+)/[^:]*:\#include "([a-z_]+/[a-z_]+\.hpp)"#\1 \2#'
done | while read -r from header; do
  [[ $header =~ $leaves ]] && continue
  to=${header%%/*}
  [ "$from" != "$to" ] && echo "$from $to"
done | sort -u)

echo "$edges"
if ! echo "$edges" | tsort >/dev/null 2>/tmp/tsort.$$; then
  echo "include cycle between folders:" >&2
  cat /tmp/tsort.$$ >&2
  status=1
fi
rm -f /tmp/tsort.$$
exit $status
