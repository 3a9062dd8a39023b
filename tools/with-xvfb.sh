#!/usr/bin/env bash
# Runs a command with an X display: the current one if DISPLAY is set and answers,
# otherwise a private Xvfb (1920x1080, 24-bit) that is stopped afterwards. Wine needs a
# display for windows, hooks, Direct2D and screenshots.
#
#   tools/with-xvfb.sh command [args...]
set -euo pipefail

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  exec "$@"
fi

number=90
while [ -e "/tmp/.X$number-lock" ] || [ -e "/tmp/.X11-unix/X$number" ]; do number=$((number + 1)); done
Xvfb ":$number" -screen 0 1920x1080x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
trap 'kill $xvfb_pid 2>/dev/null || true; wait $xvfb_pid 2>/dev/null || true' EXIT
for _ in $(seq 1 50); do
  [ -e "/tmp/.X11-unix/X$number" ] && break
  sleep 0.1
done
export DISPLAY=":$number"
status=0
"$@" || status=$?
exit $status
