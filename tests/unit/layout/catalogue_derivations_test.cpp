#include <gtest/gtest.h>

#include <cmath>

#include "catalogue_support.h"
#include "layout/builtin_layouts.h"
#include "layout/layout_derivations.h"

namespace tessary {
namespace {

using testing::C;
using testing::L;
using testing::MakeLayout;
using testing::R;

const SnapLayout& BuiltIn(std::string_view id) { return *FindBuiltIn(id); }

TEST(CornerLayout, ThirdsBecomeTheirStacks) {
  const std::vector<SnapLayout>& catalogue = BuiltInLayouts();
  PlacedLayout topLeft = CornerLayout(&BuiltIn("thirds"), 0, catalogue);
  EXPECT_EQ(topLeft.layout.id, "thirds-left-stack");
  EXPECT_EQ(topLeft.layout.name, "Left stack + columns");
  EXPECT_TRUE(TreesEqual(topLeft.layout.tree, BuiltIn("thirds-left-stack").tree));
  EXPECT_EQ(topLeft.region, 0);

  PlacedLayout bottomLeft = CornerLayout(&BuiltIn("thirds"), 2, catalogue);
  EXPECT_EQ(bottomLeft.layout.id, "thirds-left-stack");
  EXPECT_EQ(bottomLeft.region, 3);

  PlacedLayout bottomRight = CornerLayout(&BuiltIn("thirds"), 3, catalogue);
  EXPECT_EQ(bottomRight.layout.id, "thirds-right-stack");
  EXPECT_EQ(bottomRight.layout.name, "Columns + right stack");
  EXPECT_TRUE(TreesEqual(bottomRight.layout.tree, BuiltIn("thirds-right-stack").tree));
  EXPECT_EQ(bottomRight.region, 3);
}

TEST(CornerLayout, AdjustedStackKeepsItsSplit) {
  std::vector<SnapLayout> catalogue = BuiltInLayouts();
  for (SnapLayout& layout : catalogue) {
    if (layout.id == "thirds-left-stack") {
      layout.tree = C(0.3, R(0.7, L(0), L(3)), C(0.5, L(1), L(2)));
    }
  }
  PlacedLayout result = CornerLayout(&BuiltIn("thirds"), 0, catalogue);
  EXPECT_EQ(result.layout.id, "thirds-left-stack");
  // The column split is the current layout's; the stack's split is the adjusted one.
  EXPECT_TRUE(TreesEqual(result.layout.tree, C(1.0 / 3.0, R(0.7, L(0), L(3)), C(0.5, L(1), L(2)))));
}

TEST(CornerLayout, FullHeightRegionOfHalvesBecomesCustomCorner) {
  PlacedLayout result = CornerLayout(&BuiltIn("halves"), 0, BuiltInLayouts());
  EXPECT_EQ(result.layout.id, "corner-custom");
  EXPECT_EQ(result.layout.name, "Custom corner layout");
  EXPECT_TRUE(TreesEqual(result.layout.tree, C(0.5, R(0.5, L(0), L(2)), L(1))));
  EXPECT_EQ(result.region, 0);
  EXPECT_TRUE(result.layout.apps.empty());
}

TEST(CornerLayout, NoFullHeightRegionKeepsLayout) {
  const int expectedRegions[] = {0, 2, 1, 3};
  for (int corner = 0; corner < 4; ++corner) {
    PlacedLayout result = CornerLayout(&BuiltIn("quarters"), corner, BuiltInLayouts());
    EXPECT_EQ(result.layout.id, "quarters");
    EXPECT_TRUE(TreesEqual(result.layout.tree, BuiltIn("quarters").tree));
    EXPECT_EQ(result.region, expectedRegions[corner]);
  }
}

TEST(CornerLayout, WithoutCurrentLayoutGivesQuarters) {
  EXPECT_EQ(CornerLayout(nullptr, 1, BuiltInLayouts()).region, 2);
  EXPECT_EQ(CornerLayout(nullptr, 2, BuiltInLayouts()).region, 1);
  // With an empty catalogue the built-in serves.
  PlacedLayout result = CornerLayout(nullptr, 3, {});
  EXPECT_EQ(result.layout.id, "quarters");
  EXPECT_EQ(result.region, 3);
  // The display's own quarters are preferred (adjusted proportions).
  std::vector<SnapLayout> catalogue = {
      MakeLayout("quarters", "Four quarters", C(0.4, R(0.5, L(0), L(1)), R(0.5, L(2), L(3))))};
  EXPECT_EQ(CornerLayout(nullptr, 0, catalogue).layout.tree->ratio, 0.4);
}

TEST(CornerLayout, NoFreeRegionKeepsLayout) {
  // Sixteen regions: region 0 is full height but no number is free.
  NodeRef right = L(1);
  for (int region = 2; region < 16; ++region) right = R(0.5, right, L(region));
  SnapLayout full = MakeLayout("user-x", "Many", C(0.5, L(0), right));
  PlacedLayout result = CornerLayout(&full, 2, BuiltInLayouts());
  EXPECT_EQ(result.layout.id, "user-x");
  EXPECT_EQ(result.region, 0);
}

TEST(SplitRegion, HalvesRegionOneIntoRowsIsCustom) {
  auto result = SplitRegion(BuiltIn("halves"), 1, Axis::Rows, false);
  ASSERT_TRUE(result);
  EXPECT_EQ(result->layout.id, "corner-custom");
  EXPECT_EQ(result->layout.name, "Custom layout");
  EXPECT_TRUE(TreesEqual(result->layout.tree, C(0.5, L(0), R(0.5, L(1), L(2)))));
  EXPECT_EQ(result->region, 2);
  auto first = SplitRegion(BuiltIn("halves"), 1, Axis::Rows, true);
  ASSERT_TRUE(first);
  EXPECT_EQ(first->region, 1);
}

TEST(SplitRegion, ResultEqualToBuiltInBecomesThatBuiltIn) {
  // Halving the whole screen into columns is exactly "halves".
  auto result = SplitRegion(BuiltIn("full"), 0, Axis::Columns, false);
  ASSERT_TRUE(result);
  EXPECT_EQ(result->layout.id, "halves");
  EXPECT_EQ(result->layout.name, "Halves");
  EXPECT_EQ(result->region, 1);
}

TEST(SplitRegion, FailsForMissingRegionOrNoFreeNumber) {
  EXPECT_FALSE(SplitRegion(BuiltIn("halves"), 5, Axis::Columns, true));
  NodeRef tree = L(0);
  for (int region = 1; region < 16; ++region) tree = C(0.5, tree, L(region));
  EXPECT_FALSE(SplitRegion(MakeLayout("user-a", "A", tree), 3, Axis::Rows, true));
}

TEST(RejoinRegion, ParentAtRootGivesNone) {
  EXPECT_FALSE(RejoinRegion(BuiltIn("halves"), 1));
  EXPECT_FALSE(RejoinRegion(BuiltIn("halves"), 7));
  EXPECT_FALSE(RejoinRegion(BuiltIn("full"), 0));
}

TEST(RejoinRegion, RegionTakesOverItsParent) {
  auto result = RejoinRegion(BuiltIn("stack"), 2);
  ASSERT_TRUE(result);
  EXPECT_TRUE(TreesEqual(result->layout.tree, C(0.6, L(0), L(2))));
  EXPECT_EQ(result->layout.id, "corner-custom");
  EXPECT_EQ(result->layout.name, "Custom layout");
  EXPECT_EQ(result->region, 2);
  EXPECT_EQ(result->affected, (std::set<std::int32_t>{1, 2}));
  EXPECT_DOUBLE_EQ(result->parentRect.x, 0.6);
  EXPECT_DOUBLE_EQ(result->parentRect.width, 0.4);
  EXPECT_EQ(result->parentRect.height, 1.0);
  EXPECT_EQ(result->axis, Axis::Rows);
}

TEST(RejoinRegion, BuiltInResultAndUserLayouts) {
  // Rejoining a stack of "thirds-left-stack" gives back "thirds".
  auto result = RejoinRegion(BuiltIn("thirds-left-stack"), 0);
  ASSERT_TRUE(result);
  EXPECT_EQ(result->layout.id, "thirds");
  EXPECT_EQ(result->affected, (std::set<std::int32_t>{0, 3}));

  SnapLayout mine = MakeLayout("user-1", "Mine", C(0.5, L(0), R(0.5, L(1), L(2))));
  mine.apps[1] = {"app"};
  auto rejoined = RejoinRegion(mine, 1);
  ASSERT_TRUE(rejoined);
  EXPECT_EQ(rejoined->layout.id, "user-1");
  EXPECT_EQ(rejoined->layout.name, "Mine");
  EXPECT_TRUE(rejoined->layout.apps.empty());
  EXPECT_TRUE(TreesEqual(rejoined->layout.tree, C(0.5, L(0), L(1))));
}

TEST(RejoinRegion, InvalidTreeGivesNone) {
  EXPECT_FALSE(RejoinRegion(MakeLayout("x", "x", C(0.5, L(0), R(0.5, L(1), L(1)))), 1));
}

TEST(WholeColumn, TakesTheColumnUnderThePoint) {
  auto result = WholeColumn(BuiltIn("quarters"), 0.75);
  ASSERT_TRUE(result);
  EXPECT_TRUE(TreesEqual(result->layout.tree, C(0.5, R(0.5, L(0), L(1)), L(2))));
  EXPECT_EQ(result->layout.id, "corner-custom");
  EXPECT_EQ(result->region, 2);
  EXPECT_EQ(result->affected, (std::set<std::int32_t>{2, 3}));
  EXPECT_EQ(result->columnRect, (Rect{0.5, 0, 0.5, 1}));
  // The first part's right edge belongs to the first column.
  auto left = WholeColumn(BuiltIn("quarters"), 0.5);
  ASSERT_TRUE(left);
  EXPECT_EQ(left->region, 0);
  EXPECT_EQ(left->affected, (std::set<std::int32_t>{0, 1}));
}

TEST(WholeColumn, TopmostThenLowestNumberSurvives) {
  // The column holds 3 on top of 1: region 3 is topmost and survives.
  SnapLayout layout = MakeLayout("user-2", "Two", C(0.5, L(0), R(0.5, L(3), L(1))));
  auto result = WholeColumn(layout, 0.9);
  ASSERT_TRUE(result);
  EXPECT_EQ(result->region, 3);
  EXPECT_EQ(result->layout.id, "user-2");  // the user's layout keeps its identity
  // Side by side at the same top: the lower number survives.
  SnapLayout sideBySide =
      MakeLayout("user-3", "Three", C(0.5, L(0), R(0.5, C(0.5, L(4), L(2)), L(1))));
  auto second = WholeColumn(sideBySide, 0.9);
  ASSERT_TRUE(second);
  EXPECT_EQ(second->region, 2);
}

TEST(WholeColumn, RejectsFullWidthAndOutOfRange) {
  EXPECT_FALSE(WholeColumn(BuiltIn("rows"), 0.5));
  EXPECT_FALSE(WholeColumn(BuiltIn("full"), 0.5));
  EXPECT_FALSE(WholeColumn(BuiltIn("halves"), -0.01));
  EXPECT_FALSE(WholeColumn(BuiltIn("halves"), 1.01));
  EXPECT_FALSE(WholeColumn(BuiltIn("halves"), std::nan("")));
  // A single-region column: nothing changes, so DeriveLayout keeps the layout.
  auto same = WholeColumn(BuiltIn("halves"), 1.0);
  ASSERT_TRUE(same);
  EXPECT_EQ(same->layout.id, "halves");
  EXPECT_EQ(same->region, 1);
}

TEST(DeriveLayout, FourCases) {
  SnapLayout base = BuiltIn("halves");
  base.apps[0] = {"keep"};
  EXPECT_EQ(DeriveLayout(base, C(0.5, L(0), L(1))).apps.size(), 1u);  // equal tree: unchanged

  SnapLayout mine = MakeLayout("user-9", "Mine", C(0.5, L(0), L(1)));
  mine.apps[0] = {"app"};
  SnapLayout derived = DeriveLayout(mine, R(0.5, L(0), L(1)));
  EXPECT_EQ(derived.id, "user-9");
  EXPECT_EQ(derived.name, "Mine");
  EXPECT_TRUE(derived.apps.empty());

  SnapLayout rows = DeriveLayout(base, R(0.5, L(0), L(1)));
  EXPECT_EQ(rows.id, "rows");
  EXPECT_EQ(rows.name, "Two rows");
  EXPECT_TRUE(rows.apps.empty());

  SnapLayout custom = DeriveLayout(base, C(0.4, L(0), L(1)));
  EXPECT_EQ(custom.id, "corner-custom");
  EXPECT_EQ(custom.name, "Custom layout");
}

TEST(StackFullHeightRegion, TopAndBottomHalvesOfAFullHeightRegion) {
  PlacedLayout bottom = StackFullHeightRegion(BuiltIn("halves"), 1, false, BuiltInLayouts());
  EXPECT_TRUE(TreesEqual(bottom.layout.tree, C(0.5, L(0), R(0.5, L(1), L(2)))));
  EXPECT_EQ(bottom.layout.id, "corner-custom");
  EXPECT_EQ(bottom.region, 2);
  PlacedLayout top = StackFullHeightRegion(BuiltIn("halves"), 1, true, BuiltInLayouts());
  EXPECT_EQ(top.region, 1);
}

}  // namespace
}  // namespace tessary
