#include "engine/drop_plans.h"

#include <algorithm>
#include <set>

#include "layout/builtin_layouts.h"
#include "layout/tree_geometry.h"

namespace tessary {
namespace {

constexpr double kWhole = 0.999;
// A span is split into rows only when each row keeps at least this height (x scale).
constexpr double kSpanSplitHeight = 448;

bool FullHeight(const SnapLayout& layout, std::int32_t region) {
  const RegionMap unit = RegionRects(layout.tree, kUnitRect);
  const Rect* rect = unit.Get(region);
  return rect && rect->height > kWhole;
}

}  // namespace

std::optional<SplitDropLayout> SplitDropLayoutFor(const SnapLayout& active, std::int32_t region,
                                                  std::int32_t kind,
                                                  const std::vector<SnapLayout>& catalogue) {
  const bool first = kind == kDropTopHalf || kind == kDropLeftHalf;
  std::optional<PlacedLayout> placed;
  if ((kind == kDropTopHalf || kind == kDropBottomHalf) && FullHeight(active, region)) {
    PlacedLayout stacked = StackFullHeightRegion(active, region, first, catalogue);
    if (!TreesEqual(stacked.layout.tree, active.tree)) placed = std::move(stacked);
  } else if (kind >= kDropTopHalf && kind <= kDropRightHalf) {
    const Axis axis = kind == kDropLeftHalf || kind == kDropRightHalf ? Axis::Columns : Axis::Rows;
    placed = SplitRegion(active, region, axis, first);
  }
  if (!placed) return std::nullopt;
  SplitDropLayout split;
  split.layout = std::move(placed->layout);
  split.dragged = placed->region;
  for (const auto& [number, rect] : RegionRects(split.layout.tree, kUnitRect)) {
    if (!RegionRects(active.tree, kUnitRect).contains(number)) split.created = number;
  }
  split.other = split.dragged == region ? split.created : region;
  if (split.created < 0) return std::nullopt;
  return split;
}

bool KeepRejoinCandidate(const RejoinedLayout& candidate, const SnapLayout& active,
                         const SplitPairs& record) {
  if (candidate.axis == Axis::Rows) return true;
  if (FindBuiltIn(active.id) != nullptr) return false;
  for (const auto& [r, n] : record) {
    if (candidate.affected == std::set<std::int32_t>{r, n}) return true;
  }
  return false;
}

std::optional<Rect> PreviewRect(const DropIntent& intent, const DropScene& scene) {
  const double gap = RegionGap(scene.scale);
  auto regionIn = [&](const SnapLayout& layout, std::int32_t region) -> std::optional<Rect> {
    const RegionMap rects = PixelRegionRects(layout, scene.work, gap);
    if (const Rect* rect = rects.Get(region)) return *rect;
    return std::nullopt;
  };
  switch (intent.kind) {
    case kDropAddToStack:
    case kDropPutBack:
    case kDropSwap:
      return regionIn(scene.active, intent.region);
    case kDropTopHalf:
    case kDropBottomHalf:
    case kDropLeftHalf:
    case kDropRightHalf: {
      std::optional<SplitDropLayout> split =
          SplitDropLayoutFor(scene.active, intent.region, intent.kind, scene.catalogue);
      if (!split) return std::nullopt;
      return regionIn(split->layout, split->dragged);
    }
    case kDropWholeColumn:
      if (!scene.candidate) return std::nullopt;
      return regionIn(scene.candidate->layout, intent.region);
    case kDropSpanColumn: {
      if (!scene.candidate) return std::nullopt;
      const SpanSet merged(scene.candidate->affected.begin(), scene.candidate->affected.end());
      return SpanBounds(merged, PixelRegionRects(scene.active, scene.work, gap));
    }
    case kDropSpanAddToStack:
      return SpanBounds(scene.span, PixelRegionRects(scene.active, scene.work, gap));
    case kDropSpanSplitTop:
    case kDropSpanSplitBottom: {
      std::optional<SpanSplit> plan =
          SpanSplit::Plan(scene.active, scene.span, intent.kind == kDropSpanSplitTop);
      if (!plan) return std::nullopt;
      return SpanBounds(plan->dropped, PixelRegionRects(plan->layout, scene.work, gap));
    }
    case kDropSpanLeftColumn:
    case kDropSpanRightColumn:
    case kDropSpanTopHalf:
    case kDropSpanBottomHalf: {
      const RegionMap rects = PixelRegionRects(scene.active, scene.work, gap);
      std::optional<SpanDivision> division = SpanDivisionFor(scene.span, rects, intent.kind);
      if (!division) return std::nullopt;
      return SpanBounds(division->dragged, rects);
    }
    default:
      return std::nullopt;
  }
}

std::optional<SpanDivision> SpanDivisionFor(const SpanSet& span, const RegionMap& regions,
                                            std::int32_t kind) {
  switch (kind) {
    case kDropSpanLeftColumn:
    case kDropSpanRightColumn:
      return DivideSpan(span, regions, Axis::Columns, kind == kDropSpanLeftColumn);
    case kDropSpanTopHalf:
    case kDropSpanBottomHalf:
      return DivideSpan(span, regions, Axis::Rows, kind == kDropSpanTopHalf);
    default:
      return std::nullopt;
  }
}

std::vector<DropIntent> SpanDropIntents(const SnapLayout& active, const RegionMap& regions,
                                        const SpanSet& span, double scale) {
  std::vector<DropIntent> intents;
  if (span.empty()) return intents;
  const std::int32_t s = span.front();
  intents.push_back({kDropSpanAddToStack, s});
  const bool columns = SpanDivisionFor(span, regions, kDropSpanLeftColumn).has_value();
  if (columns) intents.push_back({kDropSpanLeftColumn, s});
  std::optional<Rect> bounds = SpanBounds(span, regions);
  if (SpanDivisionFor(span, regions, kDropSpanTopHalf)) {
    intents.push_back({kDropSpanTopHalf, s});
    intents.push_back({kDropSpanBottomHalf, s});
  } else if (bounds && bounds->height >= kSpanSplitHeight * scale &&
             SpanSplit::Plan(active, span, true)) {
    intents.push_back({kDropSpanSplitTop, s});
    intents.push_back({kDropSpanSplitBottom, s});
  }
  if (columns) intents.push_back({kDropSpanRightColumn, s});
  return intents;
}

const char* RejoinLabel(const RejoinedLayout& candidate, bool span) {
  if (candidate.parentRect.height > kWhole) return span ? "Span Column" : "Whole Column";
  if (candidate.parentRect.width > kWhole) return span ? "Span Row" : "Whole Row";
  return span ? "Span Halves" : "Rejoin Halves";
}

}  // namespace tessary
