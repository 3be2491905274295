#!/usr/bin/env bash
# Installs the build into a fresh prefix (or takes an installed tree), then
# builds and runs a consumer against it twice: through find_package(Pixmill)
# and through pkg-config.
# usage: check_install.sh SOURCE_DIR BUILD_DIR WORK_DIR
#        check_install.sh SOURCE_DIR --prefix PREFIX WORK_DIR   (an installed tree, e.g. unpacked packages)
set -euo pipefail
src=$1
if [ "$2" = --prefix ]; then
  prefix=$3 work=$4
  rm -rf "$work"
else
  build=$2 work=$3
  rm -rf "$work"
  prefix=$work/prefix
  cmake --install "$build" --prefix "$prefix" >/dev/null
fi

echo "== find_package"
cmake -S "$src/tests/package" -B "$work/cmake-consumer" -DCMAKE_PREFIX_PATH="$prefix" >/dev/null
cmake --build "$work/cmake-consumer" -j2 >/dev/null
"$work/cmake-consumer/consumer_c"
"$work/cmake-consumer/consumer_cxx"

echo "== pkg-config"
pcdir=$(dirname "$(find "$prefix" -name pixmill.pc)")
export PKG_CONFIG_PATH=$pcdir
read -r -a flags <<<"$(pkg-config --cflags --libs pixmill)"
mkdir -p "$work/pc-consumer"
cc -Wall -Wextra -Werror "$src/tests/package/consumer.c" "${flags[@]}" -o "$work/pc-consumer/consumer"
LD_LIBRARY_PATH=$(pkg-config --variable=libdir pixmill) "$work/pc-consumer/consumer"
