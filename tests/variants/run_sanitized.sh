#!/usr/bin/env bash
# Builds the unit suite with AddressSanitizer and UndefinedBehaviorSanitizer
# (signed overflow, out-of-range float-to-int conversion, misaligned access,
# out-of-bounds reads and writes: all fatal) and runs it.
# usage: run_sanitized.sh SOURCE_DIR BUILD_DIR
set -euo pipefail
src=$1 build=$2
flags="-fsanitize=address,undefined,float-cast-overflow -fno-sanitize-recover=all -fno-omit-frame-pointer"
cmake -S "$src" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPIXMILL_CROSS_CHECKS=OFF \
      -DPIXMILL_BUILD_TOOLS=OFF -DCMAKE_C_FLAGS="$flags" -DCMAKE_CXX_FLAGS="$flags" \
      -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" \
      -DCMAKE_SHARED_LINKER_FLAGS="-fsanitize=address,undefined" >/dev/null
cmake --build "$build" -j2
ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir "$build" -j2 --output-on-failure
