#!/usr/bin/env bash
# Builds the library and the concurrency test with ThreadSanitizer (the tsan
# preset) and runs it: threads calling every export at once on surfaces of
# their own must leave the bytes of serial calls, and share nothing a race
# report would name.
# usage: run_threads.sh SOURCE_DIR BUILD_DIR
set -euo pipefail
src=$1 build=$2
cmake -S "$src" --preset tsan -B "$build" >/dev/null
cmake --build "$build" -j2 --target pixmill_concurrency
TSAN_OPTIONS=halt_on_error=1:abort_on_error=1 "$build/tests/reliability/pixmill_concurrency" 4 2
