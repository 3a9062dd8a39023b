// A corner drop onto a display that shows another layout: the windows already there move
// into the corner layout too, and the split between the dropped window and its new
// neighbours is fitted to what each app can shrink to.

#include <cmath>

#include "base/log.h"
#include "engine/coordinator.h"
#include "layout/tree_geometry.h"

namespace tessary {
namespace {

constexpr double kSameEdge = 1e-9;
constexpr double kCoveredShare = 0.9;


bool SameRect(const Rect& a, const Rect& b) {
  return std::abs(a.x - b.x) <= kSameEdge && std::abs(a.y - b.y) <= kSameEdge &&
         std::abs(a.width - b.width) <= kSameEdge && std::abs(a.height - b.height) <= kSameEdge;
}

}  // namespace

void Coordinator::CornerSplit(const PlacementRequest& request, int displayIndex,
                              const SnapLayout& previous) {
  const Monitor m = displays_[static_cast<std::size_t>(displayIndex)];
  RegionMap oldUnit = RegionRects(previous.tree, kUnitRect);
  RegionMap newUnit = RegionRects(request.layout.tree, kUnitRect);
  RegionLists members = MembersOn(displayIndex, previous, request.window);

  // The windows of every old region that the corner layout divides go to the first other
  // region that lies within it; each remembers the region it came from.
  std::int32_t otherRegion = -1;
  std::vector<WindowId> others;
  for (const auto& [oldRegion, oldRect] : oldUnit) {
    bool kept = false;
    for (const auto& [region, rect] : newUnit) {
      if (SameRect(rect, oldRect)) kept = true;
    }
    if (kept) continue;
    auto listed = members.find(oldRegion);
    if (listed == members.end() || listed->second.empty()) continue;
    std::int32_t found = -1;
    for (const auto& [region, rect] : newUnit) {
      if (region == request.region) continue;
      Rect overlap = Intersect(rect, oldRect);
      if (overlap.width * overlap.height > kCoveredShare * rect.width * rect.height) {
        found = region;
        break;
      }
    }
    if (found < 0) continue;
    if (otherRegion < 0) otherRegion = found;
    for (WindowId window : listed->second) others.push_back(window);
  }

  if (otherRegion < 0 || others.empty()) {
    PlaceIntoRegion(request.window, displayIndex, request.layout, request.region, request.startRect,
                    request.kind);
    return;
  }

  priorRects_.try_emplace(request.window, request.startRect);
  // Where each neighbour stands now, to put it back exactly there if the split fails.
  std::vector<std::pair<WindowId, Rect>> neighboursBefore;
  for (WindowId window : others) {
    std::optional<Rect> frame = desktop_.FrameBounds(window);
    if (!frame) continue;
    neighboursBefore.push_back({window, *frame});
    priorRects_.try_emplace(window, *frame);
  }
  SplitFitResult fit =
      FitSplit(request.window, request.region, otherRegion, others, request.layout, displayIndex);
  if (fit.success) {
    layouts_.RememberLayout(m.id, fit.layout);
    placements_[request.window] = {m.id, request.region};
    for (WindowId window : others) placements_[window] = {m.id, otherRegion};
    StartWatchIfArranging();
    StartAssist(displayIndex, fit.layout, request.window);
  } else {
    // Everyone goes back: the neighbours to where they stood in the layout that stays
    // active, the dropped window to where the drag started.
    OpenBatch();
    for (const auto& [window, frame] : neighboursBefore) {
      if (platform().windows.Exists(window)) batches_.back().push_back({window, frame});
    }
    if (platform().windows.Exists(request.window)) {
      batches_.back().push_back({request.window, request.startRect});
    }
    CommitBatch();
    if (fit.noRoom) {
      Notify(AppNameOf(request.window) + " and " + AppNameOf(others.front()) +
             " need more room than this space has. Their prior sizes were restored.");
    }
  }
  Log("corner split region=%d noRoom=%d", request.region, fit.noRoom ? 1 : 0);
}

}  // namespace tessary
