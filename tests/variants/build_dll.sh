#!/usr/bin/env bash
# Cross-builds Pixmill.dll and the Windows family-calls program with Debian's
# MinGW-w64 compiler for one architecture.
# usage: build_dll.sh SOURCE_DIR BUILD_DIR i686|x86_64
set -euo pipefail
src=$1 build=$2 arch=$3
cmake -S "$src" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$src/cmake/toolchain-$arch-mingw.cmake" \
      -DCMAKE_BUILD_TYPE=Release -DPIXMILL_BUILD_TESTS=ON -DPIXMILL_BUILD_TOOLS=OFF >/dev/null
cmake --build "$build" -j2
