// Carrying out a drop onto a region of the active layout: every window it moves goes in
// one batch, and if one of them ends larger than its target the whole drop is undone
// (windows, layout, split record and the record of each window's region), so a drop
// either happens completely or leaves the desktop as it was.

#include <algorithm>

#include "base/log.h"
#include "engine/coordinator.h"
#include "engine/placement_messages.h"
#include "engine/region_drops.h"
#include "layout/builtin_layouts.h"
#include "layout/span_geometry.h"
#include "layout/tree_geometry.h"

namespace tessary {
namespace {

std::optional<Rect> RegionRect(const SnapLayout& layout, const Monitor& m, std::int32_t region) {
  const RegionMap rects = PixelRegionRects(layout, m.work, RegionGap(m.scale));
  if (const Rect* rect = rects.Get(region)) return *rect;
  return std::nullopt;
}

}  // namespace

bool RegionDrops::FromMenu(const PlacementRequest& request) const {
  if (!request.menu) return false;
  return std::any_of(request.menu->tiles.begin(), request.menu->tiles.end(),
                     [&](const DropTile& tile) { return tile.intent == request.intent; });
}

std::vector<WindowId> RegionDrops::ListedIn(int displayIndex, const SnapLayout& layout,
                                            const std::vector<std::int32_t>& regions,
                                            WindowId except) {
  const RegionLists members = c_.MembersOn(displayIndex, layout, except);
  std::vector<WindowId> listed;
  for (std::int32_t region : regions) {
    auto it = members.find(region);
    if (it != members.end()) listed.insert(listed.end(), it->second.begin(), it->second.end());
  }
  return listed;
}

void RegionDrops::CarryOut(const PlacementRequest& request, int displayIndex) {
  const Monitor m = c_.displays_[static_cast<std::size_t>(displayIndex)];
  std::optional<SnapLayout> active = c_.layouts_.ActiveLayout(m.id);
  if (!active || c_.LeftUnresponsive(request.window)) return;
  const std::int32_t kind = request.intent.kind;
  if (kind >= kDropTopHalf && kind <= kDropRightHalf) {
    SplitDrop(request, displayIndex, *active);
    return;
  }
  SnapLayout layout = *active;
  std::vector<Move> moves;
  bool planned = false;
  switch (kind) {
    case kDropAddToStack:
    case kDropPutBack:
    case kDropSwap:
    case kDropSpanColumn:
      planned = RegionMoves(request, displayIndex, *active, moves);
      break;
    case kDropWholeColumn:
      planned = ColumnMoves(request, displayIndex, *active, layout, moves);
      break;
    case kDropSpanAddToStack:
    case kDropSpanSplitTop:
    case kDropSpanSplitBottom:
    case kDropSpanLeftColumn:
    case kDropSpanRightColumn:
    case kDropSpanTopHalf:
    case kDropSpanBottomHalf:
      planned = SpanMoves(request, displayIndex, *active, layout, moves);
      break;
    default:
      break;
  }
  // A kind that does nothing (the pending one, a missing candidate) ends here unlogged.
  if (planned) Run(request, displayIndex, *active, layout, moves);
}

bool RegionDrops::RegionMoves(const PlacementRequest& request, int displayIndex,
                              const SnapLayout& active, std::vector<Move>& moves) {
  const Monitor m = c_.displays_[static_cast<std::size_t>(displayIndex)];
  const std::int32_t r = request.intent.region;
  const WindowId dragged = request.window;
  if (request.intent.kind == kDropSpanColumn) {
    // The window lies over both halves; the layout stays as it is.
    std::optional<RejoinedLayout> candidate = RejoinRegion(active, r);
    if (!candidate) return false;
    const SpanSet merged(candidate->affected.begin(), candidate->affected.end());
    std::optional<Rect> bounds =
        SpanBounds(merged, PixelRegionRects(active, m.work, RegionGap(m.scale)));
    if (!bounds) return false;
    moves.push_back({dragged, *bounds, -1});
    return true;
  }
  std::optional<Rect> target = RegionRect(active, m, r);
  if (!target) return false;
  const WindowId front = request.occupant;
  std::optional<Rect> home = RegionRect(active, m, request.originRegion);
  if (request.intent.kind == kDropSwap && front != kNoWindow && home &&
      c_.platform().windows.Exists(front)) {
    // The front window may have closed or left during the hover: then only the dragged
    // window moves.
    std::vector<WindowId> listed = ListedIn(displayIndex, active, {r}, dragged);
    if (std::find(listed.begin(), listed.end(), front) != listed.end()) {
      moves.push_back({front, *home, request.originRegion});
    }
  }
  moves.push_back({dragged, *target, r});
  return true;
}

// A column made one region, from the menu's rejoin tile or from the top band: the windows
// of every merged region stack there with the dragged one.
bool RegionDrops::ColumnMoves(const PlacementRequest& request, int displayIndex,
                              const SnapLayout& active, SnapLayout& layout,
                              std::vector<Move>& moves) {
  const Monitor m = c_.displays_[static_cast<std::size_t>(displayIndex)];
  std::vector<std::int32_t> merged;
  std::int32_t survivor = request.intent.region;
  if (FromMenu(request)) {
    if (!kept_ || kept_->region != survivor) return false;
    layout = kept_->layout;
    merged.assign(kept_->affected.begin(), kept_->affected.end());
  } else {
    if (!request.column) return false;
    layout = request.column->layout;
    survivor = request.column->region;
    merged.assign(request.column->affected.begin(), request.column->affected.end());
  }
  std::optional<Rect> target = RegionRect(layout, m, survivor);
  if (!target) return false;
  for (WindowId window : ListedIn(displayIndex, active, merged, request.window)) {
    moves.push_back({window, *target, survivor});
  }
  moves.push_back({request.window, *target, survivor});
  return true;
}

void RegionDrops::Run(const PlacementRequest& request, int displayIndex, const SnapLayout& active,
                      const SnapLayout& layout, const std::vector<Move>& moves) {
  const Monitor m = c_.displays_[static_cast<std::size_t>(displayIndex)];
  const WindowId dragged = request.window;
  // What the drop changes, to put back if a window refuses its new size.
  const SplitPairs splitsBefore = SplitsOn(m.id);
  const std::map<WindowId, PlacementRecord> placementsBefore = c_.placements_;
  std::vector<std::pair<WindowId, Rect>> before;
  for (const Move& move : moves) {
    std::optional<Rect> prior = move.window == dragged ? std::optional<Rect>(request.startRect)
                                                       : c_.desktop_.FrameBounds(move.window);
    if (prior) before.push_back({move.window, *prior});
  }

  const bool relayout = !LayoutsEqual(layout, active);
  if (relayout) c_.layouts_.SetActiveLayout(m.id, layout);
  c_.OpenBatch();
  for (const Move& move : moves) c_.MoveWindowTo(move.window, move.target);
  const std::set<WindowId> placed = c_.CommitBatch();
  // Only a placement that happened is recorded (a window can be out of reach).
  for (const Move& move : moves) {
    if (move.region >= 0 && placed.contains(move.window)) {
      c_.placements_[move.window] = {m.id, move.region};
    }
  }
  if (request.intent.kind == kDropWholeColumn && FromMenu(request) && kept_) {
    // The rejoined halves are no longer a split that could be rejoined.
    std::erase_if(splits_[m.id], [&](const std::pair<std::int32_t, std::int32_t>& pair) {
      return kept_->affected.contains(pair.first) || kept_->affected.contains(pair.second);
    });
  }

  WindowId offender = kNoWindow;
  for (const Move& move : moves) {
    // A window left where it was (out of reach) has not been given its new size at all.
    if (placed.contains(move.window) && c_.TooBig(move.window, move.target, m.scale)) {
      offender = move.window;
      break;
    }
  }
  if (offender != kNoWindow) {
    c_.OpenBatch();
    for (const auto& [window, rect] : before) {
      if (c_.platform().windows.Exists(window)) c_.batches_.back().push_back({window, rect});
    }
    c_.CommitBatch();
    c_.placements_ = placementsBefore;
    splits_[m.id] = splitsBefore;
    if (relayout) c_.layouts_.SetActiveLayout(m.id, active);
    c_.Notify(NeedsMoreRoomMessage(c_.AppNameOf(offender), offender == dragged));
    Log("region drop rolled back: %p too big", LogId(offender));
    c_.ScheduleRefresh(0.15);
    return;
  }
  if (relayout) c_.layouts_.RememberLayout(m.id, layout);
  c_.platform().zOrder.BringToTop(dragged);
  Log("region drop intent=%d region=%d", request.intent.kind, request.intent.region);
}

}  // namespace tessary
