#pragma once

// Where a tree's regions and dividers lie: in unit space {0, 0, 1, 1}, over any
// rectangle, and in whole pixels on a work area with a gap between windows.

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
// than its exact share. On a display the gap is round(8 x scale).
RegionMap PixelRegionRects(const NodeRef& tree, const Rect& workArea, double gap);
RegionMap PixelRegionRects(const SnapLayout& layout, const Rect& workArea, double gap);

// The region whose rectangle is nearest to `point`, counting points up to 8 x scale
// pixels outside a rectangle, so that the gaps between regions still hit something. Ties
// go to the lower number. -1 when the point is outside `bounds` or near no region.
int RegionAtPoint(Point point, const RegionMap& regions, const Rect& bounds, double scale);

struct DividerInfo {
  TreePath path;  // steps from the root to the split
  Axis axis = Axis::Columns;
  Rect rect;            // the rectangle the split divides
  double position = 0;  // x (Columns) or y (Rows) of the divider
};

// One record per split in pre-order (a split, then its first subtree, then its second).
std::vector<DividerInfo> ListDividers(const NodeRef& tree, const Rect& rect);

}  // namespace tessary
