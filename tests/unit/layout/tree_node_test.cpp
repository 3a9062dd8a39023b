#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "catalogue_support.h"
#include "layout/layout_tree.h"

namespace tessary {
namespace {

using namespace testing::builders;

TEST(TreesEqual, ComparesStructureAndExactRatios) {
  NodeRef a = C(0.5, L(0), R(0.25, L(1), L(2)));
  NodeRef b = C(0.5, L(0), R(0.25, L(1), L(2)));
  EXPECT_TRUE(TreesEqual(a, b));
  EXPECT_TRUE(TreesEqual(a, a));
  EXPECT_TRUE(TreesEqual(nullptr, nullptr));
  EXPECT_FALSE(TreesEqual(a, nullptr));

  EXPECT_FALSE(TreesEqual(a, C(0.5, L(0), R(std::nextafter(0.25, 1.0), L(1), L(2)))));
  EXPECT_FALSE(TreesEqual(a, R(0.5, L(0), R(0.25, L(1), L(2)))));
  EXPECT_FALSE(TreesEqual(a, C(0.5, L(0), R(0.25, L(2), L(1)))));
  EXPECT_FALSE(TreesEqual(L(0), C(0.5, L(0), L(1))));
}

// The limits themselves, regions 15 and 16, numbers with gaps and repeated numbers are
// checked through the strict reader, the documents and the random trees (ParseLayoutTree,
// LayoutDocuments, TreeProperties).
TEST(ValidateTree, RatioLimitsRegionsInRangeAndNoMissingNodes) {
  EXPECT_FALSE(ValidateTree(C(0.0799, L(0), L(1))));
  EXPECT_FALSE(ValidateTree(C(0.9201, L(0), L(1))));
  EXPECT_FALSE(ValidateTree(R(std::nan(""), L(0), L(1))));
  EXPECT_FALSE(ValidateTree(R(std::numeric_limits<double>::infinity(), L(0), L(1))));
  // A bad ratio deep inside fails the whole tree.
  EXPECT_FALSE(ValidateTree(C(0.5, L(0), R(0.95, L(1), L(2)))));
  EXPECT_FALSE(ValidateTree(L(-1)));
  EXPECT_FALSE(ValidateTree(L(std::numeric_limits<std::int32_t>::min())));
  EXPECT_FALSE(ValidateTree(nullptr));
  EXPECT_FALSE(ValidateTree(C(0.5, L(0), nullptr)));
  EXPECT_FALSE(ValidateTree(C(0.5, nullptr, L(0))));
}

TEST(FirstFreeRegion, GivesTheSmallestUnusedNumber) {
  EXPECT_EQ(FirstFreeRegion(L(0)), 1);
  EXPECT_EQ(FirstFreeRegion(L(3)), 0);
  EXPECT_EQ(FirstFreeRegion(C(0.5, L(0), R(0.5, L(1), L(3)))), 2);
  EXPECT_EQ(FirstFreeRegion(SixteenRegions()), std::nullopt);
  // Out-of-range numbers take no slot.
  EXPECT_EQ(FirstFreeRegion(C(0.5, L(-1), L(16))), 0);
}

}  // namespace
}  // namespace tessary
