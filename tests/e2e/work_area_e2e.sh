#!/usr/bin/env bash
# A window snapped into a region of the real Tessary.exe follows the work area when the
# task bar grows and when it shrinks back, under Wine, checked to the pixel.
#
#   tests/e2e/work_area_e2e.sh BUILD_DIR
#
# The sample window is dragged onto the left half of "Halves"; then the task bar grows by
# 100 pixels and the change is announced with WM_SETTINGCHANGE (SPI_SETWORKAREA): the
# window takes the left half of the smaller work area and the log says so once. Then the
# task bar shrinks back and the display mode is applied again (WM_DISPLAYCHANGE): the
# window returns to the first rectangle, with one more such line.
#
# The expected rectangles, by hand, at scale 1 (gap 8) on the 1920 x 1080 desktop:
# - work area 1920 x 1060 (Wine's task bar takes the bottom 20 pixels): the inner area is
#   1912 x 1052 from (4, 4); region 0 runs from 4 + 4 = 8 to 4 + 1912 / 2 - 4 = 956 and
#   from 8 down to 4 + 1052 - 4 = 1052: 8 8 948 1044.
# - with the task bar 120 pixels tall the work area is 1920 x 960, the inner area
#   1912 x 952, and region 0 runs from 8 down to 4 + 952 - 4 = 952: 8 8 948 944.
#
# Needs an X display (CTest runs it through tools/with-xvfb.sh) and, in BUILD_DIR,
# Tessary.exe, tessary_sample_window.exe, tessary_e2e_probe.exe,
# tessary_e2e_drag_probe.exe and tessary_e2e_work_area_probe.exe. The log, state and
# screenshots stay in BUILD_DIR/e2e/work_area_follow.
set -euo pipefail

# shellcheck source=../../tools/e2e/story.sh
source "$(dirname "$0")/../../tools/e2e/story.sh"

work_area_probe() {
  "$E2E_WINE" "$E2E_BUILD/tessary_e2e_work_area_probe.exe" "$@" 2>/dev/null | tr -d '\r'
}

follow_lines() { grep -cx 'work area changed: 1 windows follow' "$(e2e_log_file first)" || true; }

main() {
  local title="Follow me" full="8 8 948 1044" smaller="8 8 948 944" frame
  e2e_start_tessary first
  e2e_start_samples --title "$title" --rect 300 300 640 420
  [ "$(e2e_probe workarea)" = "0 0 1920 1060" ] ||
    e2e_fail "the work area is $(e2e_probe workarea), not 0 0 1920 1060"
  [ "$(drag_probe region halves 0)" = "$full" ] ||
    e2e_fail "the program puts the left half at $(drag_probe region halves 0), not $full"
  snap_into halves 0 1 "$title"
  screenshot snapped

  # The task bar grows. Nothing tells running programs, so nothing moves until the change
  # is announced: the announcement is what the window follows.
  local work
  work_area_probe taskbar 120 || e2e_fail "the task bar did not grow"
  work=$(e2e_probe workarea)
  [ "$work" = "0 0 1920 960" ] || e2e_fail "with the task bar 120 pixels tall the work area is $work"
  sleep 1
  frame=$(drag_probe frame "$title")
  [ "$frame" = "$full" ] || e2e_fail "the window moved to $frame before the announcement"
  work_area_probe announce || e2e_fail "the work area could not be announced"
  frame=$(wait_frame "$title" "$smaller") || {
    screenshot not-followed
    e2e_fail "after WM_SETTINGCHANGE the window's frame is $frame, not $smaller"
  }
  screenshot followed
  [ "$(follow_lines)" = 1 ] || e2e_fail "the log shows $(follow_lines) follows, not 1"

  # The task bar shrinks back, unannounced; then the display mode is applied again.
  work_area_probe taskbar 20 || e2e_fail "the task bar did not shrink"
  work=$(e2e_probe workarea)
  [ "$work" = "0 0 1920 1060" ] || e2e_fail "with the task bar 20 pixels tall the work area is $work"
  sleep 1
  frame=$(drag_probe frame "$title")
  [ "$frame" = "$smaller" ] || e2e_fail "the window moved to $frame before the display change"
  work_area_probe display-change || e2e_fail "the display mode could not be applied"
  frame=$(wait_frame "$title" "$full") || {
    screenshot not-returned
    e2e_fail "after WM_DISPLAYCHANGE the window's frame is $frame, not $full"
  }
  screenshot returned
  [ "$(follow_lines)" = 2 ] || e2e_fail "the log shows $(follow_lines) follows, not 2"
  e2e_quit first
}

e2e_story work_area_follow "${1:-}" tessary_e2e_work_area_probe.exe
main
echo "PASS work_area_follow"
