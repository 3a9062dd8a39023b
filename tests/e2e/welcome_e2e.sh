#!/usr/bin/env bash
# A new user under Wine: the real Tessary.exe started with an empty state folder shows the
# welcome window; the keyboard takes it from there to the five-page tour.
#
#   tests/e2e/welcome_e2e.sh BUILD_DIR
#
# Escape closes the welcome window; reopened through open request 5, Shift+Tab reaches
# "Take the Tour" (focus starts on the default "Get Started") and Enter opens the tour in
# its place. Enter on the focused "Next" turns the pages and "Done" on the fifth closes
# the tour. Opened once more (open request 7), the tour closes with the program.
# Screenshots of each window (welcome.png, tour-1.png ... tour-5.png) stay in
# BUILD_DIR/e2e/welcome.
set -euo pipefail

# shellcheck source=../../tools/e2e/story.sh
source "$(dirname "$0")/../../tools/e2e/story.sh"

e2e_story welcome "${1:-}"

welcome="Welcome to Tessary"
tour="Tessary Tour"

E2E_GREET=1 e2e_start_tessary first
main=$(e2e_main_window first)
log=$(e2e_log_file first)
e2e_wait_visible "$welcome" 1 10 || { screenshot no-welcome; e2e_fail "a first start showed no welcome window"; }
sleep 0.5
window_shot "$welcome" welcome
grep -q "^welcome window shown" "$log" || e2e_fail "the log does not show the welcome window"
[ "$(e2e_probe count-class TessaryInfo)" = 1 ] || e2e_fail "expected one information window"

e2e_probe activate "$welcome" || true
e2e_key Escape
e2e_wait_visible "$welcome" 0 5 || { screenshot escape-ignored; e2e_fail "Escape left the welcome window open"; }

e2e_probe open 5 "$main" || e2e_fail "open request 5 was not taken"
e2e_wait_visible "$welcome" 1 5 || e2e_fail "open request 5 showed no welcome window"
e2e_probe activate "$welcome" || true
sleep 0.3
e2e_key shift+Tab
e2e_key Return
e2e_wait_visible "$tour" 1 5 || { screenshot no-tour; e2e_fail "\"Take the Tour\" opened no tour"; }
e2e_wait_visible "$welcome" 0 5 || e2e_fail "the welcome window stayed beside the tour"

for page in 1 2 3 4 5; do
  sleep 0.5
  window_shot "$tour" "tour-$page"
  e2e_key Return
done
e2e_wait_visible "$tour" 0 5 || { screenshot tour-stayed; e2e_fail "\"Done\" left the tour open"; }

e2e_probe open 7 "$main" || e2e_fail "open request 7 was not taken"
e2e_wait_visible "$tour" 1 5 || e2e_fail "open request 7 showed no tour"
e2e_quit first
[ "$(e2e_probe count-class TessaryTour)" = 0 ] || e2e_fail "the tour outlived the program"
echo "PASS welcome"
