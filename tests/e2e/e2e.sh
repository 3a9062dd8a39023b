#!/usr/bin/env bash
# End-to-end stories of the real Tessary.exe under Wine, driven like a user.
#
#   tests/e2e/e2e.sh CASE BUILD_DIR [VERSION]
#
# Needs an X display (CTest runs it through tools/with-xvfb.sh) and, in BUILD_DIR,
# Tessary.exe, tessary_sample_window.exe and tessary_e2e_probe.exe. VERSION is the
# program's "major.minor.patch" (the project's version). Each case leaves its files in
# BUILD_DIR/e2e/CASE and stops every Wine process of the prefix when it ends.
set -euo pipefail

# shellcheck source=../../tools/e2e/story.sh
source "$(dirname "$0")/../../tools/e2e/story.sh"

version=${3:-}

count_main_windows() { e2e_probe count-class TessaryMain; }

# A second copy started with "--open editor" ends at once with code 0 and leaves the first
# copy as it was.
case_second_copy() {
  e2e_start_tessary first
  local first_log
  first_log=$(e2e_log_file first)

  # Same state folder as the first, so only the mutex can tell it to go.
  e2e_run_tessary second "TESSARY_STATE_DIR=$(e2e_winpath "$(e2e_state_dir first)")" \
    -- --open editor
  [ "$E2E_STATUS" -eq 0 ] || e2e_fail "the second copy ended with $E2E_STATUS, not 0"
  # It did nothing at all: not one log line.
  [ ! -s "$(e2e_log_file second)" ] || e2e_fail "the second copy logged: $(head -n 3 "$(e2e_log_file second)")"

  e2e_running first || e2e_fail "the first copy ended"
  [ "$(count_main_windows)" = 1 ] || e2e_fail "expected one main window, found $(count_main_windows)"
  [ "$(e2e_probe count-class TessaryEditor)" = 0 ] || e2e_fail "an editor window opened"
  ! grep -qi editor "$first_log" || e2e_fail "the first copy heard about the editor"
  e2e_quit first
}

# With TESSARY_INSTANCE set, a copy runs beside the normal one, and it never greets.
case_separate_instance() {
  e2e_start_tessary first
  e2e_start_tessary beside TESSARY_INSTANCE=e2e-beside
  e2e_running first || e2e_fail "the first copy ended when the second started"
  e2e_running beside || e2e_fail "the separate instance ended"
  [ "$(count_main_windows)" = 2 ] || e2e_fail "expected two main windows, found $(count_main_windows)"
  local beside_log
  beside_log=$(e2e_log_file beside)
  ! grep -qiE "welcome|what's new|release notes" "$beside_log" ||
    e2e_fail "the separate instance greeted: $(grep -iE "welcome|what's new|release notes" "$beside_log")"

  e2e_quit beside
  e2e_running first || e2e_fail "quitting the separate instance ended the first copy"
  e2e_quit first
}

# A first run creates the state folder and settings.json (with the version it saw), logs
# its start and "shutdown", and "Quit Tessary" ends it with code 0 without writing anything.
case_state_log_quit() {
  local state="$E2E_WORK/state"  # not there yet
  e2e_start_tessary first "TESSARY_STATE_DIR=$(e2e_winpath "$state")"
  local log
  log=$(e2e_log_file first)
  e2e_wait_until 10 test -s "$state/settings.json" || e2e_fail "no settings.json in the state folder"
  if [ -n "$version" ]; then
    grep -q "\"lastSeenVersion\":\"$version\"" "$state/settings.json" ||
      e2e_fail "settings.json does not remember version $version: $(cat "$state/settings.json")"
    grep -q "^started $version\$" "$log" || e2e_fail "the log does not show version $version"
  fi

  local before
  before=$(ls -l --time-style=+%s.%N "$state")
  e2e_quit first
  [ "$(count_main_windows)" = 0 ] || e2e_fail "the main window outlived the program"
  [ "$(tail -n 1 "$log")" = shutdown ] || e2e_fail "the log does not end with shutdown"
  [ "$(grep -c '^shutdown$' "$log")" = 1 ] || e2e_fail "shutdown was logged more than once"
  # Nothing is written at shutdown.
  [ "$(ls -l --time-style=+%s.%N "$state")" = "$before" ] ||
    e2e_fail "the state folder changed at shutdown"
  local leftovers=("$state"/*.tmp)
  [ ! -e "${leftovers[0]}" ] || e2e_fail "a temporary file was left in the state folder"
}

# Ctrl+Alt+F makes the focused window fill its display; pressed again, it puts the window
# back exactly where it was.
case_fill_screen() {
  e2e_start_tessary first
  e2e_start_samples --title "Fill me" --rect 300 200 640 420
  local start filled back
  start=$(e2e_rect 1)
  e2e_click_window 1
  e2e_key ctrl+alt+f
  filled=$(e2e_wait_rect_change 1 "$start") || e2e_fail "Ctrl+Alt+F did not move the window ($filled)"

  local wx wy ww wh x y w h
  read -r wx wy ww wh <<<"$(e2e_probe workarea)"
  read -r x y w h <<<"$filled"
  # Inside the work area and within a gap of each of its edges.
  ((x >= wx && y >= wy && x + w <= wx + ww && y + h <= wy + wh)) ||
    e2e_fail "the filled window $filled leaves the work area $wx $wy $ww $wh"
  ((x - wx <= 16 && y - wy <= 16 && wx + ww - x - w <= 16 && wy + wh - y - h <= 16)) ||
    e2e_fail "the filled window $filled does not fill the work area $wx $wy $ww $wh"

  e2e_key ctrl+alt+f
  back=$(e2e_wait_rect_change 1 "$filled") || e2e_fail "the second Ctrl+Alt+F did nothing"
  [ "$back" = "$start" ] || e2e_fail "put back at $back, not at $start"
  e2e_quit first
}

# Escape while the picker is up closes the picker and never reaches the dragged window (the
# system's move loop would put it back); during an ordinary drag it does reach it.
case_escape_during_drag() {
  e2e_start_tessary first
  e2e_start_samples --title "Drag me" --rect 300 300 640 420
  local start held after
  start=$(e2e_rect 1)
  e2e_drag_to_top_center 1 0.3
  e2e_wait_visible "Choose a Layout" 1 5 || e2e_fail "the picker did not drop down"
  held=$(e2e_rect 1)
  [ "$held" != "$start" ] || e2e_fail "the drag did not move the window"
  e2e_key Escape
  e2e_wait_visible "Choose a Layout" 0 5 || e2e_fail "Escape left the picker up"
  e2e_drag_end
  sleep 1
  after=$(e2e_rect 1)
  [ "$after" = "$held" ] ||
    e2e_fail "after Escape and release the window is at $after, not where it was let go ($held)"

  # An ordinary drag, away from the top: the program hands Escape on, and the system's
  # move loop takes the window back to where the drag began.
  e2e_drag_begin 1
  e2e_drag_move "$((E2E_MOUSE_X + 200))" "$((E2E_MOUSE_Y + 300))"
  e2e_wait_rect_change 1 "$after" 3 >/dev/null || e2e_fail "the second drag did not move the window"
  e2e_key Escape
  sleep 0.5
  e2e_drag_end
  sleep 0.5
  [ "$(e2e_rect 1)" = "$after" ] ||
    e2e_fail "Escape did not reach the dragged window: it is at $(e2e_rect 1), not $after"
  e2e_quit first
}

# A click on the icon in the task bar opens the menu, whose last item, "Quit Tessary",
# ends the program.
case_tray_icon_menu() {
  e2e_start_tessary first
  e2e_click_tray_icon
  # Typed keys cannot reach the menu under Wine (see the probe); posted ones do.
  e2e_quit_from_menu first "clicking the tray icon opened no menu"
  [ "$(tail -n 1 "$(e2e_log_file first)")" = shutdown ] || e2e_fail "no shutdown in the log"
}

# The update check finds a newer build on a server of the test's own (127.0.0.1 only, named
# by TESSARY_UPDATE_URL) once the message loop runs, and stamps the settings.
case_update_found() {
  local state
  state=$(e2e_state_dir first)
  mkdir -p "$state/www/download"
  printf '{"version":"9.9.9","build":999}' >"$state/www/download/Tessary-Windows.json"
  printf '{"lastSeenVersion":"%s","checkUpdates":true,"lastUpdateCheck":0}' "$version" \
    >"$state/settings.json"
  local port
  port=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
  python3 -m http.server "$port" --bind 127.0.0.1 --directory "$state/www" \
    >"$E2E_WORK/server.txt" 2>&1 &
  local server=$!
  trap 'kill $server 2>/dev/null || true' RETURN
  e2e_wait_until 10 grep -qs "Serving HTTP" "$E2E_WORK/server.txt" || e2e_fail "the local server did not start"
  e2e_start_tessary first "TESSARY_UPDATE_URL=http://127.0.0.1:$port/download/Tessary-Windows.json"
  local log
  log=$(e2e_log_file first)
  e2e_wait_until 20 grep -qs '^update check: outcome 1$' "$log" ||
    e2e_fail "no update found: $(grep update "$log" || true)"
  grep -q 'GET /download/Tessary-Windows.json' "$E2E_WORK/server.txt" ||
    e2e_fail "the server saw no request: $(cat "$E2E_WORK/server.txt")"
  ! grep -q '"lastUpdateCheck":0[,}]' "$state/settings.json" || e2e_fail "the check was not stamped"
  e2e_quit first
}

# Diagnostics recorded on request (open request 8, twice): the file in the state folder's
# Diagnostics folder holds both snapshots, the stamped steps between them (the window was
# made to fill the screen meanwhile) and the sample app's name, never its window's title.
case_diagnostics_recorded() {
  e2e_start_tessary first
  e2e_start_samples --title "Secret Plans 2027" --rect 300 200 640 420
  local folder main
  folder="$(e2e_state_dir first)/Diagnostics"
  main=$(e2e_main_window first)
  e2e_probe open 8 "$main" >/dev/null || e2e_fail "the request to record was not posted"
  e2e_wait_until 10 compgen -G "$folder/Tessary Diagnostics *.txt" >/dev/null ||
    e2e_fail "no recording in $folder"
  local start
  start=$(e2e_rect 1)
  e2e_click_window 1
  e2e_key ctrl+alt+f
  e2e_wait_rect_change 1 "$start" >/dev/null || e2e_fail "Ctrl+Alt+F did not fill the screen"
  e2e_probe open 8 "$main" >/dev/null
  local file
  file=$(compgen -G "$folder/Tessary Diagnostics *.txt" | head -n 1)
  # The end snapshot is written before the question about showing the file.
  e2e_wait_until 10 grep -qs "== At the end (" "$file" || e2e_fail "the recording has no end"
  grep -q "== Steps ==" "$file" || e2e_fail "no steps heading"
  grep -Eq '^ +[0-9]+\.[0-9]{2}  ' "$file" || e2e_fail "no stamped step: $(head -c 2000 "$file")"
  [ "$(grep -c 'Windows, front to back (apps only, no titles):' "$file")" = 2 ] ||
    e2e_fail "not two snapshots"
  ! grep -q "Secret Plans" "$file" || e2e_fail "a window title reached the file"
  e2e_wait_until 10 e2e_probe wait-class '#32770' >/dev/null || true
}

# Send Feedback (open request 6): a message typed into the form reaches a feedback
# service of the test's own on 127.0.0.1 (TESSARY_FEEDBACK_URL) as the JSON document.
case_feedback_sent() {
  python3 "$root/tests/e2e/feedback_server.py" "$E2E_WORK/port.txt" "$E2E_WORK/posted.txt" \
    >"$E2E_WORK/server.txt" 2>&1 &
  local server=$!
  trap 'kill $server 2>/dev/null || true' RETURN
  e2e_wait_until 10 test -s "$E2E_WORK/port.txt" || e2e_fail "the local server did not start"
  e2e_start_tessary first \
    "TESSARY_FEEDBACK_URL=http://127.0.0.1:$(cat "$E2E_WORK/port.txt")/feedback/api/submit"
  e2e_probe open 6 "$(e2e_main_window first)" >/dev/null || e2e_fail "the request was not posted"
  e2e_probe wait-class TessaryFeedback >/dev/null || e2e_fail "no feedback form"
  sleep 0.5
  e2e_probe activate "Send Feedback" >/dev/null || true
  xdotool type --delay 20 "Snapping works"
  # A click on Send: the client area is 560 x 560 units at scale 1, under the caption and
  # inside equal side and bottom borders.
  local wx wy ww wh border
  read -r wx wy ww wh <<<"$(e2e_probe rect "Send Feedback")"
  border=$(((ww - 560) / 2))
  e2e_click_at "$((wx + border + 490))" "$((wy + wh - border - 560 + 526))"
  e2e_wait_until 15 test -s "$E2E_WORK/posted.txt" || e2e_fail "nothing reached the service"
  grep -q '^/feedback/api/submit$' "$E2E_WORK/posted.txt" || e2e_fail "wrong path: $(cat "$E2E_WORK/posted.txt")"
  grep -q '^application/json$' "$E2E_WORK/posted.txt" || e2e_fail "not sent as JSON"
  grep -q '"kind":"idea","message":"Snapping works"' "$E2E_WORK/posted.txt" ||
    e2e_fail "unexpected document: $(cat "$E2E_WORK/posted.txt")"
  grep -q '"details":{"Tessary":' "$E2E_WORK/posted.txt" || e2e_fail "no details"
}

e2e_story_case "" "${1:-}" "${2:-}"
