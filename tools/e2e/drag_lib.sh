# Helpers shared by the e2e stories that drag and measure windows (sourced after lib.sh).

# The probe for answers that never change (a layout's regions, a picker tile): a probe that
# Wine failed to start while the desktop was busy starting other programs is asked again.
probe_fixed() { e2e_probe "$@" || { sleep 0.5; e2e_probe "$@"; }; }

# The title of the first of two windows that comes in the front-to-back list.
front_of() { e2e_probe windows | grep -oE "\"($1|$2)\"" | head -n 1 | tr -d '"'; }
# Whether the first title stands in front of the second. Under Wine the raise can land a
# moment after the activation that a switch makes, so callers wait for it.
in_front() { [ "$(front_of "$1" "$2")" = "$1" ]; }
foreground_is() { [ "$(e2e_probe foreground)" = "$1" ]; }

screenshot() {
  import -window root "$E2E_WORK/$1.png" 2>/dev/null || e2e_log "no screenshot $1"
}

# window_shot TITLE NAME: the window alone, as the README shows it.
window_shot() {
  local x y w h
  read -r x y w h <<<"$(e2e_probe rect "$1")" || { screenshot "$2"; return; }
  import -window root -crop "${w}x${h}+$((E2E_OFFSET_X + x))+$((E2E_OFFSET_Y + y))" +repage \
    "$E2E_WORK/$2.png" 2>/dev/null || e2e_log "no screenshot $2"
}

# The visible frame of the window titled $1, as the program measures it.
frame_of() { e2e_probe frame "$1"; }
# frame_is TITLE EXPECTED: whether that frame is EXPECTED now; for e2e_wait_until, where a
# window stands only while the pointer holds it there (the outline, the badge).
frame_is() { [ "$(frame_of "$1")" = "$2" ]; }

# wait_frame TITLE EXPECTED [SECONDS]: waits until the window's frame is EXPECTED and has
# stayed so for half a second (placing and following glide); prints the last frame seen.
wait_frame() {
  local title=$1 expected=$2 tries=$((${3:-10} * 10)) now="" stable=0
  while [ $tries -gt 0 ]; do
    now=$(frame_of "$title")
    if [ "$now" = "$expected" ]; then
      stable=$((stable + 1))
      if [ $stable -ge 5 ]; then echo "$now"; return 0; fi
    else
      stable=0
    fi
    sleep 0.1
    tries=$((tries - 1))
  done
  echo "$now"
  return 1
}

# snap_into LAYOUT REGION N TITLE: drags sample window N through the picker onto that
# region of a built-in layout and waits until it is there.
snap_into() {
  local layout=$1 region=$2 n=$3 title=$4 expected px py frame
  expected=$(probe_fixed region "$layout" "$region") || e2e_fail "the probe knows no $layout region $region"
  read -r px py <<<"$(probe_fixed picker-point "$layout" "$region")" || e2e_fail "the probe found no picker tile"
  e2e_drag_to_top_center "$n" 0.3
  e2e_wait_visible "Choose a Layout" 1 5 || { screenshot no-picker; e2e_fail "the picker did not drop down"; }
  e2e_drag_move "$px" "$py" 10
  sleep 0.2
  e2e_drag_end
  frame=$(wait_frame "$title" "$expected") || e2e_fail "$title is at $frame, not $layout region $region $expected"
}

# start_with_halves TITLE: starts the first copy and two sample windows, "TITLE 1" and
# "TITLE 2"; checks that the work area and the halves of "Halves" are those of a 1920 x
# 1080 desktop at 96 DPI, which the stories' numbers rest on; and snaps the windows into
# the left and the right half.
start_with_halves() {
  local halves="8 8 948 1044 / 964 8 948 1044" seen
  e2e_start_tessary first
  e2e_start_samples --title "$1" --rect 300 300 640 420 --rect 1000 360 640 420
  [ "$(e2e_probe workarea)" = "0 0 1920 1060" ] ||
    e2e_fail "the work area is $(e2e_probe workarea), not 0 0 1920 1060"
  seen="$(e2e_probe region halves 0) / $(e2e_probe region halves 1)"
  [ "$seen" = "$halves" ] || e2e_fail "the probe sees the halves at $seen, not $halves"
  snap_into halves 0 1 "$1 1"
  snap_into halves 1 2 "$1 2"
}
