#include "layout/tree_geometry.h"

#include <utility>
#include <vector>

namespace tessary {

std::pair<Rect, Rect> SplitRect(const Rect& rect, Axis axis, double ratio) {
  if (axis == Axis::Columns) {
    const double part = rect.width * ratio;
    return {Rect{rect.x, rect.y, part, rect.height},
            Rect{rect.x + part, rect.y, rect.width - part, rect.height}};
  }
  const double part = rect.height * ratio;
  return {Rect{rect.x, rect.y, rect.width, part},
          Rect{rect.x, rect.y + part, rect.width, rect.height - part}};
}

namespace {

// One map filled in depth-first order, first before second, never overwriting: the same
// result as merging each split's second map into its first, without building the
// intermediate maps.
void AddRegionRects(const LayoutNode* node, const Rect& rect, RegionMap& out) {
  if (node == nullptr) return;
  if (node->isLeaf) {
    out.emplace(node->region, rect);
    return;
  }
  const auto [first, second] = SplitRect(rect, node->axis, node->ratio);
  AddRegionRects(node->first.get(), first, out);
  AddRegionRects(node->second.get(), second, out);
}

void AddDividers(const LayoutNode* node, const Rect& rect, TreePath& path,
                 std::vector<DividerInfo>& out) {
  if (node == nullptr || node->isLeaf) return;
  const auto [first, second] = SplitRect(rect, node->axis, node->ratio);
  const double position =
      node->axis == Axis::Columns ? first.x + first.width : first.y + first.height;
  out.push_back(DividerInfo{path, node->axis, rect, position});
  path.push_back(false);
  AddDividers(node->first.get(), first, path, out);
  path.back() = true;
  AddDividers(node->second.get(), second, path, out);
  path.pop_back();
}

}  // namespace

std::optional<TreeColumn> ColumnUnder(const NodeRef& tree, double x, TreePath* path) {
  if (!tree || !(x >= 0 && x <= 1)) return std::nullopt;
  const NodeRef* node = &tree;
  Rect rect = kUnitRect;
  while (*node && !(*node)->isLeaf && (*node)->axis == Axis::Columns) {
    const auto [first, second] = SplitRect(rect, Axis::Columns, (*node)->ratio);
    const bool intoSecond = x > first.x + first.width;
    if (path) path->push_back(intoSecond);
    rect = intoSecond ? second : first;
    node = intoSecond ? &(*node)->second : &(*node)->first;
  }
  // A column as wide as the whole tree is no column.
  constexpr double kWholeWidth = 0.999;
  if (!*node || x < rect.x || x > rect.x + rect.width || rect.width >= kWholeWidth) {
    return std::nullopt;
  }
  return TreeColumn{node, rect};
}

RegionMap RegionRects(const NodeRef& tree, const Rect& rect) {
  RegionMap out;
  AddRegionRects(tree.get(), rect, out);
  return out;
}

std::vector<DividerInfo> ListDividers(const NodeRef& tree, const Rect& rect) {
  std::vector<DividerInfo> out;
  TreePath path;
  AddDividers(tree.get(), rect, path, out);
  return out;
}

}  // namespace tessary
