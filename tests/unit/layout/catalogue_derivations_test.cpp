#include <gtest/gtest.h>

#include <cmath>

#include "catalogue_support.h"
#include "layout/builtin_layouts.h"
#include "layout/layout_derivations.h"

namespace tessary {
namespace {

using namespace testing::builders;

const SnapLayout& BuiltIn(std::string_view id) { return *FindBuiltIn(id); }

// The whole placed layout (id, name, tree, no apps) and its region.
template <typename Placed>
void ExpectPlaced(const Placed& placed, const char* id, const char* name, const NodeRef& tree,
                  int region) {
  EXPECT_TRUE(LayoutsEqual(placed.layout, MakeLayout(id, name, tree))) << placed.layout.id;
  EXPECT_EQ(placed.region, region);
}

TEST(CornerLayout, DropsOnEachCorner) {
  const NodeRef quarters = BuiltIn("quarters").tree;
  const NodeRef left = BuiltIn("thirds-left-stack").tree,
                right = BuiltIn("thirds-right-stack").tree;
  const char* const kFour = "Four quarters";
  const char* const kQ = "quarters";
  // clang-format off
  const struct {
    const char* current;  // null: no current layout
    int corner;
    const char* id;
    const char* name;
    NodeRef tree;
    int region;
  } cases[] = {
      {"thirds", 0, "thirds-left-stack", "Left stack + columns", left, 0},
      {"thirds", 2, "thirds-left-stack", "Left stack + columns", left, 3},
      {"thirds", 3, "thirds-right-stack", "Columns + right stack", right, 3},
      {"halves", 0, "corner-custom", "Custom corner layout", C(0.5, R(0.5, L(0), L(2)), L(1)), 0},
      // No region is full height: the layout stays, the region is the one under the corner.
      {kQ, 0, kQ, kFour, quarters, 0}, {kQ, 1, kQ, kFour, quarters, 2},
      {kQ, 2, kQ, kFour, quarters, 1}, {kQ, 3, kQ, kFour, quarters, 3},
      {nullptr, 1, kQ, kFour, quarters, 2}, {nullptr, 2, kQ, kFour, quarters, 1}};
  // clang-format on
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << (c.current ? c.current : "none") << " " << c.corner);
    ExpectPlaced(
        CornerLayout(c.current ? &BuiltIn(c.current) : nullptr, c.corner, BuiltInLayouts()), c.id,
        c.name, c.tree, c.region);
  }
}

TEST(CornerLayout, TakesTheCataloguesAdjustedTrees) {
  std::vector<SnapLayout> catalogue = BuiltInLayouts();
  for (SnapLayout& layout : catalogue) {
    if (layout.id == "thirds-left-stack")
      layout.tree = C(0.3, R(0.7, L(0), L(3)), C(0.5, L(1), L(2)));
    if (layout.id == "quarters") layout.tree = C(0.4, R(0.5, L(0), L(1)), R(0.5, L(2), L(3)));
  }
  // The column split is the current layout's; the stack's split is the adjusted one.
  EXPECT_TRUE(TreesEqual(CornerLayout(&BuiltIn("thirds"), 0, catalogue).layout.tree,
                         C(1.0 / 3.0, R(0.7, L(0), L(3)), C(0.5, L(1), L(2)))));
  EXPECT_EQ(CornerLayout(nullptr, 0, catalogue).layout.tree->ratio, 0.4);
  // With an empty catalogue the built-in serves.
  EXPECT_EQ(CornerLayout(nullptr, 3, {}).layout.id, "quarters");
}

TEST(CornerLayout, NoFreeRegionKeepsLayout) {
  // Region 0 is full height but no number is free.
  SnapLayout full = MakeLayout("user-x", "Many", SixteenRegions());
  ExpectPlaced(CornerLayout(&full, 2, BuiltInLayouts()), "user-x", "Many", full.tree, 0);
}

TEST(SplitRegion, HalvesAndTheirIdentity) {
  const NodeRef split = C(0.5, L(0), R(0.5, L(1), L(2)));
  ExpectPlaced(SplitRegion(BuiltIn("halves"), 1, Axis::Rows, false).value(), "corner-custom",
               "Custom layout", split, 2);
  EXPECT_EQ(SplitRegion(BuiltIn("halves"), 1, Axis::Rows, true)->region, 1);
  // Halving the whole screen into columns is exactly "halves".
  ExpectPlaced(SplitRegion(BuiltIn("full"), 0, Axis::Columns, false).value(), "halves", "Halves",
               C(0.5, L(0), L(1)), 1);
  // A missing region or no free number: none.
  EXPECT_FALSE(SplitRegion(BuiltIn("halves"), 5, Axis::Columns, true));
  EXPECT_FALSE(SplitRegion(MakeLayout("user-a", "A", SixteenRegions()), 3, Axis::Rows, true));
}

TEST(RejoinRegion, RegionTakesOverItsParent) {
  for (int region : {1, 7}) EXPECT_FALSE(RejoinRegion(BuiltIn("halves"), region)) << region;
  EXPECT_FALSE(RejoinRegion(BuiltIn("full"), 0));
  EXPECT_FALSE(RejoinRegion(MakeLayout("x", "x", C(0.5, L(0), R(0.5, L(1), L(1)))), 1));

  auto result = RejoinRegion(BuiltIn("stack"), 2);
  ASSERT_TRUE(result);
  ExpectPlaced(*result, "corner-custom", "Custom layout", C(0.6, L(0), L(2)), 2);
  EXPECT_EQ(result->affected, (std::set<std::int32_t>{1, 2}));
  EXPECT_EQ(result->parentRect, (Rect{0.6, 0, 0.4, 1}));
  EXPECT_EQ(result->axis, Axis::Rows);

  // Rejoining a stack of "thirds-left-stack" gives back "thirds".
  EXPECT_EQ(RejoinRegion(BuiltIn("thirds-left-stack"), 0).value().layout.id, "thirds");
  // The user's layout keeps its identity and loses its apps.
  SnapLayout mine = MakeLayout("user-1", "Mine", C(0.5, L(0), R(0.5, L(1), L(2))));
  mine.apps[1] = {"app"};
  ExpectPlaced(RejoinRegion(mine, 1).value(), "user-1", "Mine", C(0.5, L(0), L(1)), 1);
}

TEST(WholeColumn, TakesTheColumnUnderThePoint) {
  auto result = WholeColumn(BuiltIn("quarters"), 0.75);
  ASSERT_TRUE(result);
  ExpectPlaced(*result, "corner-custom", "Custom layout", C(0.5, R(0.5, L(0), L(1)), L(2)), 2);
  EXPECT_EQ(result->affected, (std::set<std::int32_t>{2, 3}));
  EXPECT_EQ(result->columnRect, (Rect{0.5, 0, 0.5, 1}));
  // The first part's right edge belongs to the first column.
  EXPECT_EQ(WholeColumn(BuiltIn("quarters"), 0.5).value().region, 0);
  // A single-region column: nothing changes, so the layout is kept whole, apps and all.
  SnapLayout halves = BuiltIn("halves");
  halves.apps[1] = {"keep"};
  auto same = WholeColumn(halves, 1.0);
  ASSERT_TRUE(same);
  EXPECT_TRUE(LayoutsEqual(same->layout, halves));
  EXPECT_EQ(same->region, 1);
  // Full width or out of range: none.
  EXPECT_FALSE(WholeColumn(BuiltIn("rows"), 0.5));
  EXPECT_FALSE(WholeColumn(BuiltIn("full"), 0.5));
  for (double x : {-0.01, 1.01, std::nan("")}) EXPECT_FALSE(WholeColumn(BuiltIn("halves"), x)) << x;
}

TEST(WholeColumn, TopmostThenLowestNumberSurvives) {
  // The column holds 3 on top of 1: region 3 is topmost and survives.
  auto result = WholeColumn(MakeLayout("user-2", "Two", C(0.5, L(0), R(0.5, L(3), L(1)))), 0.9);
  ASSERT_TRUE(result);
  EXPECT_EQ(result->region, 3);
  EXPECT_EQ(result->layout.id, "user-2");  // the user's layout keeps its identity
  // Side by side at the same top: the lower number survives.
  const SnapLayout sideBySide =
      MakeLayout("user-3", "Three", C(0.5, L(0), R(0.5, C(0.5, L(4), L(2)), L(1))));
  EXPECT_EQ(WholeColumn(sideBySide, 0.9).value().region, 2);
}

}  // namespace
}  // namespace tessary
