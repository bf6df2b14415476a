#!/usr/bin/env bash
# Cross-compiles the engine for 64-bit Windows with MinGW-w64: zolan.dll (for
# front ends), zolan.exe (the command-line program) and load_izolan.exe (the
# front end of the Windows test), from the same sources as the Linux build.
#   scripts/build_windows.sh   (build directory: build-windows, or $ZOLAN_WINDOWS_BUILD_DIR)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${ZOLAN_WINDOWS_BUILD_DIR:-$root/build-windows}
"$root/scripts/ensure_tools.sh" g++-mingw-w64-x86-64-posix
cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DZOLAN_TESTS=OFF >/dev/null
cmake --build "$build" -j2 --target zolan zolan_cli load_izolan
echo "built: $build/zolan.dll $build/zolan.exe"
