#!/usr/bin/env bash
# Builds Pixmill.dll with the i686 MinGW cross compiler and checks its export table.
# usage: build_dll.sh SOURCE_DIR BUILD_DIR PYTHON
set -euo pipefail
src=$1 build=$2 python=$3
cmake -S "$src" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$src/cmake/toolchain-i686-mingw.cmake" \
      -DCMAKE_BUILD_TYPE=Release -DPIXMILL_BUILD_TESTS=OFF -DPIXMILL_BUILD_TOOLS=OFF >/dev/null
cmake --build "$build" --target pixmill -j2
"$python" "$src/tests/variants/check_exports.py" --header "$src/include/pixmill.h" --dll "$build/Pixmill.dll"
