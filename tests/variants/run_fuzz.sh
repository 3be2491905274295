#!/usr/bin/env bash
# Builds the fuzz target with the fuzz preset (clang, libFuzzer,
# AddressSanitizer and UndefinedBehaviorSanitizer, every report fatal) and runs it for SECONDS
# seconds from the committed seed corpus. New inputs go to BUILD_DIR/corpus,
# a crashing input to BUILD_DIR/crash-*.
# usage: run_fuzz.sh SOURCE_DIR BUILD_DIR [SECONDS]
set -euo pipefail
src=$1 build=$2 seconds=${3:-60}
cmake -S "$src" --preset fuzz -B "$build" >/dev/null
cmake --build "$build" -j2 --target pixmill_fuzz
mkdir -p "$build/corpus"
symbolizer=/usr/lib/llvm-14/bin/llvm-symbolizer
[ -x "$symbolizer" ] && export ASAN_SYMBOLIZER_PATH=$symbolizer
ASAN_OPTIONS=abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  "$build/tests/reliability/pixmill_fuzz" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=96 -len_control=0 -print_final_stats=1 \
  -artifact_prefix="$build/" "$build/corpus" "$src/tests/reliability/corpus"
