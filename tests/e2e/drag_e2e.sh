#!/usr/bin/env bash
# Title-bar drags of a sample window onto the real Tessary.exe's targets, under Wine (or on
# Windows with a bash and xdotool-like hands), checked to the pixel.
#
#   tests/e2e/drag_e2e.sh CASE BUILD_DIR
#
#   snap_halves  drag to the top centre, the picker drops down, release over the left
#                half of "Halves": the window fills the left half with the gap around it,
#                the log shows the placement and layouts.json remembers "halves"
#   snap_corner  drag into the top-right corner with no active layout: the window takes
#                the top-right quarter
#   snap_halves_150  snap_halves with the system at 144 DPI (scale 1.5), its expected
#                rectangles worked out by hand: the picker's place and size, the outline
#                and the placed window with gaps of 12 pixels
#   stack_badge  two windows dropped onto the left half of "Halves" one after the other:
#                the second stands in front with the badge of the first on its left edge
#                (screenshot stack-badge.png), and Ctrl+Alt+] brings the first back
#   resize_together  two windows snapped into the halves of "Halves", then the right edge
#                of the left one dragged 200 pixels to the right: the right one follows,
#                one gap from it, and layouts.json keeps the display's new proportions
#                (screenshot resized.png)
#   picker_timing  three drags to the top centre in one run, each let go below the
#                picker: the log holds one well-formed "perf picker-show" line per drag,
#                whose figures and marks are printed with those of drawing the picker
#                ahead and of the outline (how fast is for people to judge)
#
# Needs an X display (CTest runs it through tools/with-xvfb.sh) and, in BUILD_DIR,
# Tessary.exe, tessary_sample_window.exe and tessary_e2e_probe.exe. Where the targets lie
# and where a placed window must end are asked of the probe, which uses the program's own
# geometry code. Each case leaves its files (log, state, screenshots) in
# BUILD_DIR/e2e/drag_CASE.
set -euo pipefail

# shellcheck source=../../tools/e2e/story.sh
source "$(dirname "$0")/../../tools/e2e/story.sh"

# The documents of the displays' active layouts in a layouts file. The file holds each
# document as a JSON string, so their inner quotes come escaped.
active_documents() {
  sed -n 's/.*"activeLayouts[^"]*":"\(\([^"\\]\|\\.\)*\)".*/\1/p' "$1" 2>/dev/null
}

# active_layout_is FILE ID: the layouts file names ID as a display's active layout.
active_layout_is() { grep -qF "\\\"id\\\":\\\"$2\\\"" <<<"$(active_documents "$1")"; }

# stored_ratio_is FILE ID PREFIX: that layout, and a split of it divides at a ratio
# written starting with PREFIX.
stored_ratio_is() {
  active_layout_is "$1" "$2" && grep -qF "\\\"ratio\\\":$3" <<<"$(active_documents "$1")"
}

# The state and log of the first copy, after a placement.
check_placed() {
  local region=$1 layout=$2
  local log state
  log=$(e2e_log_file first)
  state=$(e2e_state_dir first)
  e2e_wait_until 5 grep -qE "^placed kind=[0-9]+ region=$region held=" "$log" ||
    e2e_fail "the log shows no placement into region $region"
  e2e_wait_until 5 active_layout_is "$state/layouts.json" "$layout" ||
    e2e_fail "layouts.json does not record \"$layout\" as active: $(cat "$state/layouts.json" 2>/dev/null)"
}

# drop_on_tile TITLE X Y EXPECTED [PICKER]: drags sample window 1 to the top centre, where
# the picker drops down (to the frame PICKER when given), and onto the tile at X Y, where
# the outline shows EXPECTED; let go there, the window goes to EXPECTED and the picker
# away. Screenshots picker.png, over-region.png and placed.png.
drop_on_tile() {
  local title=$1 px=$2 py=$3 expected=$4 picker=${5:-} frame
  e2e_drag_to_top_center 1 0.3
  e2e_wait_visible "Choose a Layout" 1 5 || { screenshot no-picker; e2e_fail "the picker did not drop down"; }
  sleep 0.3  # the picker's drop-down glide
  screenshot picker
  frame=$(frame_of "Choose a Layout")
  [ -z "$picker" ] || [ "$frame" = "$picker" ] || e2e_fail "the picker is at $frame, not $picker"
  e2e_drag_move "$px" "$py" 10
  sleep 0.3
  screenshot over-region
  e2e_probe windows >"$E2E_WORK/windows-over-region.txt" || true
  # The outline shows where the release will put the window.
  e2e_wait_until 3 frame_is "Tessary destination" "$expected" ||
    e2e_fail "the outline is at $(frame_of "Tessary destination"), not $expected"
  e2e_drag_end
  frame=$(wait_frame "$title" "$expected") || { screenshot placed; e2e_fail "the window's frame is $frame, not $expected"; }
  screenshot placed
  e2e_wait_visible "Choose a Layout" 0 3 || e2e_fail "the picker stayed up after the release"
}

case_snap_halves() {
  local title="Snap me"
  e2e_start_tessary first
  e2e_start_samples --title "$title" --rect 300 300 640 420
  local expected target px py
  expected=$(e2e_probe region halves 0) || e2e_fail "the probe knows no Halves region 0"
  target=$(e2e_probe picker-point halves 0) || e2e_fail "the probe found no picker tile"
  read -r px py <<<"$target"
  e2e_log "aiming at $px,$py; expecting $expected"
  drop_on_tile "$title" "$px" "$py" "$expected"
  check_placed 0 halves
  e2e_quit first
}

case_snap_corner() {
  local title="Corner me"
  e2e_start_tessary first
  e2e_start_samples --title "$title" --rect 300 300 640 420
  local expected wx wy ww wh
  # No active layout: a corner drop makes the layout "quarters", whose region 2 is the
  # top of the right column.
  expected=$(e2e_probe region quarters 2) || e2e_fail "the probe knows no quarters region 2"
  read -r wx wy ww wh <<<"$(e2e_probe workarea)"

  e2e_drag_begin 1
  # Along the right side first, then up into the corner, clear of the top centre.
  e2e_drag_move "$((wx + ww - 3))" "$((wy + wh / 2))" 15
  e2e_drag_move "$((wx + ww - 3))" "$((wy + 3))" 15
  sleep 0.3
  screenshot corner
  e2e_drag_end
  local frame
  frame=$(wait_frame "$title" "$expected") || {
    screenshot placed
    e2e_fail "the window's frame is $frame, not the top-right quarter $expected"
  }
  screenshot placed
  check_placed 2 quarters
  e2e_quit first
}

# At scale 1.5 on the 1920 x 1080 desktop, whose work area is 1920 x 1052 (Wine's taskbar
# takes the bottom 28 pixels), by hand:
# - picker: available width W = min(1920 / 1.5 - 40, 820) = 820, 9 layouts in c = 5
#   columns of card width 148; thumbnail 132 x round(132 / (1920 / 1052)) = 72, card height
#   72 + 34 = 106; panel 820 x (12 + 2 * 106 + 66) = 820 x 290 units, so in pixels
#   x = round(960 - 1.5 * 820 / 2) = 345, y = round(12 * 1.5) = 18, 1230 x 435.
# - gap g = round(8 * 1.5) = 12: the inner area is 1908 x 1040 from (6, 6), and region 0
#   of "Halves" runs from 6 + 6 = 12 to 12 + 1908 / 2 - 12 = 954, and from 12 down to
#   12 + 1040 - 12 = 1040: 12 12 942 1028. Region 1 starts at 954 + 12 = 966.
workarea_is() { [ "$(e2e_probe workarea | tr -d '\r')" = "$1" ]; }

case_snap_halves_150() {
  local title="Snap me at 150%"
  local picker="345 18 1230 435" left="12 12 942 1028" right="966 12 942 1028"
  e2e_start_tessary first
  e2e_start_samples --title "$title" --rect 300 300 900 600
  # Wine's task bar settles its height at the new scale a moment after start-up.
  e2e_wait_until 5 workarea_is "0 0 1920 1052" ||
    e2e_fail "the work area is $(e2e_probe workarea), not 0 0 1920 1052"
  # The program's own geometry agrees with the hand-made numbers; it also aims the drag.
  [ "$(e2e_probe region halves 0) / $(e2e_probe region halves 1)" = "$left / $right" ] ||
    e2e_fail "the probe sees the halves at $(e2e_probe region halves 0) and $(e2e_probe region halves 1): not at scale 1.5"
  local px py
  read -r px py <<<"$(e2e_probe picker-point halves 0)" || e2e_fail "the probe found no picker tile"
  drop_on_tile "$title" "$px" "$py" "$left" "$picker"
  e2e_log "picker $picker, outline and window $left"
  check_placed 0 halves
  e2e_quit first
}

case_stack_badge() {
  local one="Stack me 1" two="Stack me 2" badge="Tessary stack badge"
  e2e_start_tessary first
  e2e_start_samples --title "Stack me" --rect 300 300 640 420 --rect 1000 360 640 420
  snap_into halves 0 1 "$one"
  snap_into halves 0 2 "$two"
  # The small badge (22 x 22) is centred on the front window's left edge, but not left of
  # the work area, 44 pixels below its top, directly above that window.
  local x y expected
  read -r x y _ <<<"$(e2e_probe region halves 0)"
  expected="$((x - 11 < 0 ? 0 : x - 11)) $((y + 44)) 22 22"
  e2e_wait_visible "$badge" 1 5 || { screenshot no-badge; e2e_fail "no badge appeared"; }
  e2e_wait_until 3 frame_is "$badge" "$expected" ||
    e2e_fail "the badge is at $(frame_of "$badge"), not $expected"
  e2e_probe windows >"$E2E_WORK/windows-stacked.txt"
  grep -A1 -F "\"$badge\"" "$E2E_WORK/windows-stacked.txt" | tail -n 1 | grep -qF "\"$two\"" ||
    e2e_fail "the badge is not directly above $two: $(cat "$E2E_WORK/windows-stacked.txt")"
  sleep 0.3  # the fade-in
  screenshot stack-badge
  # With the pointer beside it the badge grows to show the icons at full size.
  e2e_mouse_to 40 "$((y + 60))"
  sleep 0.5
  screenshot stack-badge-grown

  e2e_key ctrl+alt+bracketright
  e2e_wait_until 3 foreground_is "$one" ||
    e2e_fail "Ctrl+Alt+] left $(e2e_probe foreground) in the foreground, not $one"
  e2e_wait_until 3 in_front "$one" "$two" || e2e_fail "$one is not in front of $two"
  screenshot stepped
  e2e_quit first
}

# At 96 DPI the gap is 8 and the work area 0 0 1920 1060 (Wine's task bar takes the bottom
# 20 pixels): the inner area is 1912 x 1052 from (4, 4) and a divider at ratio r of it
# lies at 4 + 1912 r, with half a gap on either side. The halves are 8 8 948 1044 and
# 964 8 948 1044. Dragging the left window's right edge from 956 to 956 + 200 = 1156 makes
# r = 1156 / 1912 (the program keeps the grabbed edge where it was let go: the divider at
# 1160), so the left window keeps 8 8 1148 1044 and the right one starts one gap further,
# at 1164, and ends where it did, 1912: 1164 8 748 1044.
case_resize_together() {
  local one="Resize me 1" two="Resize me 2"
  local resized_left="8 8 1148 1044" resized_right="1164 8 748 1044"
  start_with_halves "Resize me"
  screenshot snapped

  # A few pixels inside the right border, half-way down: Wine starts its own size loop.
  local y=$((8 + 1044 / 2))
  e2e_press_at 953 "$y"
  e2e_drag_move 1153 "$y" 20
  sleep 0.3
  screenshot resizing
  e2e_drag_end
  local frame
  frame=$(wait_frame "$two" "$resized_right") || {
    screenshot resized
    e2e_fail "$two is at $frame, not $resized_right ($one at $(frame_of "$one"))"
  }
  frame=$(wait_frame "$one" "$resized_left") ||
    e2e_fail "$one is at $frame, not $resized_left"
  screenshot resized
  local log state
  log=$(e2e_log_file first)
  state=$(e2e_state_dir first)
  e2e_wait_until 5 grep -q "^resized together, 2 windows" "$log" ||
    e2e_fail "the log shows no resize together"
  # The display's tree of "Halves" now divides at 1156 / 1912 = 0.604602510...
  e2e_wait_until 5 stored_ratio_is "$state/layouts.json" halves 0.60460251 ||
    e2e_fail "layouts.json does not hold the new proportions: $(cat "$state/layouts.json" 2>/dev/null)"
  e2e_quit first
}

# One "perf picker-show" line: the total, the CPU time and the bracketed marks.
picker_show_line='^perf picker-show total=[0-9]+\.[0-9] cpu=[0-9]+\.[0-9]( \[[a-z-]+=[0-9]+\.[0-9]( [a-z-]+=[0-9]+\.[0-9])*\])?$'

case_picker_timing() {
  e2e_start_tessary first
  e2e_start_samples --title "Time me" --rect 300 300 640 420
  local log width lines i
  log=$(e2e_log_file first)
  read -r width _ <<<"$(e2e_probe desktop)"
  for i in 1 2 3; do
    e2e_drag_to_top_center 1 0.3
    e2e_wait_visible "Choose a Layout" 1 5 || e2e_fail "drag $i: the picker did not drop down"
    # Let go well below the panel, over no card: nothing is placed and the picker closes.
    e2e_drag_move "$((width / 2))" 500 10
    e2e_drag_end
    e2e_wait_visible "Choose a Layout" 0 5 || e2e_fail "drag $i: the picker stayed up"
  done
  e2e_wait_until 3 bash -c '[ "$(grep -c "^perf picker-show " "$0")" -ge 3 ]' "$log" ||
    e2e_fail "the log holds $(grep -c '^perf picker-show ' "$log") picker-show lines, not 3"
  lines=$(grep '^perf picker-show ' "$log" | tr -d '\r')
  [ "$(wc -l <<<"$lines")" -eq 3 ] || e2e_fail "not three picker-show lines: $lines"
  while IFS= read -r line; do
    grep -qE "$picker_show_line" <<<"$line" || e2e_fail "malformed: $line"
    echo "[picker_timing] $line"
  done <<<"$lines"
  # Drawing ahead is where the painting went; shown for the record, never judged.
  grep -E '^perf (picker-prepare|outline-show|drop-menu-show) ' "$log" | tr -d '\r' |
    sed 's/^/[picker_timing] /' || true
  e2e_quit first
}

# The story at 150 % runs in a prefix of its own whose system DPI is 144.
[ "${1:-}" = snap_halves_150 ] && export E2E_DPI=144
e2e_story_case drag_ "${1:-}" "${2:-}"
