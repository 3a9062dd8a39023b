#pragma once

// Moving dividers while every region keeps a minimum size. Sizes are in the units of the
// rectangle passed (unit space for the editors, pixels for fitting apps' minimums).
// Everything here returns a valid tree when given one: ratios stay within 0.08..0.92.

#include <cstdint>

#include "base/geometry.h"
#include "layout/layout_tree.h"

namespace tessary {

// The tree laid over `newRect` instead of `oldRect` with every inner divider kept at its
// absolute position. A region may shrink to the minimum, and one already below it may
// not shrink at all. Null when that is impossible or a ratio would leave 0.08..0.92.
NodeRef RefitTree(const NodeRef& tree, const Rect& oldRect, const Rect& newRect, double minWidth,
                  double minHeight);

// The split at `path` moved toward `target` (an x or y in rect's space). Inner dividers
// keep their places; the divider stops where the first region reaches its minimum size
// (to within 2^-28 of the ratio). Never fails: gives the input when nothing can move.
NodeRef MoveDivider(const NodeRef& tree, const TreePath& path, double target, const Rect& rect,
                    double minWidth, double minHeight);

enum class RegionEdge : int { Left = 0, Right = 1, Top = 2, Bottom = 3 };

// Moves the divider that forms one edge of a region (the deepest split whose divider runs
// along the whole edge) to `target`, in unit space. Outer edges do not move.
NodeRef MoveRegionEdge(const NodeRef& tree, std::int32_t region, RegionEdge edge, double target,
                       double minWidth, double minHeight);

// The split at `path` moved toward `target`, with both sides scaling their inner
// dividers along instead of keeping them in place; clamped so that every region keeps
// its minimum. Gives the input when the minimums leave no room.
NodeRef ResizeSplitAtPath(const NodeRef& tree, const TreePath& path, double target,
                          const Rect& rect, double minWidth, double minHeight);

// The split at `path` set to exactly 0.5 (in unit space), or null when there is no such
// split or the minimums do not allow halving it.
NodeRef EvenSplitAtPath(const NodeRef& tree, const TreePath& path, double minWidth,
                        double minHeight);

struct MinimumSize {
  double width = 0;
  double height = 0;
};

// The smallest area a subtree fits in, at its current ratios, when every region must be
// at least minWidth x minHeight.
MinimumSize SubtreeMinimum(const NodeRef& node, double minWidth, double minHeight);

}  // namespace tessary
