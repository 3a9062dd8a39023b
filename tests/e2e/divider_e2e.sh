#!/usr/bin/env bash
# The divider editor of the real Tessary.exe under Wine, driven with real mouse input.
#
#   tests/e2e/divider_e2e.sh BUILD_DIR
#
# Two sample windows snapped into the halves of "Halves"; Ctrl+Alt+A opens the editor
# over the work area; the handle on the divider is dragged 239 pixels to the right and
# "Done" clicked: both windows stand on the new divider, the editor is gone and
# layouts.json keeps the display's new proportions. Opened once more, Escape closes it.
# Screenshots (dividers-open.png, dividers-dragged.png, dividers-done.png) and the log stay
# in BUILD_DIR/e2e/dividers.
#
# At 96 DPI the work area is 0 0 1920 1060 (Wine's task bar takes the bottom 20 pixels),
# so the editor's panel is 1920 x 1060 units and the layout is laid over it inset by 4:
# 1912 x 1052 from (4, 4). The halves' divider lies at 4 + 1912 / 2 = 960, and its handle
# is centred half-way down, at y = 4 + 1052 / 2 = 530. Dropped at x = 1199 the divider
# goes to (1199 - 4) / 1912 = 0.625 of the width, a whole pixel: 4 + 1912 x 0.625 = 1199.
# With half a gap of 4 on either side the left window becomes 8 8 1187 1044 and the right
# one 1203 8 709 1044. "Done" is the toolbar's second button:
# the toolbar starts at 960 - 230 = 730, so "Done" spans 1108 to 1178 and 23 to 53.
set -euo pipefail

# shellcheck source=../../tools/e2e/story.sh
source "$(dirname "$0")/../../tools/e2e/story.sh"

e2e_story dividers "${1:-}"

editor="Adjust Shared Dividers"
one="Divide me 1"
two="Divide me 2"
moved_left="8 8 1187 1044"
moved_right="1203 8 709 1044"

start_with_halves "Divide me"

e2e_key ctrl+alt+a
e2e_wait_visible "$editor" 1 5 || { screenshot no-editor; e2e_fail "Ctrl+Alt+A did not open the editor"; }
[ "$(frame_of "$editor")" = "0 0 1920 1060" ] ||
  e2e_fail "the editor covers $(frame_of "$editor"), not the work area"
sleep 0.3
screenshot dividers-open

e2e_press_at 960 530
e2e_drag_move 1199 530 20
sleep 0.3
screenshot dividers-dragged
e2e_drag_end
# Windows follow when the handle is let go.
frame=$(wait_frame "$two" "$moved_right") || {
  screenshot dividers-released
  e2e_fail "$two is at $frame, not $moved_right ($one at $(frame_of "$one"))"
}
frame=$(wait_frame "$one" "$moved_left") || e2e_fail "$one is at $frame, not $moved_left"

e2e_click_at 1143 38
e2e_wait_visible "$editor" 0 5 || { screenshot editor-stayed; e2e_fail "\"Done\" left the editor open"; }
screenshot dividers-done
[ "$(frame_of "$one") / $(frame_of "$two")" = "$moved_left / $moved_right" ] ||
  e2e_fail "after \"Done\" the windows are at $(frame_of "$one") and $(frame_of "$two")"

# Opened again, the editor has the keyboard: Escape closes it.
e2e_key ctrl+alt+a
e2e_wait_visible "$editor" 1 5 || e2e_fail "Ctrl+Alt+A did not open the editor again"
sleep 0.3
e2e_key Escape
e2e_wait_visible "$editor" 0 5 || { screenshot escape-ignored; e2e_fail "Escape left the editor open"; }

log=$(e2e_log_file first)
state=$(e2e_state_dir first)
e2e_wait_until 5 grep -q "^dividers moved 2 windows" "$log" || e2e_fail "the log shows no divider move"
e2e_wait_until 5 grep -qF '\"ratio\":0.625' "$state/layouts.json" ||
  e2e_fail "layouts.json does not hold the new proportions: $(cat "$state/layouts.json" 2>/dev/null)"
e2e_quit first
echo "PASS dividers"
