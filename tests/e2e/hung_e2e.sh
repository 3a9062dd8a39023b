#!/usr/bin/env bash
# A sample app that stops answering while Tessary places its window, under Wine. Tessary
# must not wait for it: the move is left undone, the log says why, and the tray menu still
# opens while the app sleeps on. Under Wine the menu itself takes about a second to draw
# (1.0 to 1.9 s measured with no app hung), so it is given 5 s: a program that waited for
# the app would show it only when the app wakes, 30 s later.
#
#   tests/e2e/hung_e2e.sh BUILD_DIR
#
# Needs an X display (CTest runs it through tools/with-xvfb.sh) and, in BUILD_DIR,
# Tessary.exe, tessary_sample_window.exe and tessary_e2e_probe.exe.
set -euo pipefail

# shellcheck source=../../tools/e2e/story.sh
source "$(dirname "$0")/../../tools/e2e/story.sh"

e2e_story hung_window "${1:-}"

e2e_start_tessary first
# The first menu of a run draws its layout thumbnails cold (about two seconds under
# Wine): that one is opened and closed before the story starts.
e2e_probe menu-within 10000 "$(e2e_main_window first)" >/dev/null || e2e_fail "no tray menu at all"
e2e_probe dismiss "$(e2e_main_window first)" >/dev/null || e2e_fail "the tray menu did not close"
# The app sleeps for 30 s from the first move another program asks of it.
e2e_start_samples --title "Stuck" --rect 300 200 640 420 --hang-on-move 30
e2e_click_window 1
e2e_key ctrl+alt+f
# The glide's first step puts the app to sleep; the glide and its exact placement end
# about half a second later.
sleep 1
took=$(e2e_probe menu-within 5000 "$(e2e_main_window first)") ||
  e2e_fail "the tray menu did not open within 5 s while the app was not responding"
e2e_log "the tray menu opened after $took ms"
grep -q "not responding" "$(e2e_log_file first)" ||
  e2e_fail "the log does not say the window was left because its app is not responding"
e2e_quit_from_menu first "no open tray menu"
echo "PASS hung_window"
