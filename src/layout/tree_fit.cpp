#include "layout/tree_fit.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <utility>

#include "layout/tree_edit.h"
#include "layout/tree_geometry.h"

namespace tessary {

namespace {

constexpr int kBisectionSteps = 28;

bool RatioInRange(double ratio) { return ratio >= kMinRatio && ratio <= kMaxRatio; }  // NaN: no

double Along(const Rect& rect, Axis axis) {
  return axis == Axis::Columns ? rect.width : rect.height;
}
double Origin(const Rect& rect, Axis axis) { return axis == Axis::Columns ? rect.x : rect.y; }

// The split with `ratio` and both children refitted from their current parts of `rect`
// to their new ones; null when a child cannot follow.
NodeRef TryRatio(const LayoutNode& split, const Rect& rect, double ratio, double minWidth,
                 double minHeight) {
  const auto [oldFirst, oldSecond] = SplitRect(rect, split.axis, split.ratio);
  const auto [newFirst, newSecond] = SplitRect(rect, split.axis, ratio);
  NodeRef first = RefitTree(split.first, oldFirst, newFirst, minWidth, minHeight);
  if (!first) return nullptr;
  NodeRef second = RefitTree(split.second, oldSecond, newSecond, minWidth, minHeight);
  if (!second) return nullptr;
  return MakeSplit(split.axis, ratio, std::move(first), std::move(second));
}

// Follows `path` from `node`, narrowing `rect`, and hands the split at its end to `change`;
// the splits on the way are rebuilt around the changed child. A path that ends at or runs
// into a leaf changes nothing, and an unchanged split keeps the whole tree shared.
template <typename Change>
NodeRef ApplyAtSplit(const NodeRef& node, const TreePath& path, std::size_t index, const Rect& rect,
                     const Change& change) {
  if (!node || node->isLeaf) return node;
  if (index == path.size()) return change(node, rect);
  const auto [firstRect, secondRect] = SplitRect(rect, node->axis, node->ratio);
  if (path[index]) {
    NodeRef second = ApplyAtSplit(node->second, path, index + 1, secondRect, change);
    if (second == node->second) return node;
    return MakeSplit(node->axis, node->ratio, node->first, std::move(second));
  }
  NodeRef first = ApplyAtSplit(node->first, path, index + 1, firstRect, change);
  if (first == node->first) return node;
  return MakeSplit(node->axis, node->ratio, std::move(first), node->second);
}

}  // namespace

NodeRef RefitTree(const NodeRef& tree, const Rect& oldRect, const Rect& newRect, double minWidth,
                  double minHeight) {
  if (!tree) return nullptr;
  if (tree->isLeaf) {
    // std::min keeps a NaN minimum, which then fits nowhere.
    const bool fits = newRect.width + 1e-10 >= std::min(minWidth, oldRect.width) &&
                      newRect.height + 1e-10 >= std::min(minHeight, oldRect.height);
    return fits ? tree : nullptr;
  }
  const Axis axis = tree->axis;
  const auto [oldFirst, oldSecond] = SplitRect(oldRect, axis, tree->ratio);
  const double position = Origin(oldFirst, axis) + Along(oldFirst, axis);
  const double extent = Along(newRect, axis);
  if (!(extent > 0)) return nullptr;
  const double ratio = (position - Origin(newRect, axis)) / extent;
  if (!RatioInRange(ratio)) return nullptr;
  const auto [newFirst, newSecond] = SplitRect(newRect, axis, ratio);
  NodeRef first = RefitTree(tree->first, oldFirst, newFirst, minWidth, minHeight);
  if (!first) return nullptr;
  NodeRef second = RefitTree(tree->second, oldSecond, newSecond, minWidth, minHeight);
  if (!second) return nullptr;
  if (ratio == tree->ratio && first == tree->first && second == tree->second) return tree;
  return MakeSplit(axis, ratio, std::move(first), std::move(second));
}

NodeRef MoveDivider(const NodeRef& tree, const TreePath& path, double target, const Rect& rect,
                    double minWidth, double minHeight) {
  if (!std::isfinite(target)) return tree;
  return ApplyAtSplit(tree, path, 0, rect, [&](const NodeRef& split, const Rect& area) -> NodeRef {
    const double extent = Along(area, split->axis);
    if (!(extent > 0)) return split;
    double wanted = (target - Origin(area, split->axis)) / extent;
    if (!std::isfinite(wanted)) return split;
    wanted = std::clamp(wanted, kMinRatio, kMaxRatio);
    if (NodeRef moved = TryRatio(*split, area, wanted, minWidth, minHeight)) return moved;

    // Somewhere between here and there a region reaches its minimum: close in on it.
    double feasible = split->ratio;
    NodeRef best = split;
    for (int step = 0; step < kBisectionSteps; ++step) {
      const double middle = (wanted + feasible) / 2;
      if (NodeRef moved = TryRatio(*split, area, middle, minWidth, minHeight)) {
        feasible = middle;
        best = std::move(moved);
      } else {
        wanted = middle;
      }
    }
    return best;
  });
}

NodeRef ResizeSplitAtPath(const NodeRef& tree, const TreePath& path, double target,
                          const Rect& rect, double minWidth, double minHeight) {
  return ApplyAtSplit(tree, path, 0, rect, [&](const NodeRef& split, const Rect& area) -> NodeRef {
    const Axis axis = split->axis;
    const double extent = Along(area, axis);
    // A zero-sized area has no room to move in; a non-finite target names no place.
    if (!(extent > 0) || !std::isfinite(extent)) return split;
    const MinimumSize firstNeeds = SubtreeMinimum(split->first, minWidth, minHeight);
    const MinimumSize secondNeeds = SubtreeMinimum(split->second, minWidth, minHeight);
    const double firstMinimum = axis == Axis::Columns ? firstNeeds.width : firstNeeds.height;
    const double secondMinimum = axis == Axis::Columns ? secondNeeds.width : secondNeeds.height;
    const double low = std::max(firstMinimum / extent, kMinRatio);
    const double high = std::min(1 - secondMinimum / extent, kMaxRatio);
    if (!(high >= low)) return split;  // also when a minimum is NaN
    const double wanted = (target - Origin(area, axis)) / extent;
    if (!std::isfinite(wanted)) return split;
    const double ratio = std::clamp(wanted, low, high);
    if (ratio == split->ratio) return split;
    return MakeSplit(axis, ratio, split->first, split->second);
  });
}

NodeRef EvenSplitAtPath(const NodeRef& tree, const TreePath& path, double minWidth,
                        double minHeight) {
  const NodeAndRect at = NodeAtPath(tree, path, path.size(), kUnitRect);
  // NodeAtPath stops early only at a leaf, so a split here is the one the path names.
  if (!at.node || at.node->isLeaf) return nullptr;
  const Axis axis = at.node->axis;
  const double middle = Origin(at.rect, axis) + Along(at.rect, axis) / 2;

  // Halving is allowed when the minimum-respecting resize gets all the way there.
  const NodeRef resized = ResizeSplitAtPath(tree, path, middle, kUnitRect, minWidth, minHeight);
  const NodeAndRect moved = NodeAtPath(resized, path, path.size(), kUnitRect);
  const Rect first = SplitRect(moved.rect, axis, moved.node->ratio).first;
  const double position = Origin(first, axis) + Along(first, axis);
  if (!(std::abs(position - middle) < 1e-6)) return nullptr;
  return SetRatioAtPath(tree, path, 0.5);
}

MinimumSize SubtreeMinimum(const NodeRef& node, double minWidth, double minHeight) {
  if (!node) return {};
  if (node->isLeaf) return {minWidth, minHeight};
  const MinimumSize first = SubtreeMinimum(node->first, minWidth, minHeight);
  const MinimumSize second = SubtreeMinimum(node->second, minWidth, minHeight);
  const double ratio = node->ratio;
  if (node->axis == Axis::Columns) {
    return {std::max(first.width / ratio, second.width / (1 - ratio)),
            std::max(first.height, second.height)};
  }
  return {std::max(first.width, second.width),
          std::max(first.height / ratio, second.height / (1 - ratio))};
}

}  // namespace tessary
