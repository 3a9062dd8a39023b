#include "engine/drop_plans.h"

#include <gtest/gtest.h>

#include "layout/builtin_layouts.h"
#include "layout/tree_geometry.h"
#include "unit/layout/catalogue_support.h"

namespace tessary {
namespace {

using namespace testing::builders;

const Rect kWork{0, 0, 1920, 1040};

TEST(DropPlans, PreviewOfEveryKind) {
  struct Case {
    const char* layout;
    DropIntent intent;
    std::optional<std::int32_t> rejoin;
    std::optional<Rect> expected;
    SpanSet span = {};
  };
  // The two right columns of "Three columns", and the left column of "Four quarters". (The
  // left half's outline is the occupied-region drop story's, Put Back's the region story's.)
  const SpanSet right{1, 2};
  const SpanSet left{0, 1};
  const Case cases[] = {
      {"halves", {kDropAddToStack, 1}, {}, Rect{964, 8, 948, 1024}},
      {"halves", {kDropSwap, 1}, {}, Rect{964, 8, 948, 1024}},
      {"halves", {kDropRightHalf, 1}, {}, Rect{1442, 8, 470, 1024}},
      // A full-height region becomes a stack of two rows.
      {"halves", {kDropTopHalf, 1}, {}, Rect{964, 8, 948, 508}},
      {"halves", {kDropBottomHalf, 1}, {}, Rect{964, 524, 948, 508}},
      {"quarters", {kDropTopHalf, 0}, {}, Rect{8, 8, 948, 250}},
      {"quarters", {kDropBottomHalf, 0}, {}, Rect{8, 266, 948, 250}},
      {"stack", {kDropWholeColumn, 1}, 1, Rect{1155, 8, 757, 1024}},
      {"stack", {kDropSpanColumn, 2}, 2, Rect{1155, 8, 757, 1024}},
      {"stack", {kDropWholeColumn, 1}, {}, std::nullopt},
      {"halves", {kDropPending, 1}, {}, std::nullopt},
      {"halves", {kDropAddToStack, 5}, {}, std::nullopt},
      {"halves", {kDropSpanAddToStack, 1}, {}, std::nullopt},
      {"thirds", {kDropSpanAddToStack, 1}, {}, Rect{645, 8, 1267, 1024}, right},
      {"thirds", {kDropSpanLeftColumn, 1}, {}, Rect{645, 8, 630, 1024}, right},
      {"thirds", {kDropSpanRightColumn, 1}, {}, Rect{1282, 8, 630, 1024}, right},
      {"thirds", {kDropSpanSplitTop, 1}, {}, Rect{645, 8, 1267, 508}, right},
      {"thirds", {kDropSpanSplitBottom, 1}, {}, Rect{645, 524, 1267, 508}, right},
      {"thirds", {kDropSpanTopHalf, 1}, {}, std::nullopt, right},
      {"quarters", {kDropSpanTopHalf, 0}, {}, Rect{8, 8, 948, 508}, left},
      {"quarters", {kDropSpanBottomHalf, 0}, {}, Rect{8, 524, 948, 508}, left},
  };
  const std::vector<SnapLayout> catalogue = BuiltInLayouts();
  for (const Case& c : cases) {
    const SnapLayout& active = *FindBuiltIn(c.layout);
    std::optional<RejoinedLayout> candidate;
    if (c.rejoin) candidate = RejoinRegion(active, *c.rejoin);
    EXPECT_EQ(PreviewRect(c.intent, DropScene{active, catalogue, kWork, 1, candidate, c.span}),
              c.expected)
        << c.layout << " " << c.intent.kind << "/" << c.intent.region;
  }
}

TEST(DropPlans, ASpanOffersTheDivisionsItHas) {
  struct Case {
    const char* layout;
    SpanSet span;
    std::vector<std::int32_t> kinds;
  };
  // (A span of two columns, and of two rows, is the spanning-window drop story's.)
  const Case cases[] = {
      {"quarters", {0, 1, 2, 3}, {11, 14, 16, 17, 15}},
      {"rows", {0, 1}, {11, 16, 17}},
      {"thirds", {}, {}},
  };
  for (const Case& c : cases) {
    const SnapLayout& active = *FindBuiltIn(c.layout);
    std::vector<std::int32_t> kinds;
    for (const DropIntent& intent :
         SpanDropIntents(active, PixelRegionRects(active, kWork, 8), c.span, 1)) {
      EXPECT_EQ(intent.region, c.span.front());
      kinds.push_back(intent.kind);
    }
    EXPECT_EQ(kinds, c.kinds) << c.layout << " " << c.span.size();
  }
  // Rows of a span no taller than 448 pixels (x scale) are not offered.
  const SnapLayout& thirds = *FindBuiltIn("thirds");
  const Rect low{0, 0, 1920, 464};  // the span 448 high
  EXPECT_EQ(SpanDropIntents(thirds, PixelRegionRects(thirds, low, 8), {1, 2}, 1).size(), 5u);
  EXPECT_EQ(SpanDropIntents(thirds, PixelRegionRects(thirds, low, 8), {1, 2}, 1.02).size(), 3u);
}

TEST(DropPlans, HalfSplitsNumberTheNewRegionAndFailWhenAllAreTaken) {
  std::optional<SplitDropLayout> right =
      SplitDropLayoutFor(*FindBuiltIn("halves"), 1, kDropRightHalf, BuiltInLayouts());
  ASSERT_TRUE(right.has_value());
  EXPECT_EQ(right->created, 2);
  EXPECT_EQ(right->dragged, 2);
  EXPECT_EQ(right->other, 1);
  // A full-height left column of "thirds" stacks the way a corner drop does.
  std::optional<SplitDropLayout> top =
      SplitDropLayoutFor(*FindBuiltIn("thirds"), 0, kDropTopHalf, BuiltInLayouts());
  ASSERT_TRUE(top.has_value());
  EXPECT_EQ(top->layout.id, "thirds-left-stack");
  EXPECT_EQ(top->dragged, 0);

  // Sixteen regions: even the wide left half has no number left for a new one.
  EXPECT_FALSE(
      SplitDropLayoutFor(MakeLayout("user-16", "Sixteen", SixteenRegions()), 0, kDropLeftHalf, {}));
}

TEST(DropPlans, SideBySideHalvesAreRejoinedOnlyWhereADropMadeThem) {
  SnapLayout custom = *FindBuiltIn("thirds");
  custom.id = "corner-custom";
  const RejoinedLayout columns = *RejoinRegion(custom, 1);
  EXPECT_TRUE(KeepRejoinCandidate(columns, custom, {{2, 1}}));
  EXPECT_FALSE(KeepRejoinCandidate(columns, custom, {{1, 3}}));
  EXPECT_FALSE(KeepRejoinCandidate(columns, *FindBuiltIn("thirds"), {{1, 2}}));
  const RejoinedLayout row =
      *RejoinRegion(MakeLayout("user-r", "R", R(0.5, C(0.5, L(0), L(1)), L(2))), 0);
  EXPECT_STREQ(RejoinLabel(row, false), "Whole Row");
  const RejoinedLayout quarter =
      *RejoinRegion(MakeLayout("user-q", "Q", C(0.5, R(0.5, C(0.5, L(0), L(4)), L(1)), L(2))), 0);
  EXPECT_STREQ(RejoinLabel(quarter, true), "Span Halves");
}

}  // namespace
}  // namespace tessary
