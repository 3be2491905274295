#!/usr/bin/env bash
# The 32-bit build's speed against the 64-bit build's on this machine: builds
# pixmill_speed (bench/speed_32_64.cpp) as x86-64 and as i386 code, runs each
# once, and prints per workload the 32-bit and 64-bit times and the 32-bit
# build's speed as a fraction of the 64-bit build's. Natively only: on a host
# that runs no 32-bit programs it says so and stops (an emulator's times say
# nothing about the code). The 32-bit build may choose AVX-512 here, as the
# i386 suite does when it runs natively. Extra arguments: a workload filter.
# usage: bench/compare_32_64.sh [BUILD_DIR] [FILTER]
set -euo pipefail
src=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$src/build-speed}
filter=${2:-}
mkdir -p "$build"
echo 'int main(void) { return 0; }' | cc -m32 -x c - -o "$build/probe-i386" 2>/dev/null ||
  { echo "compare_32_64: no 32-bit compiler (Debian: g++-multilib)"; exit 1; }
if ! "$build/probe-i386" 2>/dev/null; then
  echo "compare_32_64: this host runs no 32-bit programs; the 32-bit build's speed can only be measured natively: nothing measured"
  exit 1
fi
common=(-DCMAKE_BUILD_TYPE=Release -DPIXMILL_BUILD_SPEED=ON -DPIXMILL_BUILD_TESTS=OFF -DPIXMILL_BUILD_TOOLS=OFF
        -DPIXMILL_CROSS_CHECKS=OFF)
cmake -S "$src" -B "$build/64" "${common[@]}" >/dev/null
cmake -S "$src" -B "$build/32" "${common[@]}" -DCMAKE_TOOLCHAIN_FILE="$src/cmake/toolchain-i386-linux.cmake" \
      -DPIXMILL_32BIT_AVX512=ON >/dev/null
for bits in 64 32; do cmake --build "$build/$bits" -j2 --target pixmill_speed >/dev/null; done
"$build/32/bench/pixmill_speed" "$filter" >"$build/times32.txt"
"$build/64/bench/pixmill_speed" "$filter" >"$build/times64.txt"
echo "$(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ //'), 1920 x 1080, median of the calls in 0.4 s"
awk -F'\t' 'NR == FNR { t32[$1] = $2; next }
            FNR == 1 { printf "%-44s %12s %12s %8s\n", "workload", "32-bit ms", "64-bit ms", "32/64" }
            { printf "%-44s %12.3f %12.3f %7.2fx\n", $1, t32[$1] / 1e6, $2 / 1e6, $2 / t32[$1] }' \
    "$build/times32.txt" "$build/times64.txt"
