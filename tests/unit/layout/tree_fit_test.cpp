#include "layout/tree_fit.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "catalogue_support.h"
#include "layout/tree_edit.h"
#include "layout/tree_geometry.h"

namespace tessary {
namespace {

using namespace testing::builders;

const double kStep = std::ldexp(1.0, -28);

TEST(RefitTree, InnerDividersKeepTheirAbsolutePositions) {
  NodeRef tree = C(0.5, L(0), L(1));
  NodeRef refitted = RefitTree(tree, kUnitRect, {0, 0, 0.8, 1}, 0.3, 0);
  ASSERT_NE(refitted, nullptr);
  EXPECT_DOUBLE_EQ(refitted->ratio, 0.625);
  EXPECT_EQ(refitted->first, tree->first);

  NodeRef moved = RefitTree(tree, kUnitRect, {0.2, 0, 0.8, 1}, 0, 0);
  ASSERT_NE(moved, nullptr);
  EXPECT_DOUBLE_EQ(moved->ratio, 0.375);
  // Nothing changes: the very same tree comes back.
  EXPECT_EQ(RefitTree(tree, kUnitRect, kUnitRect, 0.1, 0.1), tree);

  // It fails below the minimum or outside the ratio limits.
  EXPECT_EQ(RefitTree(tree, kUnitRect, {0, 0, 0.8, 1}, 0.35, 0), nullptr);  // region 1: 0.3
  EXPECT_EQ(RefitTree(tree, kUnitRect, {0, 0, 0.52, 1}, 0, 0), nullptr);    // ratio 0.96
  EXPECT_EQ(RefitTree(tree, kUnitRect, {0, 0, 0, 1}, 0, 0), nullptr);
  EXPECT_EQ(RefitTree(L(0), kUnitRect, {0, 0, 1, 0.5}, 0, 0.6), nullptr);
  EXPECT_NE(RefitTree(L(0), kUnitRect, {0, 0, 1, 0.6}, 0, 0.6), nullptr);

  // A region already below the minimum may keep its size or grow, not shrink.
  NodeRef leaf = L(0);
  const Rect small{0, 0, 0.1, 1};
  EXPECT_EQ(RefitTree(leaf, small, {0, 0, 0.1, 1}, 0.3, 0), leaf);
  EXPECT_EQ(RefitTree(leaf, small, {0, 0, 0.2, 1}, 0.3, 0), leaf);
  EXPECT_EQ(RefitTree(leaf, small, {0, 0, 0.09, 1}, 0.3, 0), nullptr);
}

// The split on the path moves as far toward the target as the ratio limits, the minimums
// and the inner dividers (which keep their absolute places) allow.
TEST(MoveDivider, MovesTheSplitOnItsPathAsFarAsItMay) {
  NodeRef halves = C(0.5, L(0), L(1));
  NodeRef stack = C(0.5, L(0), R(0.5, L(1), L(2)));
  // The divider inside the right half sits at 0.75.
  NodeRef grid = C(0.5, R(0.5, L(0), L(1)), C(0.5, L(2), L(3)));
  const struct {
    NodeRef tree;
    TreePath path;
    double target;
    Rect rect;
    double minWidth;
    double ratio;
  } cases[] = {
      {halves, {}, 0.3, kUnitRect, 0, 0.3},
      {halves, {}, 1.5, kUnitRect, 0, 0.92},
      {halves, {}, 600, {400, 0, 800, 600}, 0, 0.25},
      {halves, {}, 0.9, kUnitRect, 0.3, 0.7},
      {halves, {}, 0.0, kUnitRect, 0.25, 0.25},
      {stack, {true}, 200, {0, 0, 1000, 1000}, 0, 0.2},
      {grid, {}, 0.4, kUnitRect, 0, 0.4},
      // The inner split's ratio (0.75 - p) / (1 - p) reaches 0.08 at p = 0.67 / 0.92.
      {grid, {}, 0.8, kUnitRect, 0, 0.67 / 0.92},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.target);
    const NodeRef moved = MoveDivider(c.tree, c.path, c.target, c.rect, c.minWidth, 0);
    ASSERT_TRUE(ValidateTree(moved));
    EXPECT_NEAR(NodeAtPath(moved, c.path).node->ratio, c.ratio, kStep);
    EXPECT_EQ(moved->first, c.tree->first);  // what is off the path is shared
    for (const auto& [region, rect] : RegionRects(moved, c.rect)) {
      EXPECT_GE(rect.width, c.minWidth - 1e-10) << region;
    }
  }
}

TEST(MoveDivider, GivesTheInputWhenNothingCanMove) {
  NodeRef tree = C(0.5, L(0), L(1));
  const double inf = std::numeric_limits<double>::infinity();
  EXPECT_EQ(MoveDivider(tree, {}, std::nan(""), kUnitRect, 0, 0), tree);
  EXPECT_EQ(MoveDivider(tree, {}, inf, kUnitRect, 0, 0), tree);
  EXPECT_EQ(MoveDivider(tree, {false}, 0.3, kUnitRect, 0, 0), tree);  // a leaf
  NodeRef leaf = L(0);
  EXPECT_EQ(MoveDivider(leaf, {}, 0.3, kUnitRect, 0, 0), leaf);
  EXPECT_EQ(MoveDivider(tree, {}, 0.3, {0, 0, 0, 1}, 0, 0), tree);  // no extent
  EXPECT_EQ(MoveDivider(tree, {}, 0.3, kUnitRect, 0.6, 0), tree);   // no room at all
}

TEST(MoveRegionEdge, MovesOnlyADividerAlongTheWholeEdge) {
  NodeRef tree = C(0.5, L(0), R(0.5, L(1), L(2)));
  EXPECT_EQ(MoveRegionEdge(tree, 1, RegionEdge::Left, 0.6, 0, 0)->ratio, 0.6);
  EXPECT_EQ(MoveRegionEdge(tree, 0, RegionEdge::Right, 0.6, 0, 0)->ratio, 0.6);
  EXPECT_EQ(MoveRegionEdge(tree, 1, RegionEdge::Bottom, 0.7, 0, 0)->second->ratio, 0.7);
  EXPECT_EQ(MoveRegionEdge(tree, 2, RegionEdge::Top, 0.7, 0, 0)->second->ratio, 0.7);
  // The minimum still holds.
  EXPECT_LT(std::abs(MoveRegionEdge(tree, 1, RegionEdge::Bottom, 0.9, 0, 0.3)->second->ratio - 0.7),
            kStep);
  // Outer edges and unknown regions stay.
  EXPECT_EQ(MoveRegionEdge(tree, 0, RegionEdge::Left, 0.2, 0, 0), tree);
  EXPECT_EQ(MoveRegionEdge(tree, 0, RegionEdge::Top, 0.2, 0, 0), tree);
  EXPECT_EQ(MoveRegionEdge(tree, 0, RegionEdge::Bottom, 0.2, 0, 0), tree);
  EXPECT_EQ(MoveRegionEdge(tree, 1, RegionEdge::Right, 0.8, 0, 0), tree);
  EXPECT_EQ(MoveRegionEdge(tree, 2, RegionEdge::Bottom, 0.8, 0, 0), tree);
  EXPECT_EQ(MoveRegionEdge(tree, 5, RegionEdge::Left, 0.2, 0, 0), tree);
  EXPECT_EQ(MoveRegionEdge(tree, 1, static_cast<RegionEdge>(4), 0.2, 0, 0), tree);

  // Both row dividers lie at y = 0.5; only the left one runs along region 0's bottom.
  NodeRef quarters = C(0.5, R(0.5, L(0), L(1)), R(0.5, L(2), L(3)));
  NodeRef moved = MoveRegionEdge(quarters, 0, RegionEdge::Bottom, 0.3, 0, 0);
  EXPECT_EQ(moved->first->ratio, 0.3);
  EXPECT_EQ(moved->second, quarters->second);

  // A divider longer than the edge moves too (and with it the neighbours' edges).
  NodeRef wide = R(0.5, L(0), C(0.5, L(1), L(2)));
  EXPECT_EQ(MoveRegionEdge(wide, 1, RegionEdge::Top, 0.4, 0, 0)->ratio, 0.4);
}

TEST(ResizeSplitAtPath, BothSidesScaleTheirInnerDividersAndKeepTheirMinimums) {
  NodeRef tree = C(0.5, L(0), C(0.5, L(1), L(2)));
  NodeRef resized = ResizeSplitAtPath(tree, {}, 0.25, kUnitRect, 0, 0);
  EXPECT_EQ(resized->ratio, 0.25);
  EXPECT_EQ(resized->second, tree->second);  // inner ratio 0.5 kept
  EXPECT_EQ(ResizeSplitAtPath(tree, {}, 0.01, kUnitRect, 0, 0)->ratio, 0.08);
  EXPECT_EQ(ResizeSplitAtPath(tree, {}, 0.99, kUnitRect, 0, 0)->ratio, 0.92);
  // The right side needs 0.2 / 0.5 = 0.4 of the width.
  EXPECT_DOUBLE_EQ(ResizeSplitAtPath(tree, {}, 0.8, kUnitRect, 0.2, 0)->ratio, 0.6);
  EXPECT_DOUBLE_EQ(ResizeSplitAtPath(tree, {}, 0.1, kUnitRect, 0.2, 0)->ratio, 0.2);
  EXPECT_DOUBLE_EQ(ResizeSplitAtPath(tree, {}, 960, {0, 0, 1200, 800}, 240, 0)->ratio, 0.6);
  EXPECT_EQ(ResizeSplitAtPath(tree, {}, 0.5, kUnitRect, 0.4, 0), tree);  // no room
  // Where it cannot work it leaves the tree alone.
  EXPECT_EQ(ResizeSplitAtPath(tree, {}, 0.3, {0, 0, 0, 1}, 0, 0), tree);
  EXPECT_EQ(ResizeSplitAtPath(tree, {}, std::nan(""), kUnitRect, 0, 0), tree);
  EXPECT_EQ(ResizeSplitAtPath(tree, {true, true}, 0.3, kUnitRect, 0, 0), tree);
  NodeRef leaf = L(0);
  EXPECT_EQ(ResizeSplitAtPath(leaf, {}, 0.3, kUnitRect, 0, 0), leaf);
}

TEST(EvenSplitAtPath, HalvesASplitWhenTheMinimumsAllow) {
  NodeRef tree = C(0.5, L(0), C(0.3, L(1), L(2)));
  NodeRef even = EvenSplitAtPath(tree, {true}, 0.1, 0.1);
  ASSERT_NE(even, nullptr);
  EXPECT_EQ(even->second->ratio, 0.5);
  EXPECT_EQ(even->first, tree->first);
  // Halving the root, and minimums that forbid it, are the divider editor's (DividersTest).
  EXPECT_EQ(EvenSplitAtPath(tree, {false}, 0, 0), nullptr);             // a leaf
  EXPECT_EQ(EvenSplitAtPath(tree, {true, true, true}, 0, 0), nullptr);  // no such split
}

}  // namespace
}  // namespace tessary
