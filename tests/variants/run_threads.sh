#!/usr/bin/env bash
# Builds the library and the concurrency test with ThreadSanitizer and runs it:
# threads calling every export at once on surfaces of their own must leave the
# bytes of serial calls, and share nothing a race report would name.
# usage: run_threads.sh SOURCE_DIR BUILD_DIR
set -euo pipefail
src=$1 build=$2
flags="-fsanitize=thread"
cmake -S "$src/tests/variants/reliability" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DPIXMILL_PROGRAM=concurrency -DCMAKE_CXX_FLAGS="$flags" \
      -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=thread" >/dev/null
cmake --build "$build" -j2
TSAN_OPTIONS=halt_on_error=1:abort_on_error=1 "$build/pixmill_concurrency" 4 2
