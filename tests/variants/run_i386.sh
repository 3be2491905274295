#!/usr/bin/env bash
# Builds the unit suite and the every-level driver for 32-bit x86 Linux
# (stdcall exports, 4-byte pointers, the Win32 descriptor layout) with the
# i386 preset and runs them: natively
# where this host runs 32-bit programs, under qemu-i386 -cpu max elsewhere
# (which emulates up to AVX2, so the levels above it are not run).
# usage: run_i386.sh SOURCE_DIR BUILD_DIR
set -euo pipefail
src=$1 build=$2
mkdir -p "$build"
probe=$build/probe-i386
echo 'int main(void) { return 0; }' | cc -m32 -x c - -o "$probe"
avx512=OFF
if "$probe" 2>/dev/null; then
  runner=""
  # Natively the suite runs every level the processor has, so this build may
  # choose AVX-512 too: the suite is what proves it.
  avx512=ON
  echo "i386 suite: this host runs 32-bit programs natively"
else
  command -v qemu-i386 >/dev/null || { echo "i386 suite: this host runs no 32-bit programs and qemu-i386 is missing (Debian: qemu-user)"; exit 1; }
  runner="qemu-i386;-cpu;max"
  echo "i386 suite: this host runs no 32-bit programs; running them under qemu-i386 -cpu max"
fi
cmake -S "$src" --preset i386 -B "$build" -DPIXMILL_I386_RUNNER="$runner" -DPIXMILL_32BIT_AVX512=$avx512 >/dev/null
cmake --build "$build" -j2
ctest --test-dir "$build" -j2 --output-on-failure
# Which levels the suite could run on this host, and what the every-level
# driver said at each (a level this host lacks says it was not run).
${runner//;/ } "$build/tests/pixmill_tests" --gtest_filter=Levels.PixmillIsaNamesOneLevelOrNothing | grep "levels run here"
grep -E '^(scalar|sse2|ssse3|avx2|avx512): ' "$build/Testing/Temporary/LastTest.log"
if [ -n "$runner" ]; then
  # Older processors, emulated: an instruction above the level a path was
  # chosen for stops the driver there. Haswell has AVX2, Core 2 SSSE3, and
  # qemu32 SSE2 alone.
  for model in Haswell core2duo qemu32; do
    qemu-i386 -cpu "$model" "$build/tests/pixmill_levels" check "$build/tests/level_digests.txt" 2>&1 |
      grep -v "TCG doesn't support" | sed "s/^/qemu-i386 -cpu $model: /"
  done
fi
