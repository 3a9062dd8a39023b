#pragma once

// Where a tree's regions and dividers lie: in unit space {0, 0, 1, 1}, over any
// rectangle, and in whole pixels on a work area with a gap between windows.

#include <optional>
#include <utility>
#include <vector>

#include "base/geometry.h"
#include "layout/layout_tree.h"
#include "layout/region_map.h"

namespace tessary {

inline constexpr Rect kUnitRect{0, 0, 1, 1};

// The two parts of `rect` on either side of a divider at `ratio`; no rounding. The
// second part is what remains of the first, so the two always add up to `rect`.
std::pair<Rect, Rect> SplitRect(const Rect& rect, Axis axis, double ratio);

// Each region's rectangle when the tree is laid over `rect`. Should a number occur twice
// (an invalid tree), the first leaf in depth-first order keeps it.
RegionMap RegionRects(const NodeRef& tree, const Rect& rect);

// Whole-pixel region rectangles on a work area: every region inset by half the gap from
// its share of the area shrunk by half the gap, so neighbours are `gap` apart and the
// outer regions `gap` from the edges. Edges round outward, so no region is ever smaller
// than its exact share. On a display the gap is RegionGap of its scale.
RegionMap PixelRegionRects(const NodeRef& tree, const Rect& workArea, double gap);
RegionMap PixelRegionRects(const SnapLayout& layout, const Rect& workArea, double gap);

// The gap between windows placed on a display of this scale: round(8 x scale) pixels.
double RegionGap(double scale);

// The region whose rectangle is nearest to `point`, counting points up to 8 x scale
// pixels outside a rectangle, so that the gaps between regions still hit something. Ties
// go to the lower number. -1 when the point is outside `bounds` or near no region.
int RegionAtPoint(Point point, const RegionMap& regions, const Rect& bounds, double scale);

// The column of a tree under the horizontal fraction x (0..1): Columns splits are
// descended down to a leaf or a Rows split. Allocates nothing unless `path` is given.
struct TreeColumn {
  const NodeRef* node = nullptr;  // the column's subtree, inside the tree
  Rect rect;                      // its unit rectangle
};
// None when x is outside 0..1, the tree is incomplete, or the column is the full width.
// `path`, when given, receives the steps from the root to the column.
std::optional<TreeColumn> ColumnUnder(const NodeRef& tree, double x, TreePath* path = nullptr);

struct DividerInfo {
  TreePath path;  // steps from the root to the split
  Axis axis = Axis::Columns;
  Rect rect;            // the rectangle the split divides
  double position = 0;  // x (Columns) or y (Rows) of the divider
};

// One record per split in pre-order (a split, then its first subtree, then its second).
std::vector<DividerInfo> ListDividers(const NodeRef& tree, const Rect& rect);

}  // namespace tessary
