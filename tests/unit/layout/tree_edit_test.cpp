#include "layout/tree_edit.h"

#include <gtest/gtest.h>

#include "catalogue_support.h"
#include "layout/tree_geometry.h"

namespace tessary {
namespace {

using namespace testing::builders;

// 0 | (1 over (2 | 3))
NodeRef Sample() { return C(0.5, L(0), R(0.25, L(1), C(0.4, L(2), L(3)))); }

TEST(PathToRegion, SearchesDepthFirst) {
  NodeRef tree = Sample();
  EXPECT_EQ(PathToRegion(tree, 0), TreePath{false});
  EXPECT_EQ(PathToRegion(tree, 3), (TreePath{true, true, true}));
  EXPECT_EQ(PathToRegion(tree, 9), std::nullopt);
  EXPECT_EQ(PathToRegion(L(4), 4), TreePath{});
  // A repeated number (invalid tree): the first leaf is found.
  EXPECT_EQ(PathToRegion(C(0.5, L(1), L(1)), 1), TreePath{false});
}

TEST(NodeAtPath, NarrowsTheRectangleAndStopsAtALeaf) {
  NodeRef tree = Sample();
  const struct {
    TreePath path;
    int steps;
    NodeRef node;
    Rect rect;
  } cases[] = {
      {{true, true}, 2, tree->second->second, {500, 200, 500, 600}},
      {{true, true}, 1, tree->second, {500, 0, 500, 800}},      // only one step
      {{false, true, true}, 3, tree->first, {0, 0, 500, 800}},  // leaf 0 on the way
  };
  for (const auto& c : cases) {
    const NodeAndRect at = NodeAtPath(tree, c.path, c.steps, {0, 0, 1000, 800});
    EXPECT_EQ(at.node, c.node) << c.steps;
    EXPECT_EQ(at.rect, c.rect) << c.steps;
  }
  EXPECT_EQ(NodeAtPath(tree, {}).node, tree);
  EXPECT_EQ(NodeAtPath(tree, {}).rect, kUnitRect);
}

TEST(ReplaceAtPathAndRegion, ReplaceTheNodeAndShareTheRest) {
  NodeRef tree = Sample();
  NodeRef joined = ReplaceAtPath(tree, {true, true}, 2);  // 2 | 3 rejoined as 2
  EXPECT_TRUE(TreesEqual(joined, C(0.5, L(0), R(0.25, L(1), L(2)))));
  EXPECT_EQ(joined->first, tree->first);
  EXPECT_EQ(joined->second->first, tree->second->first);

  EXPECT_TRUE(TreesEqual(ReplaceAtPath(tree, {}, 5), L(5)));
  // No node at the end of a path through a leaf: nothing changes.
  EXPECT_EQ(ReplaceAtPath(tree, {false, true}, 5), tree);

  // A region's leaf replaced by a subtree.
  NodeRef split = R(0.5, L(1), L(4));
  NodeRef result = ReplaceRegion(tree, 1, split);
  EXPECT_EQ(result->second->first, split);
  EXPECT_EQ(result->second->second, tree->second->second);
  EXPECT_EQ(result->first, tree->first);
  EXPECT_EQ(ReplaceRegion(tree, 7, split), tree);
  EXPECT_EQ(ReplaceRegion(L(0), 0, split), split);
}

TEST(CollapseLeafPair, TheRegionTakesOverItsSiblingsSpace) {
  NodeRef tree = Sample();
  NodeRef collapsed = CollapseLeafPair(tree, 3);
  ASSERT_TRUE(TreesEqual(collapsed, C(0.5, L(0), R(0.25, L(1), L(3)))));
  EXPECT_EQ(RegionRects(collapsed, kUnitRect).Get(3)->width, 0.5);

  // Region 1's sibling is a split, region 0's too: nothing to collapse.
  EXPECT_EQ(CollapseLeafPair(tree, 1), nullptr);
  EXPECT_EQ(CollapseLeafPair(tree, 0), nullptr);
  EXPECT_EQ(CollapseLeafPair(L(0), 0), nullptr);
  EXPECT_TRUE(TreesEqual(CollapseLeafPair(C(0.3, L(0), L(1)), 0), L(0)));

  // Pre-order: the first qualifying split wins.
  NodeRef twoPairs = R(0.5, C(0.5, L(0), L(1)), C(0.5, L(2), L(3)));
  NodeRef once = CollapseLeafPair(twoPairs, 2);
  ASSERT_TRUE(TreesEqual(once, R(0.5, C(0.5, L(0), L(1)), L(2))));
  EXPECT_EQ(once->first, twoPairs->first);
}

}  // namespace
}  // namespace tessary
