#!/usr/bin/env bash
# Runs the Windows family-calls program under Wine against the cross-built DLL
# and the native program against libpixmill.so, and compares what they wrote.
# The Wine prefix is made afresh inside the build directory; nothing needs a
# display, and every Wine step is bounded in time.
# usage: run_wine.sh DLL_BUILD_DIR win32|win64 NATIVE_PROGRAM NATIVE_LIBRARY WORK_DIR
set -euo pipefail
dll_build=$1 winearch=$2 native=$3 native_lib=$4 work=$5
command -v wine >/dev/null || { echo "wine is not installed"; exit 1; }
# Debian's 32-bit loader comes with wine32:i386, which needs the i386
# architecture; without it the 32-bit DLL cannot be run, and the test says so.
if [ "$winearch" = win32 ] && [ ! -x /usr/lib/wine/wine ]; then
  echo "no 32-bit Wine loader (Debian's wine32:i386) on this machine: the 32-bit DLL is not run"
  exit 77
fi

rm -rf "$work"
mkdir -p "$work"
export WINEPREFIX=$work/prefix WINEARCH=$winearch WINEDEBUG=-all
# No Mono or Gecko installer prompts, no menu entries in $HOME, no display.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d" DISPLAY=
unset WAYLAND_DISPLAY
cleanup() { timeout 20 wineserver -k >/dev/null 2>&1 || true; }
trap cleanup EXIT

timeout 180 wineboot --init >/dev/null 2>&1 || { echo "wineboot failed for $winearch"; exit 1; }
cp "$dll_build/Pixmill.dll" "$dll_build/pixmill_family_calls.exe" "$work/"
(cd "$work" && timeout 120 wine pixmill_family_calls.exe windows.txt Pixmill.dll </dev/null)
"$native" "$work/native.txt" "$native_lib"

if ! cmp -s "$work/windows.txt" "$work/native.txt"; then
  echo "the Windows caller and the Linux build disagree; calls that differ:"
  awk 'NR == FNR { w[FNR] = $0; n = FNR; next }
       w[FNR] != $0 { print "  " $1 }
       END { if (FNR != n) print "  (" n " lines from Windows, " FNR " from Linux)" }' \
      "$work/windows.txt" "$work/native.txt"
  exit 1
fi
echo "$winearch: $(wc -l <"$work/native.txt") calls agree byte for byte"
