#!/usr/bin/env bash
# Like wine-run.sh, with a compositing manager on the X display for the run: layered
# windows are blended with the desktop only when one runs, and the surface tests check
# that blending on screen. Without xcompmgr the program runs as it is (those checks then
# skip themselves).
#
#   tools/wine-run-composited.sh program.exe [args...]
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
compositor=
if [ -n "${DISPLAY:-}" ] && command -v xcompmgr >/dev/null 2>&1; then
  # Exits at once by itself when the display already has a compositing manager.
  xcompmgr -n >/dev/null 2>&1 &
  compositor=$!
  sleep 0.5
fi
status=0
"$here/wine-run.sh" "$@" || status=$?
if [ -n "$compositor" ]; then
  kill "$compositor" 2>/dev/null || true
  wait "$compositor" 2>/dev/null || true
fi
exit $status
