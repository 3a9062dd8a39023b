#!/usr/bin/env bash
# Drops onto a region that already holds a window, under Wine: the drop menu opens over
# the region and the tile the pointer is released on is carried out.
#
#   tests/e2e/drop_e2e.sh CASE BUILD_DIR
#
#   drop_left_half  window 1 snapped into the left half of "Halves", window 2 dragged
#                   over it: the menu opens (screenshot drop-menu.png), release on "Left
#                   Half": window 2 takes the left half of that region and window 1 the
#                   right, 8 pixels apart
#   drop_swap       windows 1 and 2 snapped into the left and right halves, window 2
#                   dragged over the left half and released on "Swap": they trade places
#
# Needs an X display (CTest runs it through tools/with-xvfb.sh) and, in BUILD_DIR,
# Tessary.exe, tessary_sample_window.exe and tessary_e2e_probe.exe. The tiles are found
# where the program says it laid them out (its "demo tile" log lines). Each case leaves its
# files in BUILD_DIR/e2e/drop_CASE.
set -euo pipefail

# shellcheck source=../../tools/e2e/story.sh
source "$(dirname "$0")/../../tools/e2e/story.sh"

# At 96 DPI the work area is 0 0 1920 1060 (Wine's task bar takes the bottom 20 pixels)
# and the halves of "Halves" are 8 8 948 1044 and 964 8 948 1044. The left one split in
# two gives each part (948 - 8) / 2 = 470 pixels, the second starting one gap after the
# first: 8 8 470 1044 and 486 8 470 1044.
left="8 8 948 1044"
right="964 8 948 1044"
left_of_left="8 8 470 1044"
right_of_left="486 8 470 1044"

# drag_over TITLE X Y: presses on the window's title bar and carries it to X Y, then waits
# for the drop menu.
drag_over() {
  local x y
  e2e_close_assist
  read -r x y _ <<<"$(frame_of "$1")"
  e2e_press_at "$((x + 120))" "$((y + 10))"
  e2e_drag_move "$2" "$3" 20
  e2e_wait_visible "Tessary drop menu" 1 5 || { screenshot no-menu; e2e_fail "no drop menu opened"; }
}

# release_on LABEL REGION: moves onto the tile the program laid out for LABEL, holds it
# until it arms and releases there.
release_on() {
  local log line tx ty tw th
  log=$(e2e_log_file first)
  e2e_wait_until 3 grep -q "^demo tile $1 $2 " "$log" || e2e_fail "no \"$1\" tile was laid out"
  line=$(grep "^demo tile $1 $2 " "$log" | tail -n 1 | tr -d '\r')
  read -r tx ty tw th <<<"${line#"demo tile $1 $2 "}"
  e2e_drag_move "$((tx + tw / 2))" "$((ty + th / 2))" 6
  sleep 0.4
  e2e_drag_end
}

case_drop_left_half() {
  local one="Drop me 1" two="Drop me 2" frame
  e2e_start_tessary first
  e2e_start_samples --title "Drop me" --rect 300 300 640 420 --rect 1000 360 640 420
  [ "$(e2e_probe region halves 0)" = "$left" ] ||
    e2e_fail "the probe sees the left half at $(e2e_probe region halves 0)"
  snap_into halves 0 1 "$one"
  drag_over "$two" 482 530
  sleep 0.4  # the tile under the pointer is highlighted
  screenshot drop-menu
  release_on "Left Half" 0
  frame=$(wait_frame "$two" "$left_of_left") || e2e_fail "$two is at $frame, not $left_of_left"
  frame=$(wait_frame "$one" "$right_of_left") || e2e_fail "$one is at $frame, not $right_of_left"
  e2e_wait_until 3 grep -q "^split drop intent=4 region=0 noRoom=0" "$(e2e_log_file first)" ||
    e2e_fail "the log shows no split drop"
  e2e_wait_visible "Tessary drop menu" 0 3 || e2e_fail "the drop menu stayed up"
  screenshot dropped
  e2e_quit first
}

case_drop_swap() {
  local one="Swap me 1" two="Swap me 2" frame
  start_with_halves "Swap me"
  drag_over "$two" 482 530
  release_on Swap 0
  frame=$(wait_frame "$two" "$left") || e2e_fail "$two is at $frame, not $left"
  frame=$(wait_frame "$one" "$right") || e2e_fail "$one is at $frame, not $right"
  e2e_wait_until 3 grep -q "^region drop intent=7 region=0" "$(e2e_log_file first)" ||
    e2e_fail "the log shows no swap"
  e2e_quit first
}

e2e_story_case drop_ "${1:-}" "${2:-}"
