#include "layout/layout_derivations.h"

#include <cmath>
#include <string>

#include "layout/builtin_layouts.h"
#include "layout/layout_ids.h"
#include "layout/tree_edit.h"
#include "layout/tree_geometry.h"

namespace tessary {
namespace {

SnapLayout Layout(std::string_view id, std::string_view name, NodeRef tree) {
  SnapLayout layout;
  layout.id = std::string(id);
  layout.name = std::string(name);
  layout.tree = std::move(tree);
  return layout;
}

// A derived tree that is not the user's own layout: the built-in with that tree, or an
// unnamed custom layout.
SnapLayout CustomOrBuiltIn(const NodeRef& tree) {
  if (const SnapLayout* builtIn = BuiltInWithTree(tree)) return *builtIn;
  return Layout(kCornerCustomId, kCustomLayoutName, tree);
}

const SnapLayout* FindIn(const std::vector<SnapLayout>& catalogue, std::string_view id) {
  for (const SnapLayout& layout : catalogue) {
    if (layout.id == id) return &layout;
  }
  return nullptr;
}

std::set<std::int32_t> RegionsOf(const NodeRef& tree) {
  std::set<std::int32_t> regions;
  for (const auto& [region, rect] : RegionRects(tree, kUnitRect)) regions.insert(region);
  return regions;
}

}  // namespace

SnapLayout DeriveLayout(const SnapLayout& base, const NodeRef& tree) {
  if (TreesEqual(tree, base.tree)) return base;
  if (IsUserLayoutId(base.id)) return Layout(base.id, base.name, tree);
  return CustomOrBuiltIn(tree);
}

PlacedLayout StackFullHeightRegion(const SnapLayout& current, std::int32_t region, bool top,
                                   const std::vector<SnapLayout>& catalogue) {
  const PlacedLayout unchanged{current, region};
  const RegionMap rects = RegionRects(current.tree, kUnitRect);
  const Rect* rect = rects.Get(region);
  const std::optional<int> free = FirstFreeRegion(current.tree);
  if (rect == nullptr || std::fabs(rect->height - 1.0) >= 0.0001 || !free) return unchanged;

  std::string_view id = kCornerCustomId;
  if (current.id == "thirds" && region == 0) id = "thirds-left-stack";
  if (current.id == "thirds" && region == 2) id = "thirds-right-stack";

  // The thirds stacks keep the split of the display's own (possibly adjusted) stack.
  double ratio = 0.5;
  if (id != kCornerCustomId) {
    if (const SnapLayout* stack = FindIn(catalogue, id)) {
      const RegionMap stackRects = RegionRects(stack->tree, kUnitRect);
      if (const Rect* stacked = stackRects.Get(region)) ratio = stacked->height;
    }
  }
  const NodeRef tree = ReplaceRegion(
      current.tree, region, MakeSplit(Axis::Rows, ratio, MakeLeaf(region), MakeLeaf(*free)));
  // An inconsistent catalogue entry must not produce an invalid layout.
  if (!ValidateTree(tree)) return unchanged;

  std::string_view name = kCornerCustomName;
  if (id != kCornerCustomId) name = region == 0 ? "Left stack + columns" : "Columns + right stack";
  return PlacedLayout{Layout(id, name, tree), top ? region : *free};
}

PlacedLayout CornerLayout(const SnapLayout* current, int corner,
                          const std::vector<SnapLayout>& catalogue) {
  const bool left = corner == 0 || corner == 2;
  const bool top = corner == 0 || corner == 1;
  const Point point{left ? 0.0001 : 0.9999, top ? 0.0001 : 0.9999};
  if (current != nullptr) {
    for (const auto& [region, rect] : RegionRects(current->tree, kUnitRect)) {
      if (rect.Contains(point)) return StackFullHeightRegion(*current, region, top, catalogue);
    }
  }
  const SnapLayout* quarters = FindIn(catalogue, "quarters");
  if (quarters == nullptr) quarters = FindBuiltIn("quarters");
  // Quarters number their regions down each column: 0 top-left, 1 bottom-left.
  const std::int32_t region = left ? (top ? 0 : 1) : (top ? 2 : 3);
  return PlacedLayout{*quarters, region};
}

std::optional<PlacedLayout> SplitRegion(const SnapLayout& layout, std::int32_t region, Axis axis,
                                        bool newGoesFirst) {
  const std::optional<int> free = FirstFreeRegion(layout.tree);
  if (!RegionRects(layout.tree, kUnitRect).contains(region) || !free) return std::nullopt;
  const NodeRef tree =
      ReplaceRegion(layout.tree, region, MakeSplit(axis, 0.5, MakeLeaf(region), MakeLeaf(*free)));
  if (!ValidateTree(tree)) return std::nullopt;
  return PlacedLayout{CustomOrBuiltIn(tree), newGoesFirst ? region : *free};
}

std::optional<RejoinedLayout> RejoinRegion(const SnapLayout& layout, std::int32_t region) {
  if (!ValidateTree(layout.tree)) return std::nullopt;
  const std::optional<TreePath> path = PathToRegion(layout.tree, region);
  if (!path || path->size() < 2) return std::nullopt;
  TreePath parentPath = *path;
  parentPath.pop_back();
  const NodeAndRect parent = NodeAtPath(layout.tree, parentPath);
  if (!parent.node || parent.node->isLeaf) return std::nullopt;

  const NodeRef tree = ReplaceAtPath(layout.tree, parentPath, region);
  RejoinedLayout result;
  if (IsUserLayoutId(layout.id)) {
    result.layout = Layout(layout.id, layout.name, tree);
  } else {
    result.layout = CustomOrBuiltIn(tree);
  }
  result.region = region;
  result.affected = RegionsOf(parent.node);
  result.parentRect = parent.rect;
  result.axis = parent.node->axis;
  return result;
}

std::optional<WholeColumnLayout> WholeColumn(const SnapLayout& layout, double x) {
  if (!ValidateTree(layout.tree)) return std::nullopt;
  TreePath path;
  const std::optional<TreeColumn> column = ColumnUnder(layout.tree, x, &path);
  if (!column) return std::nullopt;
  const NodeRef& node = *column->node;
  const Rect& rect = column->rect;

  // The topmost region survives; on equal heights the lower number (rects are ordered).
  const RegionMap rects = RegionRects(node, rect);
  std::int32_t survivor = rects.begin()->first;
  double topmost = rects.begin()->second.y;
  for (const auto& [region, regionRect] : rects) {
    if (regionRect.y < topmost) {
      survivor = region;
      topmost = regionRect.y;
    }
  }
  WholeColumnLayout result;
  result.layout = DeriveLayout(layout, ReplaceAtPath(layout.tree, path, survivor));
  result.region = survivor;
  result.affected = RegionsOf(node);
  result.columnRect = rect;
  return result;
}

}  // namespace tessary
