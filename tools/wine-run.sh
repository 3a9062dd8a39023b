#!/usr/bin/env bash
# Runs a Windows program under Wine, 64-bit and headless, in a prefix that belongs to the
# build folder. CMake uses this as the emulator for cross-built tests, so `ctest` in the
# windows build runs them like native ones.
#
#   tools/wine-run.sh program.exe [args...]
#
# WINEPREFIX may be set by the caller; otherwise the prefix is <build>/wineprefix, where
# <build> is the folder that holds the program (or one of its parents with CMakeCache.txt).
set -euo pipefail

program=$1
shift

if [ -z "${WINEPREFIX:-}" ]; then
  dir=$(cd "$(dirname "$program")" && pwd)
  build=$dir
  while [ "$build" != / ] && [ ! -f "$build/CMakeCache.txt" ]; do build=$(dirname "$build"); done
  [ "$build" = / ] && build=$dir
  export WINEPREFIX=$build/wineprefix
fi
export WINEDEBUG=${WINEDEBUG:--all}
# No Mono or Gecko: Wine would offer to download them.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-"mscoree=;mshtml="}
export WINEARCH=win64

# Creating the prefix is slow and must happen once, even when tests start together.
mkdir -p "$(dirname "$WINEPREFIX")"
(
  flock 9
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    wineboot -i >/dev/null 2>&1 || true
    wineserver -w || true
  fi
) 9>"$WINEPREFIX.lock"

wine_bin=wine
if [ -x /usr/lib/wine/wine64 ]; then wine_bin=/usr/lib/wine/wine64; fi
status=0
"$wine_bin" "$program" "$@" || status=$?
exit $status
