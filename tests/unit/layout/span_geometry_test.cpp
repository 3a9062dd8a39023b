#include "layout/span_geometry.h"

#include <gtest/gtest.h>

#include "layout/builtin_layouts.h"
#include "layout/tree_geometry.h"

namespace tessary {
namespace {

const Rect kWork{0, 0, 1920, 1040};

RegionMap Pixels(std::string_view id, double scale = 1.0) {
  return PixelRegionRects(*FindBuiltIn(id), kWork, RegionGap(scale));
}

TEST(SpanRegions, HalfOfARegionJoinsAndTheBlockClosesOverItsBounds) {
  // Halves at scale 1: x 8..956 and 964..1912. Quarters add rows y 8..516 and 524..1032.
  struct Case {
    const char* layout;
    Rect rect;
    SpanSet expected;
  } cases[] = {
      {"halves", {388, 8, 1092, 1024}, {0, 1}},  // 60 % of each
      {"halves", {8, 8, 1327, 1024}, {0}},       // 40 % of the second: fits one region
      {"halves", {900, 100, 100, 100}, {0}},     // mostly over the first, less than half
      {"halves", {2000, 0, 50, 50}, {}},
      {"quarters", {8, 8, 1600, 850}, {0, 1, 2, 3}},  // the quarter below pulls in the fourth
  };
  for (const Case& c : cases) {
    EXPECT_EQ(SpanRegions(c.rect, Pixels(c.layout), 1.0), c.expected)
        << c.layout << " " << c.rect.x << "," << c.rect.y << " " << c.rect.width;
  }
  EXPECT_EQ(SpanBounds({0, 7}, Pixels("quarters")), std::nullopt);
}

TEST(GrabbedEdges, NearAnEdgeWithinTheScaledReach) {
  const Rect frame{100, 100, 400, 300};
  struct Case {
    Point pointer;
    double scale;
    GrabbedEdges expected;
  } cases[] = {
      {{92, 250}, 1, {.left = true}},
      {{91, 250}, 1, {}},  // outside the frame grown by 8
      {{505, 395}, 1, {.right = true, .bottom = true}},
      {{300, 106}, 1, {.top = true}},
      {{300, 107}, 1, {}},  // the caption, not the top edge
      {{88, 250}, 1.5, {.left = true}},
      {{300, 109}, 1.5, {.top = true}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(GrabbedEdgesAt(c.pointer, frame, c.scale), c.expected)
        << c.pointer.x << "," << c.pointer.y << " at " << c.scale;
  }
}

TEST(OutlineFromEdges, GrabbedEdgesFollowThePointerWithoutCrossing) {
  const Rect start{100, 100, 400, 300};
  const Rect current{110, 90, 380, 320};
  struct Case {
    GrabbedEdges edges;
    Point pointer;
    Rect expected;
  } cases[] = {
      {{.right = true}, {700, 50}, {100, 100, 600, 300}},
      {{.left = true, .top = true}, {50, 60}, {50, 60, 450, 340}},
      {{.left = true}, {900, 0}, {499, 100, 1, 300}},  // stops one pixel short of the right
      {{.right = true}, {20, 0}, {100, 100, 1, 300}},
      {{}, {0, 0}, current},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(OutlineFromEdges(start, c.edges, c.pointer, current), c.expected);
  }
}

TEST(ResizeTogetherLayout, MovesTheSharedDividerBeyondHalfAGap) {
  const SnapLayout& halves = *FindBuiltIn("halves");
  const Rect start = *Pixels("halves").Get(0);  // right edge at 956
  auto ratioAfter = [&](double right, GrabbedEdges edges, double scale = 1.0) {
    Rect current = start;
    current.width = right - start.x;
    return ResizeTogetherLayout(halves, 0, start, current, kWork, edges, scale).tree->ratio;
  };
  const GrabbedEdges right{.right = true};
  EXPECT_EQ(ratioAfter(959, right), 0.5);  // 3 px: a jiggle
  EXPECT_DOUBLE_EQ(ratioAfter(961, right), 961.0 / 1912);
  EXPECT_EQ(ratioAfter(1256, {.left = true}), 0.5);  // not the edge that was grabbed
  EXPECT_DOUBLE_EQ(ratioAfter(1256, {}), 1256.0 / 1912);
  // The other region keeps at least 180 px (x scale), as a share of the work area.
  EXPECT_NEAR(ratioAfter(1900, right), 1 - 180.0 / 1912, 1e-6);
  EXPECT_NEAR(ratioAfter(1900, right, 1.5), 1 - 270.0 / 1908, 1e-6);
  // At scale 1.5 half a gap is 6 px.
  EXPECT_EQ(ratioAfter(962, right, 1.5), 0.5);
}

TEST(DivideSpan, TakesTheFirstOrLastColumnAlongACleanCut) {
  struct Case {
    const char* layout;
    SpanSet span;
    Axis axis;
    bool draggedFirst;
    std::optional<SpanDivision> expected;
  } cases[] = {
      {"thirds", {0, 1, 2}, Axis::Columns, true, SpanDivision{{0}, {1, 2}}},
      {"thirds", {0, 1, 2}, Axis::Columns, false, SpanDivision{{2}, {0, 1}}},
      {"quarters", {0, 1, 2, 3}, Axis::Columns, true, SpanDivision{{0, 1}, {2, 3}}},
      {"quarters", {0, 1, 2, 3}, Axis::Rows, false, SpanDivision{{1, 3}, {0, 2}}},
      {"stack", {0, 1, 2}, Axis::Rows, true, std::nullopt},  // the main region straddles
      {"halves", {0}, Axis::Columns, true, std::nullopt},
      {"halves", {0, 5}, Axis::Columns, true, std::nullopt},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DivideSpan(c.span, Pixels(c.layout), c.axis, c.draggedFirst), c.expected)
        << c.layout << " axis " << static_cast<int>(c.axis) << " first " << c.draggedFirst;
  }
}

TEST(SpanSplitPlan, HalvesEachSpannedRegionForTheDroppedWindow) {
  std::optional<SpanSplit> top = SpanSplit::Plan(*FindBuiltIn("thirds"), {1, 2}, true);
  ASSERT_TRUE(top);
  EXPECT_EQ(top->dropped, (SpanSet{3, 4}));
  EXPECT_EQ(top->spanning, (SpanSet{1, 2}));
  EXPECT_EQ(top->layout.id, kCornerCustomId);
  EXPECT_EQ(top->layout.name, kCustomLayoutName);
  // Where the dropped window's halves go, above or below, the drop previews show
  // (DropPlans.PreviewOfEveryKind).

  SnapLayout user{"user-1", "Mine", FindBuiltIn("halves")->tree, {}};
  EXPECT_EQ(SpanSplit::Plan(user, {0, 1}, true)->layout.id, "user-1");

  // Fifteen regions leave room for one more, not two.
  NodeRef tree = MakeLeaf(0);
  for (int region = 1; region < 15; ++region) {
    tree = MakeSplit(Axis::Columns, 0.5, MakeLeaf(region), tree);
  }
  EXPECT_FALSE(SpanSplit::Plan({"user-2", "Many", tree, {}}, {0, 1}, true));
  EXPECT_FALSE(SpanSplit::Plan(*FindBuiltIn("halves"), {0}, true));
  EXPECT_FALSE(SpanSplit::Plan(*FindBuiltIn("halves"), {0, 4}, true));
}

}  // namespace
}  // namespace tessary
