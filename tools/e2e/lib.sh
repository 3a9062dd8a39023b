# shellcheck shell=bash
# Helpers for driving the real Tessary.exe under Wine like a user: a prefix whose every
# program opens in one 1920x1080 virtual desktop, the program started with its state and
# log in a folder of the test's own, sample windows to act on, a probe that looks at
# windows from inside Wine, and xdotool for the mouse and keyboard.
#
# Source it from a bash script that runs with an X display (tools/with-xvfb.sh), then:
#
#   e2e_init BUILD_DIR NAME           # prefix, work folder, clean-up on exit (E2E_DPI=144
#                                     # first for a prefix whose system DPI is 144)
#   e2e_start_tessary first           # Tessary.exe in the background; waits for its window
#   e2e_start_samples --rect 300 200 640 420
#   e2e_click_window 1; e2e_key ctrl+alt+f
#   e2e_quit first                    # "Quit Tessary" from the tray menu; exit code 0
#
# Drags: e2e_drag_begin N presses on sample window N's title bar, e2e_drag_move X Y moves
# the pointer in small steps, e2e_drag_end releases; e2e_drag_to_top_center N does the
# first two for the layout picker's hot zone. The sample windows raise the move/size
# events themselves (Wine 8 does not), so the program sees the drag as on Windows.
#
# Windows' programs are run by the unix path of the Wine loader, so a background job's
# pid is the program's own process and `wait` answers its exit code.

E2E_DESKTOP_NAME=e2e
E2E_DESKTOP_SIZE=1920x1080

e2e_log() { echo "[e2e ${E2E_NAME:-}] $*" >&2; }

e2e_fail() {
  echo "FAIL [${E2E_NAME:-e2e}]: $*" >&2
  if [ -n "${E2E_WORK:-}" ]; then
    for log in "$E2E_WORK"/*.log; do
      [ -f "$log" ] || continue
      echo "--- $(basename "$log")" >&2
      tail -n 40 "$log" >&2
    done
  fi
  exit 1
}

# A unix path as Wine sees it (drive Z: is the unix root).
e2e_winpath() { printf 'Z:%s' "${1//\//\\}"; }

e2e_wine() { "$E2E_WINE" "$@"; }

# The probe's answer without Wine's carriage returns and diagnostics.
e2e_probe() { "$E2E_WINE" "$E2E_PROBE" "$@" 2>/dev/null | tr -d '\r'; }

e2e_prepare_prefix() {
  mkdir -p "$(dirname "$WINEPREFIX")"
  (
    flock 9
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
      wineboot -i >/dev/null 2>&1 || true
      wineserver -w || true
    fi
    local marker=$WINEPREFIX/.tessary-e2e-settings
    if [ ! -f "$marker" ]; then
      # Every program of the prefix opens in the same virtual desktop: Wine then draws the
      # title bars and runs its own move loop, as Windows does.
      local reg=$WINEPREFIX/tessary-e2e-settings.reg
      # A crash prints its backtrace instead of waiting in a dialog nobody can see.
      printf 'REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Wine\\Explorer]\r\n"Desktop"="%s"\r\n\r\n[HKEY_CURRENT_USER\\Software\\Wine\\Explorer\\Desktops]\r\n"%s"="%s"\r\n\r\n[HKEY_CURRENT_USER\\Software\\Wine\\WineDbg]\r\n"ShowCrashDialog"=dword:00000000\r\n' \
        "$E2E_DESKTOP_NAME" "$E2E_DESKTOP_NAME" "$E2E_DESKTOP_SIZE" >"$reg"
      # The system's DPI (Windows' display scale), when a story asks for another than 96.
      if [ -n "${E2E_DPI:-}" ]; then
        printf '\r\n[HKEY_CURRENT_USER\\Control Panel\\Desktop]\r\n"LogPixels"=dword:%08x\r\n' \
          "$E2E_DPI" >>"$reg"
      fi
      "$E2E_WINE" regedit /S "$(e2e_winpath "$reg")" >/dev/null 2>&1 || true
      wineserver -w || true
      touch "$marker"
    fi
  ) 9>"$WINEPREFIX.lock"
}

e2e_cleanup() {
  local status=$?
  wineserver -k >/dev/null 2>&1 || true
  wineserver -w >/dev/null 2>&1 || true
  # Leftover jobs are Wine processes that the kill above has ended.
  wait 2>/dev/null || true
  exit $status
}

# e2e_init BUILD_DIR NAME: the build folder holding Tessary.exe and the helpers.
e2e_init() {
  E2E_BUILD=$(cd "$1" && pwd)
  E2E_NAME=$2
  E2E_TESSARY=$E2E_BUILD/Tessary.exe
  E2E_SAMPLE=$E2E_BUILD/tessary_sample_window.exe
  E2E_PROBE=$E2E_BUILD/tessary_e2e_probe.exe
  local file
  for file in "$E2E_TESSARY" "$E2E_SAMPLE" "$E2E_PROBE"; do
    [ -f "$file" ] || e2e_fail "missing $file (build Tessary, tessary_sample_window, tessary_e2e_probe)"
  done
  [ -n "${DISPLAY:-}" ] || e2e_fail "no X display (run through tools/with-xvfb.sh)"
  # A story at another DPI (E2E_DPI) gets a prefix of its own: the others stay at 96.
  export WINEPREFIX=$E2E_BUILD/e2e/wineprefix${E2E_DPI:+-dpi$E2E_DPI}
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree=;mshtml="
  export WINEARCH=win64
  E2E_WINE=wine
  if [ -x /usr/lib/wine/wine64 ]; then E2E_WINE=/usr/lib/wine/wine64; fi
  e2e_prepare_prefix
  # What an interrupted earlier run left in this prefix would hold the instance mutex.
  wineserver -k >/dev/null 2>&1 || true
  wineserver -w >/dev/null 2>&1 || true
  E2E_WORK=$E2E_BUILD/e2e/$E2E_NAME
  rm -rf "$E2E_WORK"
  mkdir -p "$E2E_WORK"
  E2E_RECTS=$E2E_WORK/sample-rects.txt
  trap e2e_cleanup EXIT
  # The virtual desktop's window sits at the top left of a bare Xvfb; elsewhere find it.
  E2E_OFFSET_X=0
  E2E_OFFSET_Y=0
}

# Finds where the virtual desktop's window is on the X screen (after a program opened it).
e2e_locate_desktop() {
  local id geometry
  id=$(xdotool search --name "^$E2E_DESKTOP_NAME - Wine desktop\$" 2>/dev/null | head -n 1 || true)
  [ -n "$id" ] || return 0
  geometry=$(xdotool getwindowgeometry --shell "$id" 2>/dev/null || true)
  E2E_OFFSET_X=$(sed -n 's/^X=//p' <<<"$geometry")
  E2E_OFFSET_Y=$(sed -n 's/^Y=//p' <<<"$geometry")
  E2E_OFFSET_X=${E2E_OFFSET_X:-0}
  E2E_OFFSET_Y=${E2E_OFFSET_Y:-0}
}

# Polls a command until it succeeds, up to SECONDS (tenths allowed).
e2e_wait_until() {
  local seconds=$1
  shift
  local tries=$((${seconds%.*} * 10 + 1))
  while [ $tries -gt 0 ]; do
    if "$@"; then return 0; fi
    sleep 0.1
    tries=$((tries - 1))
  done
  return 1
}

e2e_state_dir() { echo "$E2E_WORK/$1-state"; }
e2e_log_file() { echo "$E2E_WORK/$1.log"; }

# e2e_tessary_command NAME [VARIABLE=VALUE...] [-- ARGUMENTS...]: in the array
# E2E_COMMAND, the command that runs Tessary.exe with TESSARY_STATE_DIR (unless given) and
# TESSARY_LOG in the work folder.
e2e_tessary_command() {
  local name=$1
  shift
  local -a variables=("TESSARY_STATE_DIR=$(e2e_winpath "$(e2e_state_dir "$name")")"
                      "TESSARY_LOG=$(e2e_winpath "$(e2e_log_file "$name")")")
  while [ $# -gt 0 ] && [ "$1" != -- ]; do variables+=("$1"); shift; done
  [ "${1:-}" = -- ] && shift
  E2E_COMMAND=(env "${variables[@]}" "$E2E_WINE" "$E2E_TESSARY" "$@")
}

# e2e_start_tessary NAME [VARIABLE=VALUE...] [-- ARGUMENTS...]: starts that command in the
# background, waits until the program has started and keeps its pid in E2E_PID_NAME and
# its main window's handle in E2E_MAIN_NAME.
e2e_start_tessary() {
  local name=$1
  e2e_tessary_command "$@"
  e2e_seen_this_version "$(e2e_state_dir "$name")"
  local before
  before=$(e2e_probe list-class TessaryMain)
  "${E2E_COMMAND[@]}" >>"$E2E_WORK/$name.wine.txt" 2>&1 &
  local pid=$!
  printf -v "E2E_PID_$name" '%s' "$pid"
  local handle="" tries=150
  while [ -z "$handle" ] && [ $tries -gt 0 ]; do
    e2e_running "$name" || e2e_fail "Tessary ($name) ended during start-up"
    handle=$(comm -13 <(sort <<<"$before") <(e2e_probe list-class TessaryMain | sort) | head -n 1)
    [ -n "$handle" ] || sleep 0.1
    tries=$((tries - 1))
  done
  [ -n "$handle" ] || e2e_fail "Tessary ($name) made no main window"
  printf -v "E2E_MAIN_$name" '%s' "$handle"
  # The window comes early in start-up; the hotkeys, hooks and tray icon follow, and the
  # last thing start-up does is log that it started.
  e2e_wait_until 15 grep -qs '^started' "$(e2e_log_file "$name")" ||
    e2e_fail "Tessary ($name) did not finish starting"
  e2e_locate_desktop
}

# Stories start as a user who has seen this version, so no welcome window stands in the
# way of their windows and keys; with E2E_GREET=1 a story starts as a new user.
e2e_seen_this_version() {
  local state=$1 version
  [ -z "${E2E_GREET:-}" ] && [ ! -e "$state/settings.json" ] || return 0
  version=$(sed -n 's/^CMAKE_PROJECT_VERSION:[A-Z]*=//p' "$E2E_BUILD/CMakeCache.txt")
  mkdir -p "$state"
  printf '{"lastSeenVersion":"%s"}' "$version" >"$state/settings.json"
}

# e2e_run_tessary NAME [VARIABLE=VALUE...] [-- ARGUMENTS...]: runs a copy in the
# foreground (30 s at most) and answers its exit code in E2E_STATUS.
e2e_run_tessary() {
  local name=$1
  e2e_tessary_command "$@"
  E2E_STATUS=0
  timeout 30 "${E2E_COMMAND[@]}" >>"$E2E_WORK/$name.wine.txt" 2>&1 || E2E_STATUS=$?
}

e2e_pid() { local var="E2E_PID_$1"; echo "${!var}"; }
e2e_main_window() { local var="E2E_MAIN_$1"; echo "${!var}"; }
# A process that has ended stays a zombie until it is waited for; that is not running.
e2e_running() {
  local state
  state=$(ps -o stat= -p "$(e2e_pid "$1")" 2>/dev/null || true)
  [ -n "$state" ] && [ "${state:0:1}" != Z ]
}

e2e_ended() { ! e2e_running "$1"; }

# e2e_wait_exit NAME [SECONDS]: waits for the copy to end; its exit code in E2E_STATUS.
e2e_wait_exit() {
  e2e_wait_until "${2:-15}" e2e_ended "$1" ||
    e2e_fail "Tessary ($1) did not end within ${2:-15} s"
  E2E_STATUS=0
  wait "$(e2e_pid "$1")" || E2E_STATUS=$?
}

# e2e_quit NAME: "Quit Tessary" from its tray menu (opened through the open request 9, as
# another process may); it must end with exit code 0.
e2e_quit() {
  e2e_probe open 9 "$(e2e_main_window "$1")" >/dev/null || e2e_fail "no main window for $1"
  e2e_quit_from_menu "$1" "no tray menu for $1"
}

# e2e_quit_from_menu NAME WHY: "Quit Tessary", the last item of the copy's open tray menu
# (e2e_fail WHY when none opened); it must end with exit code 0.
e2e_quit_from_menu() {
  e2e_probe choose-up 1 "$(e2e_main_window "$1")" >/dev/null || e2e_fail "$2"
  e2e_wait_exit "$1"
  [ "$E2E_STATUS" -eq 0 ] || e2e_fail "Tessary ($1) ended with exit code $E2E_STATUS"
}

# e2e_start_samples ARGUMENTS...: tessary_sample_window.exe in the background, writing its
# windows' rectangles to E2E_RECTS; waits until they are there.
e2e_start_samples() {
  rm -f "$E2E_RECTS"
  "$E2E_WINE" "$E2E_SAMPLE" --rect-file "$(e2e_winpath "$E2E_RECTS")" "$@" \
    >>"$E2E_WORK/samples.wine.txt" 2>&1 &
  # shellcheck disable=SC2034  # read through e2e_pid samples
  E2E_PID_samples=$!
  e2e_wait_until 15 test -s "$E2E_RECTS" || e2e_fail "the sample windows did not appear"
  e2e_locate_desktop
  sleep 0.3
}

# "x y width height" of sample window N (outer rectangle, desktop pixels).
e2e_rect() {
  [ -f "$E2E_RECTS" ] || return 1
  awk -v n="$1" '$1 == n { print $2, $3, $4, $5 }' "$E2E_RECTS"
}

# e2e_wait_rect_change N OLD [SECONDS]: waits until window N has left OLD and held still
# for half a second (the program's moves glide); prints the new rectangle.
e2e_wait_rect_change() {
  local n=$1 old=$2 seconds=${3:-10}
  local tries=$((seconds * 10)) last="" stable=0 now
  while [ $tries -gt 0 ]; do
    now=$(e2e_rect "$n")
    if [ -n "$now" ] && [ "$now" != "$old" ]; then
      if [ "$now" = "$last" ]; then
        stable=$((stable + 1))
        if [ $stable -ge 5 ]; then echo "$now"; return 0; fi
      else
        stable=0
      fi
    fi
    last=$now
    sleep 0.1
    tries=$((tries - 1))
  done
  e2e_rect "$n"
  return 1
}

# e2e_wait_visible TITLE WANTED [SECONDS]: waits until the probe's "visible TITLE" answers
# the wanted 0 or 1.
e2e_visible_is() { [ "$(e2e_probe visible "$1")" = "$2" ]; }
e2e_wait_visible() { e2e_wait_until "${3:-5}" e2e_visible_is "$1" "$2"; }

# --- Mouse and keyboard, in desktop coordinates -----------------------------------------

e2e_mouse_to() {
  xdotool mousemove "$((E2E_OFFSET_X + $1))" "$((E2E_OFFSET_Y + $2))"
  E2E_MOUSE_X=$1
  E2E_MOUSE_Y=$2
}

e2e_key() { xdotool key "$@"; }

# e2e_click_at X Y: a left click there, the pointer resting a moment first.
e2e_click_at() {
  e2e_mouse_to "$1" "$2"
  sleep 0.2
  xdotool click 1
}

# e2e_press_at X Y: the left button pressed there and held, as a drag begins.
e2e_press_at() {
  e2e_mouse_to "$1" "$2"
  sleep 0.2
  xdotool mousedown 1
  sleep 0.2
}

# A click on Tessary's tray icon: Wine's task bar keeps the notification area at the
# bottom right, one small icon.
e2e_click_tray_icon() {
  local width height
  read -r width height <<<"$(e2e_probe desktop)"
  e2e_mouse_to "$((width - 11))" "$((height - 11))"
  sleep 0.3
  xdotool click 1
}

# A click in the middle of sample window N: activates it, as the user would.
e2e_click_window() {
  local x y w h
  read -r x y w h <<<"$(e2e_rect "$1")"
  e2e_mouse_to "$((x + w / 2))" "$((y + h / 2))"
  sleep 0.1
  xdotool click 1
  sleep 0.3
}

# e2e_close_assist: after a snap, Snap Assist's panel may cover the windows; closes it as
# a user would (Escape reaches the panel, which has the focus) before a title bar is
# pressed.
e2e_close_assist() {
  if [ "$(e2e_probe visible "Choose a window for this space")" = 1 ]; then
    e2e_key Escape
    e2e_wait_visible "Choose a window for this space" 0 3 || true
  fi
}

# Presses the left button on sample window N's title bar, left of its buttons.
e2e_drag_begin() {
  local x y w h
  e2e_close_assist
  read -r x y w h <<<"$(e2e_rect "$1")"
  e2e_press_at "$((x + w / 3))" "$((y + 10))"
}

# e2e_drag_move X Y [STEPS]: moves the pointer there in small steps, as a hand does; the
# program polls the cursor every 15 ms.
e2e_drag_move() {
  local tx=$1 ty=$2 steps=${3:-15}
  local fx=${E2E_MOUSE_X:-$tx} fy=${E2E_MOUSE_Y:-$ty} i
  for i in $(seq 1 "$steps"); do
    e2e_mouse_to "$((fx + (tx - fx) * i / steps))" "$((fy + (ty - fy) * i / steps))"
    sleep 0.03
  done
}

e2e_drag_end() {
  xdotool mouseup 1
  sleep 0.3
}

# Drags sample window N by its title bar to the top center of the desktop, where the
# layout picker drops down, and keeps the button held there for HOLD seconds.
e2e_drag_to_top_center() {
  local width
  read -r width _ <<<"$(e2e_probe desktop)"
  e2e_drag_begin "$1"
  e2e_drag_move "$((width / 2))" 5 20
  sleep "${2:-0.5}"
}
