#!/usr/bin/env bash
# Builds the unit suite for 32-bit x86 Linux (stdcall exports, 4-byte pointers,
# the Win32 descriptor layout) and runs it under qemu-i386.
# usage: run_i386.sh SOURCE_DIR BUILD_DIR
set -euo pipefail
src=$1 build=$2
cmake -S "$src" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$src/cmake/toolchain-i386-linux.cmake" \
      -DCMAKE_BUILD_TYPE=Release -DPIXMILL_GTEST_FROM_SOURCE=ON -DPIXMILL_BUILD_TOOLS=OFF >/dev/null
cmake --build "$build" -j2
ctest --test-dir "$build" -j2 --output-on-failure
