#!/usr/bin/env bash
# Installs the build tree into a scratch prefix, builds a small program
# against the installed package (find_package(zolan), zolan::engine) and
# runs it on the English example.
#   check_install.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build=$1
source=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cmake --install "$build" --prefix "$scratch/prefix" >/dev/null
for f in bin/zolan lib/libzolan_engine.a lib/libzolan.so include/zolan/zolan.hpp \
         include/zolan/engine/run.hpp lib/cmake/zolan/zolanConfig.cmake; do
  [ -e "$scratch/prefix/$f" ] || { echo "not installed: $f"; exit 1; }
done
"$scratch/prefix/bin/zolan" --version
cmake -S "$source/tests/install_consumer" -B "$scratch/consumer" \
      -DCMAKE_PREFIX_PATH="$scratch/prefix" >/dev/null
cmake --build "$scratch/consumer" >/dev/null
cp -r "$source/examples/english-open-pipe" "$scratch/example"
out=$("$scratch/consumer/consumer" "$scratch/example")
echo "$out"
# The last row of the API RP 2A table of the example: 60.00 374.6 289.7* 664.3.
[ "$out" = "ultimate at the tip: 664.3" ]
