#!/usr/bin/env bash
# Runs the Windows build of the every-level driver (pixmill_levels.exe, built
# beside the DLL) under Wine at every level, against the digests the native
# driver wrote at the scalar level: every export, the surfaces made by the
# Automation runtime, the DLL reached through GetProcAddress. The 32-bit DLL
# is also called from a stack aligned to 4 bytes only. The Wine prefix is made
# afresh inside WORK_DIR; nothing needs a display, every step is bounded in time.
# Exit 77 (skipped), with one line saying why: Wine or its 32-bit loader is
# not installed, or this host runs no 32-bit programs.
# usage: run_wine.sh DLL_BUILD_DIR win32|win64 DIGESTS WORK_DIR
set -euo pipefail
dll_build=$1 winearch=$2 digests=$3 work=$4
# Debian's `wine` wrapper starts the 32-bit loader once wine32:i386 is
# installed, which a host without 32-bit execution cannot run: each
# architecture is given its own loader, for wineboot and the program alike.
if [ "$winearch" = win64 ]; then
  loader=/usr/lib/wine/wine64
  [ -x "$loader" ] || loader=$(command -v wine64 || true)
  [ -n "$loader" ] || { echo "win64: Wine is not installed (Debian: apt-get install wine wine64)"; exit 77; }
else
  loader=/usr/lib/wine/wine
  [ -x "$loader" ] || {
    echo "win32: no 32-bit Wine (Debian: dpkg --add-architecture i386 && apt-get update && apt-get install wine32:i386)"
    exit 77
  }
  status=0
  probe=$("$loader" --version 2>&1) || status=$?
  if [ "$status" -ne 0 ] && [[ $probe == *"Exec format error"* ]]; then
    echo "win32: this host runs no 32-bit programs: the 32-bit DLL is not run under Wine"
    exit 77
  fi
fi

rm -rf "$work"
mkdir -p "$work"
export WINELOADER=$loader WINEPREFIX=$work/prefix WINEARCH=$winearch WINEDEBUG=-all
# No Mono or Gecko installer prompts, no menu entries in $HOME, no display.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d" DISPLAY=
unset WAYLAND_DISPLAY
server=$(dirname "$loader")/wineserver
cleanup() { timeout 20 "$server" -k >/dev/null 2>&1 || true; }
trap cleanup EXIT

status=0
timeout 180 "$loader" wineboot --init >/dev/null 2>&1 || status=$?
if [ "$status" -ne 0 ]; then
  [ "$status" -eq 124 ] && why="timed out after 180 s" || why="exit status $status"
  echo "wineboot failed for $winearch ($why)"
  exit 1
fi
cp "$dll_build/Pixmill.dll" "$dll_build/pixmill_levels.exe" "$work/"
cp "$digests" "$work/digests.txt"

ways=("")
[ "$winearch" = win32 ] && ways+=(stack4)
total=0 runs=()
for level in scalar sse2 ssse3 avx2 avx512; do
  for way in "${ways[@]}"; do
    status=0
    out=$(cd "$work" && PIXMILL_ISA=$level timeout 900 "$loader" pixmill_levels.exe check digests.txt $way </dev/null 2>&1) ||
      status=$?
    out=${out//$'\r'/}
    echo "$winearch: $out"
    [ "$status" -eq 77 ] && continue
    [ "$status" -eq 0 ] || { echo "$winearch: the DLL and the Linux build disagree at $level ${way:+($way)}"; exit 1; }
    total=$((total + $(echo "$out" | awk '/ calls of / { print $2 }')))
    runs+=("$level${way:+ $way}")
  done
done
[ "${#runs[@]}" -gt 0 ] || { echo "$winearch: no level ran"; exit 1; }
echo "$winearch: $total calls agree ($(IFS=,; echo "${runs[*]}"))"
