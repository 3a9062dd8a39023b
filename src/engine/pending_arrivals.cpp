// Timer 6: the windows of apps started for a composition are placed as they appear. A
// window is taken only once it has been there 0.8 s and still for 0.6 s, because a
// starting app often moves its window into place itself; one that moves away again
// soon after being placed is placed once more, never more often.

#include <algorithm>

#include "engine/compositions.h"
#include "engine/coordinator.h"
#include "engine/region_membership.h"
#include "layout/tree_geometry.h"

namespace tessary {
namespace {

constexpr double kSettled = 1.5;   // an entry placed this long ago is left alone
constexpr double kAppeared = 0.8;  // a window is taken only after being seen this long
constexpr double kStill = 0.6;     // and after its frame has not changed for this long
constexpr double kMovedBy = 2;     // the frame change that counts as moving
constexpr std::int32_t kMostPlacements = 2;
// The clock's ticks fall on a grid; a wait that ends exactly on a tick has ended.
constexpr double kSlack = 1e-6;

}  // namespace

void Compositions::Tick() {
  if (!pending_) {
    c_.platform().timers.Stop(kCompositionTimerId);
    return;
  }
  const double now = c_.Now();
  std::optional<SnapLayout> active = c_.layouts_.ActiveLayout(pending_->display);
  const bool stillShown = active && active->id == pending_->layout.id;
  const bool settled = std::all_of(
      pending_->entries.begin(), pending_->entries.end(), [&](const PendingArrivals::Entry& e) {
        return e.window != kNoWindow && now - e.placedAt >= kSettled - kSlack;
      });
  if (!stillShown || now > pending_->deadline || settled) {
    End(stillShown);
    return;
  }
  if (c_.dragActive_) return;

  c_.RefreshDisplays();
  const auto display = std::find_if(c_.displays_.begin(), c_.displays_.end(),
                                    [&](const Monitor& m) { return m.id == pending_->display; });
  if (display == c_.displays_.end()) {
    End(false);
    return;
  }
  const RegionMap rects =
      PixelRegionRects(pending_->layout, display->work, RegionGap(display->scale));
  const std::vector<WindowId> windows = c_.desktop_.ManageableWindows();
  Track(windows, now);

  std::set<WindowId> taken = pending_->placed;
  for (const PendingArrivals::Entry& entry : pending_->entries) {
    if (entry.window != kNoWindow) taken.insert(entry.window);
  }
  for (PendingArrivals::Entry& entry : pending_->entries) {
    if (entry.window == kNoWindow || now - entry.placedAt >= kSettled - kSlack ||
        entry.placements >= kMostPlacements) {
      continue;
    }
    const Rect* rect = rects.Get(entry.region);
    std::optional<Rect> frame = c_.desktop_.FrameBounds(entry.window);
    if (!rect || !frame || !NearlyEqual(*frame, *rect, 1.0)) entry.window = kNoWindow;
  }
  for (PendingArrivals::Entry& entry : pending_->entries) {
    const Rect* rect = rects.Get(entry.region);
    if (entry.window != kNoWindow || entry.placements >= kMostPlacements || !rect) continue;
    PlaceArrival(entry, *rect, windows, taken, now);
  }
}

void Compositions::Track(const std::vector<WindowId>& windows, double now) {
  for (WindowId window : windows) {
    std::optional<Rect> frame = c_.desktop_.FrameBounds(window);
    if (!frame) continue;
    auto [it, added] =
        pending_->seen.try_emplace(window, PendingArrivals::Sighting{now, now, *frame});
    if (!added && !NearlyEqual(it->second.frame, *frame, kMovedBy)) {
      it->second.lastChange = now;
      it->second.frame = *frame;
    }
  }
}

void Compositions::PlaceArrival(PendingArrivals::Entry& entry, const Rect& rect,
                                const std::vector<WindowId>& windows, std::set<WindowId>& taken,
                                double now) {
  for (WindowId window : windows) {
    if (taken.contains(window)) continue;
    auto seen = pending_->seen.find(window);
    if (seen == pending_->seen.end()) continue;
    if (now - seen->second.firstSeen < kAppeared - kSlack ||
        now - seen->second.lastChange < kStill - kSlack) {
      continue;
    }
    if (c_.desktop_.AppIdOf(window) != entry.app) continue;

    ++entry.placements;
    c_.priorRects_.try_emplace(window, seen->second.frame);
    if (!c_.desktop_.PlaceExactly(window, rect)) {
      // Seen anew: it waits the whole time again before the next try.
      pending_->seen.erase(seen);
      return;
    }
    entry.window = window;
    entry.placedAt = now;
    taken.insert(window);
    AssignToRegion(window, pending_->display, entry.region);
    if (!entry.firstApp) {
      // A further app of the region goes behind the window in front there, as a stack member.
      for (WindowId other : windows) {
        if (other == window) continue;
        std::optional<Rect> frame = c_.desktop_.FrameBounds(other);
        if (frame && InRegion(*frame, rect)) {
          c_.platform().zOrder.PlaceBelow(window, other);
          break;
        }
      }
    }
    c_.ScheduleRefresh(0.15);
    return;
  }
}

void Compositions::End(bool stillShown) {
  c_.platform().timers.Stop(kCompositionTimerId);
  std::vector<std::string> names;
  for (const PendingArrivals::Entry& entry : pending_->entries) {
    if (entry.window != kNoWindow) continue;
    std::string name = c_.desktop_.AppName(entry.app);
    if (std::find(names.begin(), names.end(), name) == names.end()) names.push_back(name);
  }
  pending_.reset();
  if (names.empty() || !stillShown) return;
  c_.Notify(JoinedNames(names) +
            " didn't settle into its spot in time, so it was left where it is.");
}

}  // namespace tessary
