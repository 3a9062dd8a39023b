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
# Tessary.exe, tessary_sample_window.exe and tessary_e2e_probe.exe. The log, state and
# screenshots stay in BUILD_DIR/e2e/work_area_follow.
set -euo pipefail

# shellcheck source=../../tools/e2e/story.sh
source "$(dirname "$0")/../../tools/e2e/story.sh"

follow_lines() { grep -cx 'work area changed: 1 windows follow' "$(e2e_log_file first)" || true; }

# follow HEIGHT WORK FROM TO COMMAND MESSAGE FOLLOWS: the task bar becomes HEIGHT pixels
# tall, so the work area is WORK. Nothing tells running programs, so the window stays at
# FROM until the probe's COMMAND sends MESSAGE: then it goes to TO, and the log has said
# FOLLOWS times in all that a window followed. Screenshot COMMAND.png.
follow() {
  local height=$1 work=$2 from=$3 to=$4 command=$5 message=$6 now
  e2e_probe taskbar "$height" || e2e_fail "the task bar did not become $height pixels tall"
  now=$(e2e_probe workarea)
  [ "$now" = "$work" ] || e2e_fail "with the task bar $height pixels tall the work area is $now"
  sleep 1
  now=$(frame_of "$title")
  [ "$now" = "$from" ] || e2e_fail "the window moved to $now before $message"
  e2e_probe "$command" || e2e_fail "could not send $message ($command)"
  now=$(wait_frame "$title" "$to") || {
    screenshot "not-$command"
    e2e_fail "after $message the window's frame is $now, not $to"
  }
  screenshot "$command"
  [ "$(follow_lines)" = "$7" ] || e2e_fail "the log shows $(follow_lines) follows, not $7"
}

main() {
  local title="Follow me" full="8 8 948 1044" smaller="8 8 948 944"
  e2e_start_tessary first
  e2e_start_samples --title "$title" --rect 300 300 640 420
  [ "$(e2e_probe workarea)" = "0 0 1920 1060" ] ||
    e2e_fail "the work area is $(e2e_probe workarea), not 0 0 1920 1060"
  [ "$(e2e_probe region halves 0)" = "$full" ] ||
    e2e_fail "the program puts the left half at $(e2e_probe region halves 0), not $full"
  snap_into halves 0 1 "$title"
  screenshot snapped
  # The task bar grows, and the change is announced; then it shrinks back, and the display
  # mode is applied again.
  follow 120 "0 0 1920 960" "$full" "$smaller" announce WM_SETTINGCHANGE 1
  follow 20 "0 0 1920 1060" "$smaller" "$full" display-change WM_DISPLAYCHANGE 2
  e2e_quit first
}

e2e_story work_area_follow "${1:-}"
main
echo "PASS work_area_follow"
