#!/usr/bin/env bash
# Builds the fuzz target with the fuzz preset (clang, libFuzzer,
# AddressSanitizer and UndefinedBehaviorSanitizer, every report fatal) and runs it for SECONDS
# seconds from the committed seed corpus, then prints the number of calls
# made ("N calls") and the coverage reached. New inputs go to BUILD_DIR/corpus,
# a crashing input to BUILD_DIR/crash-*, the fuzzer's whole output to
# BUILD_DIR/fuzz.log.
# usage: run_fuzz.sh SOURCE_DIR BUILD_DIR [SECONDS]
set -euo pipefail
src=$1 build=$2 seconds=${3:-60}
cmake -S "$src" --preset fuzz -B "$build" >/dev/null
cmake --build "$build" -j2 --target pixmill_fuzz
mkdir -p "$build/corpus"
symbolizer=/usr/lib/llvm-14/bin/llvm-symbolizer
[ -x "$symbolizer" ] && export ASAN_SYMBOLIZER_PATH=$symbolizer
# The target allocates nothing but its surfaces: no allocation stacks, no
# fill of fresh blocks (the target fills them) and a small quarantine keep
# AddressSanitizer's cost per call low without missing an overrun.
export ASAN_OPTIONS=abort_on_error=1:malloc_context_size=0:max_malloc_fill_size=0:quarantine_size_mb=8
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
log=$build/fuzz.log
status=0
"$build/tests/reliability/pixmill_fuzz" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=96 \
  -len_control=0 -print_final_stats=1 -artifact_prefix="$build/" "$build/corpus" "$src/tests/reliability/corpus" \
  >"$log" 2>&1 || status=$?
if [ "$status" -ne 0 ]; then
  tail -n 80 "$log"
  echo "the fuzzer stopped (exit $status); its input is in $build/crash-* or $build/timeout-*"
  exit "$status"
fi
grep -E 'DONE|stat::' "$log" || true
echo "$(awk '/stat::number_of_executed_units/ { print $2 }' "$log") calls"
