#include "layout/tree_geometry.h"

#include <gtest/gtest.h>

#include "catalogue_support.h"

namespace tessary {
namespace {

using namespace testing::builders;

TEST(RegionRects, LaysTheTreeOverTheRectangle) {
  NodeRef tree = C(0.5, L(2), R(0.25, L(0), L(5)));
  RegionMap unit = RegionRects(tree, kUnitRect);
  EXPECT_EQ(unit, (RegionMap{
                      {0, {0.5, 0, 0.5, 0.25}}, {2, {0, 0, 0.5, 1}}, {5, {0.5, 0.25, 0.5, 0.75}}}));
  RegionMap pixels = RegionRects(tree, {100, 0, 1000, 800});
  EXPECT_EQ(*pixels.Get(5), (Rect{600, 200, 500, 600}));
  // The first leaf keeps a repeated number.
  NodeRef repeated = C(0.5, R(0.5, L(1), L(0)), R(0.5, L(0), L(1)));
  EXPECT_EQ(RegionRects(repeated, kUnitRect),
            (RegionMap{{0, {0, 0.5, 0.5, 0.5}}, {1, {0, 0, 0.5, 0.5}}}));
}

TEST(PixelRegionRects, EdgesAHairPastOrBelowAWholePixelSnapToIt) {
  // 792 x (1 - 1/3) comes out as 528.0000000000001; rounded up it would make the right
  // region one pixel wider and only 7 pixels from the work area's edge.
  RegionMap rects = PixelRegionRects(C(1.0 / 3, L(0), L(1)), {0, 0, 800, 600}, 8);
  EXPECT_EQ(rects, (RegionMap{{0, {8, 8, 256, 584}}, {1, {272, 8, 520, 584}}}));

  // Within 1e-7 the near edge snaps before the floor; further off, the floor decides.
  const struct {
    double left, x, width;
  } cases[] = {{99.99999995, 100, 500}, {99.9999, 99, 501}, {100.00000005, 100, 500}};
  for (const auto& c : cases) {
    EXPECT_EQ(PixelRegionRects(L(0), {c.left, 0, 500, 400}, 0),
              (RegionMap{{0, {c.x, 0, c.width, 400}}}))
        << c.left;
  }
}

TEST(PixelRegionRects, TheGapOnADisplayIsEightTimesItsScaleRounded) {
  const struct {
    double scale, gap;
  } gaps[] = {{1.0, 8}, {1.25, 10}, {1.5, 12}, {1.75, 14}, {2.0, 16}};
  for (const auto& [scale, gap] : gaps) EXPECT_EQ(RegionGap(scale), gap) << scale;
  SnapLayout whole;  // a new layout is the whole screen
  EXPECT_EQ(PixelRegionRects(whole, {0, 0, 1920, 1080}, 8), (RegionMap{{0, {8, 8, 1904, 1064}}}));
  EXPECT_EQ(PixelRegionRects(L(0), {0, 0, 1920, 1040}, RegionGap(1.25)),
            (RegionMap{{0, {10, 10, 1900, 1020}}}));
  EXPECT_EQ(PixelRegionRects(L(0), {0, 0, 1920, 1040}, RegionGap(1.75)),
            (RegionMap{{0, {14, 14, 1892, 1012}}}));
}

TEST(RegionAtPoint, NearestRegionWithinTheScaledMarginLowerNumberOnATie) {
  const Rect screen{0, 0, 1921, 1080};
  // Region 0 ends at 957, region 1 starts at 964.
  const RegionMap halves = PixelRegionRects(C(0.5, L(0), L(1)), screen, 8);
  // Without a gap the halves overlap in one column of pixels: distance 0 to both.
  const RegionMap touching = PixelRegionRects(C(0.5, L(4), L(2)), screen, 0);
  const RegionMap one{{3, {100, 100, 50, 50}}};
  const RegionMap twice{{7, {100, 100, 50, 50}}, {3, {100, 100, 50, 50}}};
  const RegionMap corner{{0, {0, 0, 100, 100}}};
  const Rect box{0, 0, 1000, 1000};
  const struct {
    Point point;
    const RegionMap& regions;
    Rect bounds;
    double scale;
    int region;
  } cases[] = {
      {{100, 100}, halves, screen, 1, 0},
      {{1500, 100}, halves, screen, 1, 1},
      {{0, 0}, halves, screen, 1, 0},  // the margin reaches the edge
      {{958, 500}, halves, screen, 1, 0},
      {{962, 500}, halves, screen, 1, 1},
      {{960.5, 500}, halves, screen, 1, 1},  // 3.51 against 3.5
      {{960, 500}, touching, screen, 1, 2},
      {{960.995, 500}, touching, screen, 1, 2},
      {{95, 95}, twice, box, 1, 3},
      {{92, 120}, one, box, 1, 3},  // 8 px out: inclusive
      {{91.9, 120}, one, box, 1, -1},
      {{85, 120}, one, box, 2, 3},
      {{158, 120}, one, box, 1, -1},  // right side exclusive
      {{157.9, 120}, one, box, 1, 3},
      {{50, 50}, corner, {0, 0, 100, 100}, 1, 0},
      {{100, 50}, corner, {0, 0, 100, 100}, 1, -1},
      {{-1, 50}, corner, {0, 0, 100, 100}, 1, -1},
      {{50, 50}, corner, {0, 0, 0, 100}, 1, -1},
      {{50, 50}, corner, {0, 0, 100, -5}, 1, -1},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(RegionAtPoint(c.point, c.regions, c.bounds, c.scale), c.region)
        << c.point.x << "," << c.point.y << " at " << c.scale;
  }
  EXPECT_EQ(RegionAtPoint({50, 50}, RegionMap{}, {0, 0, 100, 100}, 1.0), -1);
}

}  // namespace
}  // namespace tessary
