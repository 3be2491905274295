#!/usr/bin/env bash
# Builds the fuzz target with clang (libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer, every report fatal) and runs it for SECONDS
# seconds from the committed seed corpus. New inputs go to BUILD_DIR/corpus,
# a crashing input to BUILD_DIR/crash-*.
# usage: run_fuzz.sh SOURCE_DIR BUILD_DIR [SECONDS]
set -euo pipefail
src=$1 build=$2 seconds=${3:-60}
flags="-fsanitize=fuzzer-no-link,address,undefined,float-cast-overflow -fno-sanitize-recover=all -fno-omit-frame-pointer"
cmake -S "$src/tests/variants/reliability" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DCMAKE_CXX_COMPILER=clang++ -DPIXMILL_PROGRAM=fuzz -DCMAKE_CXX_FLAGS="$flags" \
      -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" >/dev/null
cmake --build "$build" -j2
mkdir -p "$build/corpus"
symbolizer=/usr/lib/llvm-14/bin/llvm-symbolizer
[ -x "$symbolizer" ] && export ASAN_SYMBOLIZER_PATH=$symbolizer
ASAN_OPTIONS=abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  "$build/pixmill_fuzz" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=96 -len_control=0 -print_final_stats=1 \
  -artifact_prefix="$build/" "$build/corpus" "$src/tests/reliability/corpus"
