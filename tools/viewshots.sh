#!/usr/bin/env bash
# Screenshots of the views as the Windows backend really draws them: builds the viewshots
# program with mingw-w64, runs it under Wine on a private Xvfb with a compositing manager,
# and saves one PNG per view and theme into docs/images/ (viewshot-<view>-<light|dark|contrast>.png),
# and one of each switching effect halfway through (transition-<key>.png).
#
# Not in a Wine virtual desktop: there every window is a child of one X window, which the
# compositing manager cannot blend, so soft shadows and translucent edges would show as
# unblended black. With each window a top-level X window they blend as on Windows.
#
#   tools/viewshots.sh            # build folder build/viewshots
#   VIEWSHOTS_ONLY=transition- tools/viewshots.sh   # only the shots named so
#   VIEWSHOTS_BUILD=build/x tools/viewshots.sh
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${VIEWSHOTS_BUILD:-$root/build/viewshots}
case $build in /*) ;; *) build=$root/$build ;; esac
out=$root/docs/images

"$root/tools/ensure-packages.sh"
if ! command -v xcompmgr >/dev/null 2>&1; then
  sudo=()
  [ "$(id -u)" -ne 0 ] && sudo=(sudo)
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends \
    xcompmgr
fi

if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build "$build" -j2 --target tessary_viewshots
program=$build/tests/tessary_viewshots.exe

signals=$(mktemp -d)
trap 'rm -rf "$signals"' EXIT
mkdir -p "$out"

capture() {
  set -euo pipefail
  export WINEPREFIX=$build/wineprefix WINEDEBUG=-all WINEARCH=win64
  export WINEDLLOVERRIDES="mscoree=;mshtml="
  # The switching effects play twelve times slower, so that halfway can be caught.
  export TESSARY_TRANSITION_SLOWDOWN=${TESSARY_TRANSITION_SLOWDOWN:-12}
  # The program's trace (the effects' performance records among it), kept with the log.
  export TESSARY_LOG="Z:${signals//\//\\}\\tessary.log"
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    wineboot -i >/dev/null 2>&1 || true
    wineserver -w || true
  fi
  xcompmgr -n >/dev/null 2>&1 &
  local compositor=$!
  wine_bin=wine
  if [ -x /usr/lib/wine/wine64 ]; then wine_bin=/usr/lib/wine/wine64; fi
  "$wine_bin" "$program" "Z:${signals//\//\\}" "${VIEWSHOTS_ONLY:-}" \
    >"$signals/wine.log" 2>&1 &
  local deadline=$((SECONDS + 300))
  while [ ! -e "$signals/finished" ] && [ $SECONDS -lt $deadline ]; do
    for ready in "$signals"/*.ready; do
      [ -e "$ready" ] || continue
      local name
      name=$(basename "$ready" .ready)
      read -r x y w h delay <"$ready"
      # An effect playing under a slowdown is taken once it is halfway.
      sleep "${delay:-0}"
      import -window root "$signals/$name-screen.png"
      # The switching effects' shots keep their own names (transition-<key>).
      local file=viewshot-$name.png
      case $name in transition-*) file=$name.png ;; esac
      convert "$signals/$name-screen.png" -crop "${w}x${h}+${x}+${y}" +repage "$out/$file"
      echo "saved docs/images/$file"
      rm -f "$ready"
      touch "$signals/$name.done"
    done
    sleep 0.2
  done
  wineserver -k || true
  kill "$compositor" 2>/dev/null || true
  [ -e "$signals/finished" ] || { cat "$signals/wine.log" >&2; echo "viewshots: timed out" >&2; exit 1; }
  grep -h "perf fx-\|perf slide\|gpu-warm" "$signals/tessary.log" 2>/dev/null || true
}

export -f capture
export build program signals out VIEWSHOTS_ONLY
"$root/tools/with-xvfb.sh" bash -c capture
