#include "base/geometry.h"

#include <gtest/gtest.h>

namespace tessary {
namespace {

// Only touching is checked here; the span and region tests check the overlap's size.
TEST(Intersect, RectanglesThatOnlyTouchDoNotOverlap) {
  EXPECT_TRUE(Intersect({0, 0, 100, 100}, {100, 0, 50, 100}).IsEmpty());
  EXPECT_TRUE(Intersect({0, 0, 100, 100}, {0, 100, 100, 50}).IsEmpty());
  EXPECT_TRUE(Intersect({0, 0, 10, 10}, {20, 20, 10, 10}).IsEmpty());
}

TEST(NearlyEqual, ComparesEdgesNotSizes) {
  const Rect b{100, 100, 400, 300};
  EXPECT_TRUE(NearlyEqual({101, 100, 400, 300}, b, 1.0));   // moved one pixel right
  EXPECT_FALSE(NearlyEqual({100, 100, 402, 300}, b, 1.0));  // two pixels wider
  EXPECT_TRUE(NearlyEqual({100, 100, 401, 299}, b, 1.0));   // tolerance is inclusive
  EXPECT_FALSE(NearlyEqual({98.5, 100, 401.5, 300}, b, 1.0));
}

TEST(Rect, ContainsIncludesLeftAndTopEdgesOnly) {
  const Rect r{0, 0, 1920, 1080};
  EXPECT_TRUE(r.Contains({0, 0}));
  EXPECT_FALSE(r.Contains({1920, 5}));
  EXPECT_FALSE(r.Contains({5, 1080}));
  EXPECT_FALSE((Rect{0, 0, 0, 10}).Contains({0, 0}));
  EXPECT_EQ(Rect::FromEdges(-1920, 0, 0, 1040), (Rect{-1920, 0, 1920, 1040}));
}

}  // namespace
}  // namespace tessary
