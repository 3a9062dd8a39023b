#pragma once

// New layouts derived from an existing one by a drop: corner drops, taking half of a
// region, rejoining a split, taking a whole column. All pure; the drop menu decides
// which of them to offer.

#include <cstdint>
#include <optional>
#include <set>
#include <vector>

#include "base/geometry.h"
#include "layout/layout_tree.h"

namespace tessary {

// A layout and the region the dragged window goes to.
struct PlacedLayout {
  SnapLayout layout;
  std::int32_t region = 0;
};

// `base` with a new tree: unchanged when the tree is equal; the user's own layout keeps
// its id and name; otherwise the built-in with that tree or "corner-custom".
SnapLayout DeriveLayout(const SnapLayout& base, const NodeRef& tree);

// A drop on a display corner: 0 = top-left, 1 = top-right, 2 = bottom-left,
// 3 = bottom-right. A full-height region under the corner is split into a stack; other
// regions are used as they are. Without a current layout the result is "quarters".
// `catalogue` is the display's catalogue (for adjusted proportions).
PlacedLayout CornerLayout(const SnapLayout* current, int corner,
                          const std::vector<SnapLayout>& catalogue);

// The full-height region `region` of `current` turned into a stack of two rows, the
// dragged window taking the top row when `top`. Gives `current` unchanged (and the
// region) when the region is not full height or no region number is free. Shared by
// corner drops and the top/bottom half drops on full-height regions.
PlacedLayout StackFullHeightRegion(const SnapLayout& current, std::int32_t region, bool top,
                                   const std::vector<SnapLayout>& catalogue);

// Taking half of `region` along `axis`; the dragged window takes the first half (left or
// top) when `newGoesFirst`. None when the region is absent or all numbers are taken.
std::optional<PlacedLayout> SplitRegion(const SnapLayout& layout, std::int32_t region, Axis axis,
                                        bool newGoesFirst);

struct RejoinedLayout {
  SnapLayout layout;
  std::int32_t region = 0;
  std::set<std::int32_t> affected;  // regions that were inside the rejoined split
  Rect parentRect;                  // the split's unit rectangle, now all `region`'s
  Axis axis = Axis::Columns;
};

// `region` takes over its parent split's whole rectangle. None when the tree is invalid,
// the region is absent, or the parent is the root (one region would remain).
std::optional<RejoinedLayout> RejoinRegion(const SnapLayout& layout, std::int32_t region);

struct WholeColumnLayout {
  SnapLayout layout;
  std::int32_t region = 0;          // the column's topmost region, which survives
  std::set<std::int32_t> affected;  // every region that was inside the column
  Rect columnRect;
};

// The column under the horizontal fraction `x` (0..1) becomes one region. None when the
// tree is invalid, x is outside 0..1, or the column is the full width.
std::optional<WholeColumnLayout> WholeColumn(const SnapLayout& layout, double x);

}  // namespace tessary
