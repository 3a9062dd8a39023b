#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "layout/layout_tree.h"

namespace tessary {
namespace {

NodeRef Cols(double ratio, NodeRef a, NodeRef b) { return MakeSplit(Axis::Columns, ratio, a, b); }
NodeRef Rows(double ratio, NodeRef a, NodeRef b) { return MakeSplit(Axis::Rows, ratio, a, b); }

TEST(TreesEqual, ComparesStructureAndExactRatios) {
  NodeRef a = Cols(0.5, MakeLeaf(0), Rows(0.25, MakeLeaf(1), MakeLeaf(2)));
  NodeRef b = Cols(0.5, MakeLeaf(0), Rows(0.25, MakeLeaf(1), MakeLeaf(2)));
  EXPECT_TRUE(TreesEqual(a, b));
  EXPECT_TRUE(TreesEqual(a, a));
  EXPECT_TRUE(TreesEqual(nullptr, nullptr));
  EXPECT_FALSE(TreesEqual(a, nullptr));

  EXPECT_FALSE(TreesEqual(
      a, Cols(0.5, MakeLeaf(0), Rows(std::nextafter(0.25, 1.0), MakeLeaf(1), MakeLeaf(2)))));
  EXPECT_FALSE(TreesEqual(a, Rows(0.5, MakeLeaf(0), Rows(0.25, MakeLeaf(1), MakeLeaf(2)))));
  EXPECT_FALSE(TreesEqual(a, Cols(0.5, MakeLeaf(0), Rows(0.25, MakeLeaf(2), MakeLeaf(1)))));
  EXPECT_FALSE(TreesEqual(MakeLeaf(0), Cols(0.5, MakeLeaf(0), MakeLeaf(1))));
}

TEST(ValidateTree, InclusiveRatioLimitsUniqueRegionsInRangeAndNoMissingNodes) {
  EXPECT_TRUE(ValidateTree(Cols(0.08, MakeLeaf(0), MakeLeaf(1))));
  EXPECT_TRUE(ValidateTree(Cols(0.92, MakeLeaf(0), MakeLeaf(1))));
  EXPECT_FALSE(ValidateTree(Cols(0.0799, MakeLeaf(0), MakeLeaf(1))));
  EXPECT_FALSE(ValidateTree(Cols(0.9201, MakeLeaf(0), MakeLeaf(1))));
  EXPECT_FALSE(ValidateTree(Rows(std::nan(""), MakeLeaf(0), MakeLeaf(1))));
  EXPECT_FALSE(
      ValidateTree(Rows(std::numeric_limits<double>::infinity(), MakeLeaf(0), MakeLeaf(1))));
  // A bad ratio deep inside fails the whole tree.
  EXPECT_FALSE(ValidateTree(Cols(0.5, MakeLeaf(0), Rows(0.95, MakeLeaf(1), MakeLeaf(2)))));
  EXPECT_TRUE(ValidateTree(MakeLeaf(0)));
  EXPECT_TRUE(ValidateTree(MakeLeaf(15)));
  EXPECT_FALSE(ValidateTree(MakeLeaf(16)));
  EXPECT_FALSE(ValidateTree(MakeLeaf(-1)));
  EXPECT_FALSE(ValidateTree(MakeLeaf(std::numeric_limits<std::int32_t>::min())));
  // Numbers need not be contiguous.
  EXPECT_TRUE(ValidateTree(Cols(0.5, MakeLeaf(0), Rows(0.5, MakeLeaf(1), MakeLeaf(3)))));
  // The same number in different branches, and in siblings.
  EXPECT_FALSE(ValidateTree(Cols(0.5, MakeLeaf(2), Rows(0.5, MakeLeaf(1), MakeLeaf(2)))));
  EXPECT_FALSE(ValidateTree(Cols(0.5, MakeLeaf(2), MakeLeaf(2))));
  EXPECT_TRUE(ValidateTree(SnapLayout{}.tree));  // a new layout is the whole screen
  EXPECT_FALSE(ValidateTree(nullptr));
  EXPECT_FALSE(ValidateTree(Cols(0.5, MakeLeaf(0), nullptr)));
  EXPECT_FALSE(ValidateTree(Cols(0.5, nullptr, MakeLeaf(0))));
}

TEST(FirstFreeRegion, GivesTheSmallestUnusedNumber) {
  EXPECT_EQ(FirstFreeRegion(MakeLeaf(0)), 1);
  EXPECT_EQ(FirstFreeRegion(MakeLeaf(3)), 0);
  EXPECT_EQ(FirstFreeRegion(Cols(0.5, MakeLeaf(0), Rows(0.5, MakeLeaf(1), MakeLeaf(3)))), 2);

  NodeRef all = MakeLeaf(0);
  for (int region = 1; region < 16; ++region) all = Cols(0.5, all, MakeLeaf(region));
  EXPECT_EQ(FirstFreeRegion(all), std::nullopt);
  // Out-of-range numbers take no slot.
  EXPECT_EQ(FirstFreeRegion(Cols(0.5, MakeLeaf(-1), MakeLeaf(16))), 0);
}

}  // namespace
}  // namespace tessary
