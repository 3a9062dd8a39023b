#!/usr/bin/env bash
# The settings window of the real Tessary.exe under Wine, opened from the tray menu.
#
#   tests/e2e/settings_e2e.sh BUILD_DIR
#
# "Settings…" is the fifth item from the bottom of the tray menu (Quit, About, Check for
# Updates, Help, then Settings; separators are skipped). The window opens on the only
# display at 96 DPI, so a unit is a pixel. Screenshots of its three sections
# (settings-general.png, settings-stacks.png, settings-shortcuts.png, cut from the client
# area along the table's columns) stay in BUILD_DIR/e2e/settings for docs/images.
#
# Tab visits every enabled control in the table's order and comes back to the first. A
# click on a mouse box and then the middle button binds that button.
# Then the "Fill Screen with Focused Window" keys field (row 8: 76 + 8 x 30 = 316 down,
# 636 across, 150 x 24) is clicked and Ctrl+Alt+K pressed: settings.json holds the new
# keys; "Close" closes the window, and Ctrl+Alt+K fills a sample window.
set -euo pipefail

# shellcheck source=../../tools/e2e/story.sh
source "$(dirname "$0")/../../tools/e2e/story.sh"

e2e_story settings "${1:-}"

title="Tessary Settings"
e2e_start_tessary first
main=$(e2e_main_window first)

# From the tray icon, as the user opens it. A click while start-up is still drawing ahead
# may go unseen; a user clicks again.
for attempt in 1 2 3; do
  e2e_click_tray_icon
  e2e_probe choose-up 5 "$main" >/dev/null && break
  [ "$attempt" -lt 3 ] || { screenshot no-menu; e2e_fail "clicking the tray icon opened no menu"; }
done
e2e_wait_visible "$title" 1 5 || { screenshot no-settings; e2e_fail "\"Settings…\" opened no window"; }
e2e_probe activate "$title" >/dev/null || true
sleep 0.5

read -r cx cy cw ch <<<"$(e2e_probe client "$title")"
[ "$cw $ch" = "964 692" ] || e2e_fail "the client area is $cw x $ch, not 964 x 692 units at 96 DPI"
screenshot settings-window
cut_section() {  # NAME X Y WIDTH HEIGHT, in client pixels
  convert "$E2E_WORK/settings-window.png" -crop "$4x$5+$((cx + $2))+$((cy + $3))" +repage \
    "$E2E_WORK/$1.png" || e2e_fail "could not cut $1"
}
cut_section settings-general 0 0 410 176
cut_section settings-stacks 0 172 410 294
cut_section settings-shortcuts 405 0 559 692

# Tab order: General, Window Stacks, then each row's keys field and mouse box, then
# "Restore Defaults" and "Close". "Check Now" is skipped while it is greyed.
expected="103 105 201 202 203 204 205 206"
for row in 0 1 2 3 4 5 6 7 8 9 10; do expected+=" $((300 + row)) $((320 + row))"; done
expected+=" 311 312 313 314"  # the moves' rows have keys only
expected+=" 341 342 101"
[ "$(e2e_probe focus-id "$title")" = 101 ] || e2e_fail "the window opened with focus on $(e2e_probe focus-id "$title")"
visited=""
for _ in $(seq 1 40); do
  e2e_key Tab
  sleep 0.15
  id=$(e2e_probe focus-id "$title")
  [ "$id" = 104 ] || visited+="${visited:+ }$id"
  [ "$id" = 101 ] && break
done
[ "$visited" = "$expected" ] || e2e_fail "Tab went through $visited, not $expected"

# The middle button for Show Window Stack: its mouse box (row 3: 166 down, 794 across,
# 150 x 26) waits for the next click, which the mouse hook captures.
e2e_click_at "$((cx + 869))" "$((cy + 179))"
sleep 0.3
screenshot settings-waiting
xdotool click 2
state=$(e2e_state_dir first)
e2e_wait_until 5 grep -qF '"mouseShortcuts":{"stack":{"button":3,"mods":0}}' "$state/settings.json" ||
  { screenshot button-unchanged; e2e_fail "the middle click was not captured: $(cat "$state/settings.json")"; }

# New keys for Fill Screen through the system's hotkey field.
e2e_click_at "$((cx + 711))" "$((cy + 329))"
sleep 0.3
[ "$(e2e_probe focus-id "$title")" = 308 ] || e2e_fail "the click did not focus Fill Screen's keys"
e2e_key ctrl+alt+k
e2e_wait_until 5 grep -qF '"fill":{"vk":75,"mods":3}' "$state/settings.json" ||
  { screenshot keys-unchanged; e2e_fail "settings.json does not hold Ctrl+Alt+K: $(cat "$state/settings.json")"; }
screenshot settings-new-keys
# "Close" stands at the bottom right: 820 to 944 across, 648 to 676 down.
e2e_click_at "$((cx + 882))" "$((cy + 662))"
e2e_wait_visible "$title" 0 5 || e2e_fail "\"Close\" left the window open"

e2e_start_samples --title "Fill me" --rect 300 200 640 420
start=$(e2e_rect 1)
e2e_click_window 1
e2e_key ctrl+alt+k
filled=$(e2e_wait_rect_change 1 "$start") || e2e_fail "Ctrl+Alt+K did not fill the window ($filled)"
e2e_quit first
echo "PASS settings"
