#!/usr/bin/env bash
# Cross-builds Pixmill.dll and the Windows family-calls program with Debian's
# MinGW-w64 compiler, with the dll32 or dll64 preset.
# usage: build_dll.sh SOURCE_DIR BUILD_DIR dll32|dll64
set -euo pipefail
src=$1 build=$2 preset=$3
cmake -S "$src" --preset "$preset" -B "$build" >/dev/null
cmake --build "$build" -j2
