#!/usr/bin/env bash
# A stack of two sample windows in the real Tessary.exe under Wine: the switcher and the
# overview show both at once, and a click on the other card brings that window forward.
#
#   tests/e2e/stack_e2e.sh CASE BUILD_DIR
#
#   switcher  two windows dropped onto the left half of "Halves", the second in front;
#             Ctrl+Alt+S shows the "Window Stack" panel with a card for each (screenshot
#             stack-switcher.png; copy it to docs/images/ when the panel's look changes);
#             a click on the first one's card brings that window to the front and the
#             panel goes away
#   overview  the same stack; Ctrl+Alt+O opens the "Stack Overview" window over the left
#             half (screenshot stack-overview.png) and Escape closes it
#   effect    the same stack with "Genie" chosen: Ctrl+Alt+] plays it through Direct3D (its
#             performance record in the log) and brings the first window forward
#
# Needs an X display (CTest runs it through tools/with-xvfb.sh) and, in BUILD_DIR,
# Tessary.exe, tessary_sample_window.exe and tessary_e2e_probe.exe. Files are left in
# BUILD_DIR/e2e/stack_CASE.
set -euo pipefail

# shellcheck source=../../tools/e2e/story.sh
source "$(dirname "$0")/../../tools/e2e/story.sh"

one="Stack me 1"
two="Stack me 2"

# The cards of the panel created last, in desktop pixels, one "X Y WIDTH HEIGHT" a line,
# from the lines the panel logs ("demo card PANEL WINDOW X Y WIDTH HEIGHT").
last_panel_cards() {
  tr -d '\r' <"$1" | awk '/^panel create /{ n = 0; delete c }
    /^demo card /{ c[n++] = $5 " " $6 " " $7 " " $8 }
    END { for (i = 0; i < n; i++) print c[i] }'
}

# Two sample windows stacked in the left half, the second in front. Arguments go to
# Tessary's start (VARIABLE=VALUE...).
stacked() {
  e2e_start_tessary first "$@"
  e2e_start_samples --title "Stack me" --rect 300 300 640 420 --rect 1000 360 640 420
  snap_into halves 0 1 "$one"
  snap_into halves 0 2 "$two"
  e2e_close_assist
  e2e_click_window 2  # the commands act on the window in the foreground
  in_front "$two" "$one" || e2e_fail "$two is not in front of $one"
}

case_effect() {
  local state log version
  state=$(e2e_state_dir first)
  log=$(e2e_log_file first)
  version=$(sed -n 's/^CMAKE_PROJECT_VERSION:[A-Z]*=//p' "$E2E_BUILD/CMakeCache.txt")
  mkdir -p "$state"
  printf '{"lastSeenVersion":"%s","stackTransition":"genie"}' "$version" >"$state/settings.json"
  stacked
  e2e_key ctrl+alt+bracketright
  e2e_wait_until 10 grep -qs '^perf fx-Genie' "$log" ||
    e2e_fail "Ctrl+Alt+] played no Genie: $(grep -i 'transition\|fx-\|gpu' "$log" | tr -d '\r')"
  e2e_wait_until 3 in_front "$one" "$two" || e2e_fail "$one is not in front of $two"
  e2e_quit first
}

case_switcher() {
  local log x y w h
  log=$(e2e_log_file first)
  stacked
  e2e_key ctrl+alt+s
  e2e_wait_visible "Window Stack" 1 5 || { screenshot no-switcher; e2e_fail "Ctrl+Alt+S showed no switcher"; }
  sleep 0.5  # the panel's first paint
  screenshot stack-switcher
  [ "$(last_panel_cards "$log" | wc -l)" -eq 2 ] ||
    e2e_fail "the switcher shows $(last_panel_cards "$log" | wc -l) cards, not 2"

  # The stack lists its windows by first use: the first card is the window behind.
  read -r x y w h <<<"$(last_panel_cards "$log" | head -n 1)"
  e2e_mouse_to "$((x + w / 2))" "$((y + h / 2))"
  sleep 0.3
  xdotool click 1
  e2e_wait_until 3 foreground_is "$one" ||
    { screenshot not-switched; e2e_fail "the click left $(e2e_probe foreground) in the foreground, not $one"; }
  e2e_wait_until 3 in_front "$one" "$two" || e2e_fail "$one is not in front of $two"
  e2e_wait_visible "Window Stack" 0 3 || e2e_fail "the switcher stayed up after the pick"
  screenshot stack-switched
  e2e_quit first
}

case_overview() {
  local log
  log=$(e2e_log_file first)
  stacked
  e2e_key ctrl+alt+o
  e2e_wait_visible "Stack Overview" 1 5 || { screenshot no-overview; e2e_fail "Ctrl+Alt+O showed no overview"; }
  local area
  area=$(e2e_probe region halves 0)
  [ "$(frame_of "Stack Overview")" = "$area" ] ||
    e2e_fail "the overview is at $(frame_of "Stack Overview"), not over the left half $area"
  # The window shows before its previews are set up and the line is written.
  e2e_wait_until 3 grep -q '^overview open .* windows=2' "$log" ||
    e2e_fail "the log does not show the overview opening"
  sleep 1.5  # the zoom, and drawing the screen's copy in software under Wine
  screenshot stack-overview
  e2e_key Escape
  e2e_wait_visible "Stack Overview" 0 3 || e2e_fail "Escape left the overview up"
  e2e_quit first
}

e2e_story_case stack_ "${1:-}" "${2:-}"
