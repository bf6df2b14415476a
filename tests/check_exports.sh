#!/bin/sh
# The shared library exports IZOLAN and no other symbol of its own.
set -eu
lib="$1"
symbols=$(nm -D --defined-only "$lib" | awk '{print $3}')
echo "$symbols"
[ "$symbols" = "IZOLAN" ]
