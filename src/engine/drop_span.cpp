// A window dropped onto a window that spans several regions: it may join that window's
// stack, take one column or row of the span, or have every region of the span split
// into rows with it. Which spanning window is hovered is decided by the z-order: the
// front-most of it and the windows of the region under the pointer.

#include <algorithm>

#include "engine/coordinator.h"
#include "engine/region_drops.h"
#include "engine/stack_model.h"
#include "layout/tree_geometry.h"

namespace tessary {
namespace {

constexpr double kHold = 0.18;
const std::string kNoCaption;

}  // namespace

const RegionDrops::SpanScan& RegionDrops::Spans() {
  const DragState& drag = c_.drag_;
  if (spans_.done) return spans_;
  spans_ = SpanScan{true, {}, c_.desktop_.ManageableWindows()};
  std::vector<std::int32_t> covered;
  for (const Coordinator::DragDisplay& d : c_.dragDisplays_) {
    std::vector<Spanning>& spanning = spans_.byDisplay.emplace_back();
    if (!d.active) continue;
    for (WindowId window : spans_.frontFirst) {
      if (window == drag.window || RegionOfWindow(d.members, window) >= 0) continue;
      std::optional<Rect> frame = c_.desktop_.FrameBounds(window);
      Rect bounds;
      if (frame && SpansRegions(*frame, d.regions, d.monitor.scale, covered, bounds)) {
        spanning.push_back({window, covered, bounds});
      }
    }
  }
  return spans_;
}

bool RegionDrops::HoverSpan(int display, Point p, std::int32_t region, double now) {
  const SpanScan& scan = Spans();
  const std::vector<Spanning>& spanning = scan.byDisplay[static_cast<std::size_t>(display)];
  if (spanning.empty()) return false;
  const Coordinator::DragDisplay& d = c_.dragDisplays_[static_cast<std::size_t>(display)];
  DragState& drag = c_.drag_;

  // The front-most of the spanning windows under the pointer and the region's own.
  std::vector<WindowId> regionWindows;
  if (auto listed = d.members.find(region); listed != d.members.end()) {
    regionWindows = listed->second;
  }
  if (region == drag.originRegion && drag.originDisplay == d.monitor.id) {
    regionWindows.push_back(drag.window);
  }
  const Spanning* hovered = nullptr;
  for (WindowId window : scan.frontFirst) {
    if (std::find(regionWindows.begin(), regionWindows.end(), window) != regionWindows.end()) {
      return false;
    }
    auto found = std::find_if(spanning.begin(), spanning.end(), [&](const Spanning& s) {
      return s.window == window && s.bounds.Contains(p);
    });
    if (found != spanning.end()) {
      hovered = &*found;
      break;
    }
  }
  if (!hovered) return false;

  const std::int32_t s = hovered->span.front();
  if (menu_.visible && (menu_.display != display || menu_.region != s || !menu_.span)) Hide();
  if (offer_.display != display || offer_.span != hovered->span) {
    offer_ = Offer{display, s, false, true};
    offer_.intents = SpanDropIntents(*d.active, d.regions, hovered->span, d.monitor.scale);
    offer_.span = hovered->span;
    offer_.area = hovered->bounds;
  }
  drag.kind = kTargetRegion;
  c_.SetTargetLayout(*d.active);
  drag.region = s;
  drag.intent = {kDropPending, s};
  drag.armed = false;
  drag.occupant = hovered->window;
  c_.outline_.Show(hovered->bounds, d.monitor.scale, kNoCaption, false, drag.window);
  const bool held = c_.dwell_.Held({display, DwellTarget::kSpan, s}, kHold, now);
  if (held || menu_.visible) Open(display, offer_);
  return true;
}

bool RegionDrops::SpanMoves(const PlacementRequest& request, int displayIndex,
                            const SnapLayout& active, SnapLayout& layout,
                            std::vector<Move>& moves) {
  const Monitor m = c_.displays_[static_cast<std::size_t>(displayIndex)];
  const RegionMap rects = PixelRegionRects(active, m.work, RegionGap(m.scale));
  const WindowId spanning = request.occupant;
  std::optional<Rect> frame =
      spanning != kNoWindow ? c_.desktop_.FrameBounds(spanning) : std::nullopt;
  std::vector<std::int32_t> span;
  if (!frame || !SpansRegions(*frame, rects, m.scale, span)) return false;
  const std::int32_t kind = request.intent.kind;

  if (kind == kDropSpanAddToStack) {
    moves.push_back({request.window, *SpanBounds(span, rects), -1});
    return true;
  }
  if (kind == kDropSpanSplitTop || kind == kDropSpanSplitBottom) {
    std::optional<SpanSplit> plan = SpanSplit::Plan(active, span, kind == kDropSpanSplitTop);
    if (!plan) return false;
    layout = plan->layout;
    const RegionMap planned = PixelRegionRects(layout, m.work, RegionGap(m.scale));
    for (const auto& [region, windows] : c_.MembersOn(displayIndex, active, request.window)) {
      const Rect* rect = planned.Get(region);
      if (!rect) continue;
      for (WindowId window : windows) moves.push_back({window, *rect, region});
    }
    std::optional<Rect> spanningAt = SpanBounds(plan->spanning, planned);
    std::optional<Rect> droppedAt = SpanBounds(plan->dropped, planned);
    if (!spanningAt || !droppedAt) return false;
    moves.push_back({spanning, *spanningAt, -1});
    moves.push_back({request.window, *droppedAt, -1});
    return true;
  }
  std::optional<SpanDivision> division = SpanDivisionFor(span, rects, kind);
  if (!division) return false;
  moves.push_back({spanning, *SpanBounds(division->spanning, rects), -1});
  moves.push_back({request.window, *SpanBounds(division->dragged, rects),
                   division->dragged.size() == 1 ? division->dragged.front() : -1});
  return true;
}

}  // namespace tessary
