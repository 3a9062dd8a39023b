// A half drop: the hovered region is split in two, the dragged window takes one half and
// the windows already there the other, and the split is fitted to what each app can
// shrink to. When they cannot get small enough the dragged window joins the region's
// stack instead; a split that cannot be made at all sends it back where it came from.

#include <algorithm>

#include "base/log.h"
#include "engine/coordinator.h"
#include "engine/region_drops.h"
#include "layout/tree_geometry.h"

namespace tessary {

void RegionDrops::SplitDrop(const PlacementRequest& request, int displayIndex,
                            const SnapLayout& active) {
  const Monitor m = c_.displays_[static_cast<std::size_t>(displayIndex)];
  const DropIntent intent = request.intent;
  const std::int32_t r = intent.region;
  const WindowId dragged = request.window;
  std::optional<SplitDropLayout> split =
      SplitDropLayoutFor(active, r, intent.kind, c_.layouts_.LayoutsForDisplay(m.id));
  if (!split) return;

  std::vector<WindowId> others = ListedIn(displayIndex, active, {r}, dragged);
  for (WindowId window : others) {
    c_.useSequence_.Bump(window);
    if (std::optional<Rect> frame = c_.desktop_.FrameBounds(window)) {
      c_.priorRects_.try_emplace(window, *frame);
    }
  }
  c_.priorRects_.try_emplace(dragged, request.startRect);

  SplitFitResult fit =
      c_.FitSplit(dragged, split->dragged, split->other, others, split->layout, displayIndex);
  if (fit.success) {
    c_.layouts_.RememberLayout(m.id, fit.layout);
    for (WindowId window : others) c_.placements_[window] = {m.id, split->other};
    c_.placements_[dragged] = {m.id, split->dragged};
    if (intent.kind == kDropLeftHalf || intent.kind == kDropRightHalf) {
      splits_[m.id].push_back({r, split->created});
    }
  } else {
    const RegionMap rects = PixelRegionRects(active, m.work, RegionGap(m.scale));
    const Rect* spot = rects.Get(r);
    c_.OpenBatch();
    if (spot) {
      // The last listed first, so that the front window ends in front again.
      for (auto it = others.rbegin(); it != others.rend(); ++it) {
        if (c_.platform().windows.Exists(*it)) c_.batches_.back().push_back({*it, *spot});
      }
    }
    if (fit.noRoom && spot) {
      c_.batches_.back().push_back({dragged, *spot});
      c_.placements_[dragged] = {m.id, r};
    } else {
      c_.batches_.back().push_back({dragged, request.startRect});
    }
    c_.CommitBatch();
    if (fit.noRoom && spot) {
      c_.Notify("Those windows can\u2019t get small enough to split this spot, so " +
                c_.AppNameOf(dragged) + " was added to its stack instead.");
    }
  }
  c_.platform().zOrder.BringToTop(dragged);
  c_.ScheduleRefresh(0.15);
  Log("split drop intent=%d region=%d noRoom=%d", intent.kind, r, fit.noRoom ? 1 : 0);
}

}  // namespace tessary
