// The Coordinator's display entry points: a display or work-area change (windows in
// regions follow a moved task bar; a returning arrangement gets its windows back) and the
// recovery of each display's layout from where the windows stand. The state and the
// rules live in DisplayChanges (display_changes.h) and display_rules.h.

#include <algorithm>

#include "base/log.h"
#include "engine/coordinator.h"
#include "engine/display_rules.h"
#include "layout/builtin_layouts.h"

namespace tessary {
namespace {

constexpr double kPassDelay = 0.15;

}  // namespace

FramesFrontFirst Coordinator::ManageableFrames() {
  FramesFrontFirst frames;
  for (WindowId w : platform().zOrder.TopLevelWindows()) {
    if (!desktop_.IsManageable(w)) continue;
    if (std::optional<Rect> frame = desktop_.FrameBounds(w)) frames.push_back({w, *frame});
  }
  return frames;
}

void Coordinator::OnDisplaysChanged() {
  std::vector<Monitor> now;
  desktop_.EnumerateDisplays(now);
  const std::vector<Monitor> known = displayChanges_.Known();

  // Only the work areas changed (a task bar moved, grew or hid): every window in a region
  // or a span keeps its place in the layout.
  std::vector<GlideItem> follow;
  if (SameDisplays(known, now)) {
    FramesFrontFirst frames = ManageableFrames();
    // The window being dragged is the user's, wherever it is.
    if (dragActive_)
      std::erase_if(frames, [&](const WindowFrame& f) { return f.window == drag_.window; });
    for (const Monitor& before : known) {
      std::optional<SnapLayout> active = layouts_.ActiveLayout(before.id);
      if (!active) continue;
      auto after =
          std::find_if(now.begin(), now.end(), [&](const Monitor& m) { return m.id == before.id; });
      // A display whose work area stayed has nothing to follow; its windows are not
      // pulled to their regions' full size by someone else's change.
      if (after->work == before.work) continue;
      FollowWorkArea(*active, before, *after, frames, follow);
    }
  }
  std::optional<DisplayChanges::Return> returning =
      displayChanges_.Returning(now, [this](WindowId w) {
        return platform().windows.Exists(w) && !(dragActive_ && w == drag_.window);
      });

  displayChanges_.SetKnown(now);
  displays_ = now;
  if (dragActive_) ReaimDrag();

  if (!follow.empty()) {
    Log("work area changed: %d windows follow", static_cast<int>(follow.size()));
    // Straight to the motion: a window keeping its place neither rejoins its stack (the
    // use order stays) nor gets a new rectangle to restore.
    desktop_.Glide(follow);
    ScheduleRefresh(kPassDelay);
  }
  if (returning) ReturnArrangement(*returning);
  RecoverDisplayLayouts();
}

void Coordinator::ReturnArrangement(const DisplayChanges::Return& returning) {
  Log("arrangement returned: %d windows", static_cast<int>(returning.moves.size()));
  if (returning.moves.empty()) return;
  desktop_.Glide(returning.moves);
  for (const auto& [display, layout] : returning.layouts) layouts_.RememberLayout(display, layout);
}

void Coordinator::RecoverDisplayLayouts() {
  RefreshDisplays();
  displayChanges_.SetKnown(displays_);
  const FramesFrontFirst frames = ManageableFrames();
  for (const Monitor& m : displays_) {
    FramesFrontFirst onDisplay;
    for (const WindowFrame& f : frames) {
      const Point centre{f.frame.x + f.frame.width / 2, f.frame.y + f.frame.height / 2};
      const int at = DisplayAt(displays_, centre);
      if (at >= 0 && displays_[static_cast<std::size_t>(at)].id == m.id) onDisplay.push_back(f);
    }
    const std::optional<SnapLayout> current = layouts_.ActiveLayout(m.id);
    std::optional<RecoveredLayout> chosen =
        ChooseRecoveredLayout(layouts_.RecoveryList(m.id), current, m, onDisplay);
    if (!chosen) continue;
    if (!current || !LayoutsEqual(*current, chosen->layout)) {
      Log("recovered %s on a display", chosen->layout.id.c_str());
      layouts_.RememberLayout(m.id, chosen->layout);
    }
    for (const auto& [region, windows] : chosen->standing) {
      for (WindowId w : windows) {
        if (!placements_.contains(w)) placements_[w] = {m.id, region};
      }
    }
  }
  ScheduleRefresh(kPassDelay);
}

void Coordinator::ReaimDrag() {
  // The drag's view of the displays is stale: take it again and let the next tick find
  // its target afresh.
  HideTargets();
  dwell_.Clear();
  drag_.kind = kTargetNone;
  drag_.armed = false;
  drag_.display = -1;
  cornerCache_ = {};
  columnCache_ = {};
  BuildDragDisplays();
  // The dragged window stays out of every stack until it is dropped.
  for (DragDisplay& display : dragDisplays_) {
    for (auto& [region, windows] : display.members) std::erase(windows, drag_.window);
  }
  for (auto& [id, lists] : membership_) {
    for (auto& [region, windows] : lists) std::erase(windows, drag_.window);
  }
}

}  // namespace tessary
