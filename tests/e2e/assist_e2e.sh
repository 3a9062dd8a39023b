#!/usr/bin/env bash
# Snap Assist in the real Tessary.exe under Wine: after a snap, the empty region of the
# layout is covered by a panel offering the other windows, and a click fills it.
#
#   tests/e2e/assist_e2e.sh CASE BUILD_DIR
#
#   fill_halves  three sample windows; the first dragged through the picker into the left
#                half of "Halves": a panel "Choose a window for this space" covers the right
#                half exactly, offering the other two (screenshot snap-assist.png; copy it to
#                docs/images/ when the panel's look changes); a click on its first card
#                puts that window into the right half, and the panel goes away
#
# Needs an X display (CTest runs it through tools/with-xvfb.sh) and, in BUILD_DIR,
# Tessary.exe, tessary_sample_window.exe and tessary_e2e_probe.exe. Files are left in
# BUILD_DIR/e2e/assist_CASE.
set -euo pipefail

# shellcheck source=../../tools/e2e/story.sh
source "$(dirname "$0")/../../tools/e2e/story.sh"

panel="Choose a window for this space"

# The rectangle of the panel's first card in desktop pixels, from the log line the panel
# writes for each card ("demo card PANEL WINDOW X Y WIDTH HEIGHT").
first_card() { grep -m1 '^demo card ' "$1" | tr -d '\r' | awk '{ print $5, $6, $7, $8 }'; }

case_fill_halves() {
  local log right
  e2e_start_tessary first
  log=$(e2e_log_file first)
  # The two others stay clear of the right half, where the panel will be.
  e2e_start_samples --title "Assist" --rect 300 300 640 420 --rect 40 120 560 380 \
    --rect 120 560 600 400
  right=$(e2e_probe region halves 1) || e2e_fail "the probe knows no Halves region 1"
  snap_into halves 0 1 "Assist 1"

  e2e_wait_visible "$panel" 1 5 || { screenshot no-panel; e2e_fail "no Snap Assist panel appeared"; }
  grep -q '^assist: 2 candidates, 1 occupied, 1 empty' "$log" ||
    e2e_fail "the log does not show the plan: $(grep '^assist' "$log" | tr -d '\r')"
  local at
  at=$(frame_of "$panel")
  [ "$at" = "$right" ] || e2e_fail "the panel is at $at, not over the right half $right"
  sleep 0.5  # the panel's first paint
  screenshot snap-assist

  local x y w h
  read -r x y w h <<<"$(first_card "$log")"
  [ -n "$h" ] || e2e_fail "the log names no card"
  e2e_click_at "$((x + w / 2))" "$((y + h / 2))"
  # Either of the other two, whichever was in front, fills the right half.
  local filled=""
  for _ in $(seq 1 50); do
    if [ "$(frame_of "Assist 2")" = "$right" ]; then filled="Assist 2"; fi
    if [ "$(frame_of "Assist 3")" = "$right" ]; then filled="Assist 3"; fi
    [ -n "$filled" ] && break
    sleep 0.1
  done
  [ -n "$filled" ] || { screenshot chosen; e2e_fail "no window went into the right half $right"; }
  wait_frame "$filled" "$right" >/dev/null || e2e_fail "$filled did not stay in the right half"
  screenshot chosen
  e2e_wait_visible "$panel" 0 3 || e2e_fail "the panel stayed up after the last region was filled"
  e2e_log "$filled fills the right half $right"
  e2e_quit first
}

e2e_story_case assist_ "${1:-}" "${2:-}"
