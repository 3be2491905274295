#!/usr/bin/env bash
# Builds the benchmarks (Release, with whichever of OpenCV and pixman are
# installed) and prints the performance table. Extra arguments go to table.py,
# e.g. --repetitions 5 or --filter Blur.
# usage: bench/table.sh [BUILD_DIR] [table.py options]
set -euo pipefail
src=$(cd "$(dirname "$0")/.." && pwd)
build=$src/build-bench
if [[ $# -gt 0 && $1 != -* ]]; then build=$1; shift; fi
cmake -S "$src" -B "$build" -DCMAKE_BUILD_TYPE=Release -DPIXMILL_BUILD_BENCH=ON -DPIXMILL_BUILD_TESTS=OFF \
      -DPIXMILL_BUILD_TOOLS=OFF -DPIXMILL_CROSS_CHECKS=OFF >&2
cmake --build "$build" -j2 --target pixmill_bench >&2
python3 "$src/bench/table.py" "$build/bench/pixmill_bench" "$@"
