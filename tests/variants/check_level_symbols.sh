#!/usr/bin/env bash
# Every symbol a level's object defines for the linker must lie in that level's
# namespace: an inline function or template compiled with one level's
# instructions and left outside it could be the copy the linker keeps for
# every other level and the baseline.
# usage: check_level_symbols.sh LEVEL OBJECT [LEVEL OBJECT ...]
set -euo pipefail
status=0
while [ $# -ge 2 ]; do
  level=$1 object=$2
  shift 2
  stray=$(nm -C --defined-only --extern-only "$object" | cut -d' ' -f3- | grep -v "pixmill::lvl_${level}::" || true)
  count=$(nm -C --defined-only --extern-only "$object" | wc -l)
  if [ "$count" -eq 0 ]; then
    echo "$level: $object defines nothing"
    status=1
  elif [ -n "$stray" ]; then
    echo "$level: symbols outside pixmill::lvl_${level}:"
    echo "$stray"
    status=1
  else
    echo "$level: $count symbols, all in pixmill::lvl_${level}"
  fi
done
exit $status
