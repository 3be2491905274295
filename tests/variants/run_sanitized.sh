#!/usr/bin/env bash
# Builds the unit and reliability suites with AddressSanitizer and
# UndefinedBehaviorSanitizer (signed overflow, out-of-range float-to-int
# conversion, misaligned access, out-of-bounds reads and writes: all fatal)
# with the asan preset, and runs them.
# usage: run_sanitized.sh SOURCE_DIR BUILD_DIR
set -euo pipefail
src=$1 build=$2
cmake -S "$src" --preset asan -B "$build" >/dev/null
cmake --build "$build" -j2
ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir "$build" -j2 --output-on-failure
