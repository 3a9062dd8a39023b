#include "layout/builtin_layouts.h"

#include "layout/tree_geometry.h"

namespace tessary {
namespace {

constexpr double kOneThird = 1.0 / 3.0;  // the double nearest one third, not 0.33

NodeRef Columns(double ratio, NodeRef first, NodeRef second) {
  return MakeSplit(Axis::Columns, ratio, std::move(first), std::move(second));
}
NodeRef Rows(double ratio, NodeRef first, NodeRef second) {
  return MakeSplit(Axis::Rows, ratio, std::move(first), std::move(second));
}
NodeRef Leaf(int region) { return MakeLeaf(region); }

SnapLayout Make(std::string_view id, std::string_view name, NodeRef tree) {
  SnapLayout layout;
  layout.id = std::string(id);
  layout.name = std::string(name);
  layout.tree = std::move(tree);
  return layout;
}

std::vector<SnapLayout> CreateBuiltIns() {
  return {
      Make("halves", "Halves", Columns(0.5, Leaf(0), Leaf(1))),
      Make("thirds", "Three columns", Columns(kOneThird, Leaf(0), Columns(0.5, Leaf(1), Leaf(2)))),
      Make("focus", "Wide + narrow", Columns(0.67, Leaf(0), Leaf(1))),
      Make("stack", "Main + stack", Columns(0.6, Leaf(0), Rows(0.5, Leaf(1), Leaf(2)))),
      Make("quarters", "Four quarters",
           Columns(0.5, Rows(0.5, Leaf(0), Leaf(1)), Rows(0.5, Leaf(2), Leaf(3)))),
      Make("rows", "Two rows", Rows(0.5, Leaf(0), Leaf(1))),
      Make("thirds-left-stack", "Left stack + columns",
           Columns(kOneThird, Rows(0.5, Leaf(0), Leaf(3)), Columns(0.5, Leaf(1), Leaf(2)))),
      Make("thirds-right-stack", "Columns + right stack",
           Columns(kOneThird, Leaf(0), Columns(0.5, Leaf(1), Rows(0.5, Leaf(2), Leaf(3))))),
      Make("full", "Whole screen", Leaf(0)),
  };
}

}  // namespace

const std::vector<SnapLayout>& BuiltInLayouts() {
  static const std::vector<SnapLayout> layouts = CreateBuiltIns();
  return layouts;
}

const SnapLayout* FindBuiltIn(std::string_view id) {
  for (const SnapLayout& layout : BuiltInLayouts()) {
    if (layout.id == id) return &layout;
  }
  return nullptr;
}

const SnapLayout* BuiltInWithTree(const NodeRef& tree) {
  for (const SnapLayout& layout : BuiltInLayouts()) {
    if (TreesEqual(layout.tree, tree)) return &layout;
  }
  return nullptr;
}

bool LayoutsEqual(const SnapLayout& a, const SnapLayout& b) {
  return a.id == b.id && a.name == b.name && TreesEqual(a.tree, b.tree) && a.apps == b.apps;
}

bool SameRegionSet(const NodeRef& a, const NodeRef& b) {
  const RegionMap first = RegionRects(a, kUnitRect);
  const RegionMap second = RegionRects(b, kUnitRect);
  if (first.size() != second.size()) return false;
  for (auto i = first.begin(), j = second.begin(); i != first.end(); ++i, ++j) {
    if (i->first != j->first) return false;
  }
  return true;
}

}  // namespace tessary
