#!/usr/bin/env bash
# Builds Tessary for Windows and runs it under Wine, in a 1920x1080 virtual desktop with a
# few sample windows to snap: drag one by its title bar to the top center of the desktop.
#
#   ./run.sh [--seconds N]
#
# Uses this machine's X display, or a private Xvfb when there is none (then a screenshot
# of the desktop is saved to build/run-screenshot.png). Tessary's state and log stay in
# the build folder (build/windows/run/). Ctrl+C, "Quit Tessary" in its tray menu or
# --seconds N end the run; every Wine process of the run's prefix is stopped then.
#
# TESSARY_RUN_BUILD=<configured Windows build folder> uses that folder instead of the
# `windows` preset.
set -euo pipefail

root=$(cd "$(dirname "$0")" && pwd)
seconds=""
while [ $# -gt 0 ]; do
  case $1 in
    --seconds) seconds=${2:?--seconds needs a number}; shift 2 ;;
    -h | --help) sed -n '2,15p' "$0" | sed 's/^# \{0,1\}//'; exit 0 ;;
    *) echo "unknown argument: $1 (see ./run.sh --help)" >&2; exit 2 ;;
  esac
done

if [ -z "${TESSARY_RUN_INNER:-}" ]; then
  "$root/tools/ensure-packages.sh"
  if [ -n "${TESSARY_RUN_BUILD:-}" ]; then
    cmake --build "$TESSARY_RUN_BUILD" --target Tessary tessary_sample_window
  else
    cmake --preset windows >/dev/null
    cmake --build --preset windows --target Tessary tessary_sample_window
  fi
  export TESSARY_RUN_INNER=1
  if [ -z "${DISPLAY:-}" ] || ! xdpyinfo >/dev/null 2>&1; then
    echo "No X display: running on a private Xvfb."
    export TESSARY_RUN_HEADLESS=1
    exec env -u DISPLAY "$root/tools/with-xvfb.sh" "$0" ${seconds:+--seconds "$seconds"}
  fi
fi

build=${TESSARY_RUN_BUILD:-$root/build/windows}
build=$(cd "$build" && pwd)
screenshot=${TESSARY_RUN_SCREENSHOT:-$root/build/run-screenshot.png}
winpath() { printf 'Z:%s' "${1//\//\\}"; }

export WINEPREFIX=$build/wineprefix
export WINEDEBUG=${WINEDEBUG:--all}
# No Mono or Gecko: Wine would offer to download them.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-"mscoree=;mshtml="}
export WINEARCH=win64
wine_bin=wine
if [ -x /usr/lib/wine/wine64 ]; then wine_bin=/usr/lib/wine/wine64; fi

# The prefix is shared with the Windows-built tests; made once, under their lock.
mkdir -p "$(dirname "$WINEPREFIX")"
(
  flock 9
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "Creating the Wine prefix (once)..."
    wineboot -i >/dev/null 2>&1 || true
    wineserver -w || true
  fi
) 9>"$WINEPREFIX.lock"

run=$build/run
mkdir -p "$run/state"
log=$run/tessary.log
rm -f "$log"
export TESSARY_STATE_DIR
export TESSARY_LOG
TESSARY_STATE_DIR=$(winpath "$run/state")
TESSARY_LOG=$(winpath "$log")

stop() {
  trap - EXIT INT TERM
  echo
  echo "Stopping Tessary and its Wine desktop..."
  wineserver -k >/dev/null 2>&1 || true
  wineserver -w >/dev/null 2>&1 || true
  wait 2>/dev/null || true
}
trap stop EXIT
trap 'exit 130' INT TERM

desktop=(explorer "/desktop=tessary,1920x1080")
# The first program opens the virtual desktop; this process lives as long as it does.
"$wine_bin" "${desktop[@]}" "$(winpath "$build/Tessary.exe")" >>"$run/wine.txt" 2>&1 &
desktop_pid=$!

started=""
for _ in $(seq 1 200); do
  if grep -q '^started' "$log" 2>/dev/null; then started=yes; break; fi
  kill -0 "$desktop_pid" 2>/dev/null || break
  sleep 0.1
done
if [ -z "$started" ]; then
  echo "Tessary did not start (see $run/wine.txt). Another copy may still be running in" >&2
  echo "$WINEPREFIX: stop it with  WINEPREFIX=$WINEPREFIX wineserver -k" >&2
  exit 1
fi

"$wine_bin" "${desktop[@]}" "$(winpath "$build/tessary_sample_window.exe")" \
  --title "Sample window" --rect 150 160 760 500 --rect 1000 240 700 460 \
  --rect 560 620 640 360 >>"$run/wine.txt" 2>&1 &

cat <<EOF
Tessary $(sed -n 's/^started //p' "$log") is running in the Wine desktop "tessary" (1920x1080).
  Drag a sample window by its title bar to the top center: the layout picker drops down;
  release on a region to place the window there. Ctrl+Alt+F fills the screen with the
  focused window (again: puts it back). Tessary's menu is behind its icon in the task bar.
  State: $run/state    Log: $log    X display: $DISPLAY
  Ctrl+C stops.
EOF

if [ -n "${TESSARY_RUN_HEADLESS:-}" ]; then
  sleep 3
  mkdir -p "$(dirname "$screenshot")"
  if import -window root "$screenshot" 2>/dev/null; then
    echo "Screenshot of the desktop: $screenshot"
  fi
fi

# Until Ctrl+C, the program quits (its log ends with "shutdown"), its desktop closes, or
# the time given is up.
ticks=0
while kill -0 "$desktop_pid" 2>/dev/null; do
  if [ "$(tail -n 1 "$log" 2>/dev/null)" = shutdown ]; then
    echo "Tessary has quit."
    break
  fi
  if [ -n "$seconds" ] && [ $((ticks / 2)) -ge "$seconds" ]; then break; fi
  sleep 0.5
  ticks=$((ticks + 1))
done
