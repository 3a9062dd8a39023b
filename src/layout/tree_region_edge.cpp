#include <cmath>
#include <cstddef>

#include "layout/tree_fit.h"
#include "layout/tree_geometry.h"

namespace tessary {

namespace {

// Edges and dividers that lie within this distance of each other (in unit space) are
// taken to be the same line.
constexpr double kEdgeTolerance = 0.001;

}  // namespace

NodeRef MoveRegionEdge(const NodeRef& tree, std::int32_t region, RegionEdge edge, double target,
                       double minWidth, double minHeight) {
  const RegionMap regions = RegionRects(tree, kUnitRect);
  const Rect* area = regions.Get(region);
  if (area == nullptr) return tree;

  const bool vertical = edge == RegionEdge::Left || edge == RegionEdge::Right;
  double coordinate = 0;
  switch (edge) {
    case RegionEdge::Left:
      coordinate = area->x;
      break;
    case RegionEdge::Right:
      coordinate = area->x + area->width;
      break;
    case RegionEdge::Top:
      coordinate = area->y;
      break;
    case RegionEdge::Bottom:
      coordinate = area->y + area->height;
      break;
    default:
      return tree;
  }
  // The work area's border is not a divider.
  if (coordinate <= kEdgeTolerance || coordinate >= 1 - kEdgeTolerance) return tree;

  // The divider along the edge: it must run the region's whole length, and of nested ones
  // the deepest (the innermost split that has the region on one side) moves.
  const double start = vertical ? area->y : area->x;
  const double end = vertical ? area->y + area->height : area->x + area->width;
  const DividerInfo* chosen = nullptr;
  const std::vector<DividerInfo> dividers = ListDividers(tree, kUnitRect);
  for (const DividerInfo& divider : dividers) {
    if ((divider.axis == Axis::Columns) != vertical) continue;
    if (!(std::abs(divider.position - coordinate) < kEdgeTolerance)) continue;
    const double dividerStart = vertical ? divider.rect.y : divider.rect.x;
    const double dividerEnd =
        vertical ? divider.rect.y + divider.rect.height : divider.rect.x + divider.rect.width;
    if (dividerStart > start + kEdgeTolerance || dividerEnd < end - kEdgeTolerance) continue;
    if (chosen == nullptr || divider.path.size() >= chosen->path.size()) chosen = &divider;
  }
  if (chosen == nullptr) return tree;
  return MoveDivider(tree, chosen->path, target, kUnitRect, minWidth, minHeight);
}

}  // namespace tessary
