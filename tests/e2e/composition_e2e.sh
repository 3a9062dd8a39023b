#!/usr/bin/env bash
# Ctrl+Alt+1 applies the user's first own layout with its app in the real Tessary.exe,
# under Wine: a layout of two halves names the sample window's program for the right
# half. With a sample window running, that window moves into the right half; with none
# running, the program is started and its window placed there once it has appeared.
#
#   tests/e2e/composition_e2e.sh BUILD_DIR
#
# The display's key (the one the layout is stored under) is read from the program's own
# log line for Ctrl+Alt+1 with no layouts of one's own, which beeps and says
# "switch 0 on KEY: 0 of your own". The layout is then written into layouts.json while
# the program is not running, and a second copy starts with it.
#
# The right half by hand, at scale 1 (gap 8) on the 1920 x 1080 desktop with Wine's
# 20-pixel task bar: the inner area is 1912 x 1052 from (4, 4); region 1 runs from
# 4 + 956 + 4 = 964 to 4 + 1912 - 4 = 1912 and from 8 down to 1052: 964 8 948 1044.
#
# Needs an X display (CTest runs it through tools/with-xvfb.sh) and, in BUILD_DIR,
# Tessary.exe, tessary_sample_window.exe and tessary_e2e_probe.exe. The logs, state and
# screenshots stay in BUILD_DIR/e2e/composition_switch.
set -euo pipefail

# shellcheck source=../../tools/e2e/story.sh
source "$(dirname "$0")/../../tools/e2e/story.sh"

# The display key from the first copy's log line for Ctrl+Alt+1.
display_key() {
  sed -n 's/^switch 0 on \(.*\): 0 of your own$/\1/p' "$(e2e_log_file first)" | tr -d '\r' | head -n 1
}

# Writes the own layout "Composer" (halves; the sample program in region 1) for display
# $1 into the state folder's layouts.json, keeping what the program stored there.
write_layout() {
  local file app
  file=$(e2e_state_dir first)/layouts.json
  app=$(e2e_winpath "$E2E_SAMPLE")
  python3 - "$file" "$1" "$app" <<'PY'
import json, os, sys
path, display, app = sys.argv[1:4]
store = {}
if os.path.exists(path):
    with open(path, encoding="utf-8") as f:
        store = json.load(f)
layout = {"apps": {"1": [app]}, "id": "user-00000001-0000-0000-0000-0000000000e2",
          "name": "Composer",
          "tree": {"axis": "columns", "first": {"region": 0}, "ratio": 0.5,
                   "second": {"region": 1}}}
store["customLayouts.v1"] = json.dumps({display: [layout]})
os.makedirs(os.path.dirname(path), exist_ok=True)
with open(path, "w", encoding="utf-8") as f:
    json.dump(store, f)
PY
}

compositions() { grep -c '^composition user-00000001-0000-0000-0000-0000000000e2: ' "$(e2e_log_file second)" || true; }

main() {
  local right="964 8 948 1044" key frame
  e2e_start_tessary first
  # The task bar (and with it the work area) exists once a program has opened the desktop.
  [ "$(e2e_probe region halves 1)" = "$right" ] ||
    e2e_fail "the program puts the right half at $(e2e_probe region halves 1), not $right"
  e2e_key ctrl+alt+1
  e2e_wait_until 5 grep -qs '^switch 0 on ' "$(e2e_log_file first)" ||
    e2e_fail "Ctrl+Alt+1 did not reach the program"
  key=$(display_key)
  [ -n "$key" ] || e2e_fail "no display key in the log"
  e2e_quit first
  write_layout "$key"

  # A running sample window goes to the layout's right half.
  e2e_start_tessary second TESSARY_STATE_DIR="$(e2e_winpath "$(e2e_state_dir first)")"
  e2e_start_samples --title "Composer sample" --rect 300 300 640 420
  e2e_key ctrl+alt+1
  frame=$(wait_frame "Composer sample" "$right") || {
    screenshot not-moved
    e2e_fail "after Ctrl+Alt+1 the running window's frame is $frame, not $right"
  }
  screenshot running-moved
  [ "$(compositions)" = 1 ] || e2e_fail "the log shows $(compositions) compositions, not 1"

  # With no sample running, Ctrl+Alt+1 starts one and places its window when it appears.
  kill "$(e2e_pid samples)" 2>/dev/null || true
  e2e_wait_until 10 test -z "$(e2e_probe frame "Composer sample")" ||
    e2e_fail "the sample window did not close"
  e2e_key ctrl+alt+1
  frame=$(wait_frame "Tessary sample" "$right" 20) || {
    screenshot not-started
    e2e_fail "the started window's frame is '$frame', not $right"
  }
  screenshot started-placed
  [ "$(compositions)" = 2 ] || e2e_fail "the log shows $(compositions) compositions, not 2"
  e2e_quit second
}

e2e_story composition_switch "${1:-}"
main
echo "PASS composition_switch"
