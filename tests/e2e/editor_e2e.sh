#!/usr/bin/env bash
# The layout editor of the real Tessary.exe under Wine, opened from the tray menu and
# used with real clicks: "Create Custom Layout…", split the whole screen side by side,
# select the right half in the preview and split it again, name the layout "Trio" and
# "Save && Apply". The editor closes, layouts.json holds "Trio" as the display's own and
# active layout, and the sample window goes to the new layout's first region.
#
#   tests/e2e/editor_e2e.sh BUILD_DIR
#
# The editor is photographed just before saving (layout-editor.png, the picture in the
# README); it and the log stay in BUILD_DIR/e2e/editor_create.
#
# The editor's controls are placed in units of 1/96 inch; at 96 DPI one unit is one pixel,
# so the client area is 860 x 680 and the controls lie at their table positions:
# "Split Side by Side" 16 448 150 30, the name box 80 16 300 26, "Save && Apply"
# 726 630 118 32, the preview canvas 16 56 828 380. The work area is 1920 x 1060, so the
# preview keeps that shape inside the canvas less 12 all round: 356 high, 356 x 1920 /
# 1060 = 644.8 wide, from x = 12 + (804 - 644.8) / 2 = 91.6, y = 12. The right half's
# middle is at 91.6 + 644.8 x 0.75 = 575 across and 12 + 178 = 190 down in the canvas.
#
# Region 0 of Columns(0.5: 0, Columns(0.5: 1, 2)) at scale 1 (gap 8) on the work area:
# the inner area is 1912 x 1052 from (4, 4), so region 0 is 8 8 948 1044.
set -euo pipefail

# shellcheck source=../../tools/e2e/story.sh
source "$(dirname "$0")/../../tools/e2e/story.sh"

e2e_story editor_create "${1:-}"

editor="Create Custom Layout"
region0="8 8 948 1044"

# A click at a point of the editor's client area.
click_in_editor() {
  local cx cy
  read -r cx cy _ <<<"$(e2e_probe client "$editor")"
  e2e_click_at "$((cx + $1))" "$((cy + $2))"
  sleep 0.3
}

e2e_start_tessary first
e2e_start_samples --title "Editor sample" --rect 300 300 640 420
[ "$(e2e_probe workarea)" = "0 0 1920 1060" ] ||
  e2e_fail "the work area is $(e2e_probe workarea), not 0 0 1920 1060"

# The tray menu through its open request; "Switch Layout" (the second submenu) offers
# "Create Custom Layout…" first while there are no own layouts.
e2e_probe open 9 "$(e2e_main_window first)" >/dev/null || e2e_fail "no tray menu"
e2e_probe submenu-first 2 "$(e2e_main_window first)" >/dev/null ||
  { screenshot no-submenu; e2e_fail "the tray menu has no second submenu"; }
e2e_wait_visible "$editor" 1 5 || { screenshot no-editor; e2e_fail "the menu did not open the editor"; }
read -r _ _ width height <<<"$(e2e_probe client "$editor")"
[ "$width $height" = "860 680" ] || e2e_fail "the editor's client area is $width x $height"
sleep 0.3

click_in_editor 91 463    # "Split Side by Side"
click_in_editor 591 246   # the right half in the preview (16 + 575, 56 + 190)
click_in_editor 91 463    # split it again
click_in_editor 230 29    # the name box
xdotool type --delay 50 "Trio"
sleep 0.3
screenshot editor-split
window_shot "$editor" layout-editor
click_in_editor 785 646   # "Save && Apply"
e2e_wait_visible "$editor" 0 5 || { screenshot editor-stayed; e2e_fail "saving left the editor open"; }

state=$(e2e_state_dir first)
e2e_wait_until 5 grep -qF 'Trio' "$state/layouts.json" ||
  e2e_fail "layouts.json holds no Trio: $(cat "$state/layouts.json" 2>/dev/null)"
python3 - "$state/layouts.json" <<'PY' || e2e_fail "layouts.json: $(cat "$state/layouts.json")"
import json, sys
store = json.load(open(sys.argv[1], encoding="utf-8"))
own = [l for ls in json.loads(store["customLayouts.v1"]).values() for l in ls]
active = list(json.loads(store["activeLayouts.v1"]).values())
tree = {"axis": "columns", "ratio": 0.5, "first": {"region": 0},
        "second": {"axis": "columns", "ratio": 0.5, "first": {"region": 1},
                   "second": {"region": 2}}}
assert len(own) == 1 and own[0]["name"] == "Trio" and own[0]["id"].startswith("user-"), own
assert own[0]["tree"] == tree, own[0]["tree"]
assert active and active[0]["id"] == own[0]["id"], active
PY
frame=$(wait_frame "Editor sample" "$region0") ||
  e2e_fail "the sample window is at $frame, not in region 0 ($region0)"
e2e_quit first
echo "PASS editor_create"
