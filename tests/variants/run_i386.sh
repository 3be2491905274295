#!/usr/bin/env bash
# Builds the unit suite, the reliability checks (guard pages, missing and
# empty surfaces) and the every-level driver for 32-bit x86 Linux (stdcall
# exports, 4-byte pointers, the Win32 descriptor layout) with the i386 preset,
# or with i386-asan (AddressSanitizer and UndefinedBehaviorSanitizer) when
# asked, and runs them: natively where this host runs 32-bit programs, under
# qemu-i386 -cpu max elsewhere (which emulates up to AVX2, so the levels above
# it are not run). The driver runs every level twice, the second time calling
# every export from a stack at 4 mod 16; the reliability checks run once per level.
# Exit 77 (skipped) when the sanitizers cannot run on this host.
# usage: run_i386.sh SOURCE_DIR BUILD_DIR [sanitized]
set -euo pipefail
src=$1 build=$2 mode=${3:-plain}
preset=i386 name="i386 suite"
[ "$mode" = sanitized ] && preset=i386-asan name="i386 sanitized suite"
mkdir -p "$build"
probe=$build/probe-i386
echo 'int main(void) { return 0; }' | cc -m32 -x c - -o "$probe" ||
  { echo "$name: no 32-bit compiler (Debian: g++-multilib)"; exit 1; }
avx512=OFF
if "$probe" 2>/dev/null; then
  runner=""
  # Natively the suite runs every level the processor has, so this build may
  # choose AVX-512 too: the suite is what proves it.
  avx512=ON
  echo "$name: this host runs 32-bit programs natively"
else
  command -v qemu-i386 >/dev/null || { echo "$name: this host runs no 32-bit programs and qemu-i386 is missing (Debian: qemu-user)"; exit 1; }
  runner="qemu-i386;-cpu;max"
  # The sanitizers' shadow memory covers a 32-bit kernel's 3 GB of user
  # addresses; the emulator would otherwise hand out the whole 4 GB.
  [ "$mode" = sanitized ] && runner="qemu-i386;-R;0xc0000000;-cpu;max"
  echo "$name: this host runs no 32-bit programs; running them under ${runner//;/ }"
fi
run=(${runner//;/ })
if [ "$mode" = sanitized ]; then
  export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
  # A read past a heap block must be reported, here or under the emulator
  # (whose address space the sanitizer's shadow memory may not fit).
  printf '#include <stdlib.h>\nint main(int c, char** v) { char* p = malloc(4); (void)v; return p[c + 3]; }\n' |
    cc -m32 -fsanitize=address -x c - -o "$probe-asan" ||
    { echo "$name: no 32-bit AddressSanitizer runtime (Debian: g++-multilib brings lib32asan8)"; exit 1; }
  report=$("${run[@]}" "$probe-asan" 2>&1) && report=""
  if [[ $report != *heap-buffer-overflow* ]]; then
    echo "$name: AddressSanitizer does not run${runner:+ under qemu-i386} on this host: not run"
    exit 77
  fi
fi
# (The i386-asan preset tells the compiler that a caller may align the stack
# to 4 bytes only: the sanitizer's stack frames need 8-byte alignment, and
# -mstackrealign alone leaves them where a 4-byte-aligned call puts them.)
cmake -S "$src" --preset "$preset" -B "$build" -DPIXMILL_I386_RUNNER="$runner" -DPIXMILL_32BIT_AVX512=$avx512 >/dev/null
cmake --build "$build" -j2
ctest --test-dir "$build" -j2 --output-on-failure
# Which levels the suite could run on this host, and what the every-level
# driver said at each (a level this host lacks says it was not run).
"${run[@]}" "$build/tests/pixmill_tests" --gtest_filter=Levels.PixmillIsaNamesOneLevelOrNothing | grep "levels run here"
grep -E '^(scalar|sse2|ssse3|avx2|avx512): ' "$build/Testing/Temporary/LastTest.log"
# The guard pages and missing surfaces at each level ctest ran above at its
# highest only.
for level in $(grep -oE '^(scalar|sse2|ssse3|avx2|avx512): [0-9]+ calls .* give' "$build/Testing/Temporary/LastTest.log" |
               cut -d: -f1 | sort -u); do
  PIXMILL_ISA=$level "${run[@]}" "$build/tests/reliability/pixmill_reliability_tests" --gtest_brief=1 >"$build/reliability-$level.log" 2>&1 ||
    { cat "$build/reliability-$level.log"; echo "$name: the reliability checks fail at $level"; exit 1; }
  echo "$level: guard pages, missing and empty surfaces pass"
done
if [ -n "$runner" ] && [ "$mode" = plain ]; then
  # Older processors, emulated: an instruction above the level a path was
  # chosen for stops the driver there. Haswell has AVX2, Core 2 SSSE3, and
  # qemu32 SSE2 alone.
  for model in Haswell core2duo qemu32; do
    qemu-i386 -cpu "$model" "$build/tests/pixmill_levels" check "$build/tests/level_digests.txt" 2>&1 |
      grep -v "TCG doesn't support" | sed "s/^/qemu-i386 -cpu $model: /"
  done
fi
