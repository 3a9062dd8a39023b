// The neighbour rule of keyboard moves: exact neighbours on every built-in layout, and
// on random trees that every region can be reached and every move can be gone back on.

#include "layout/region_neighbours.h"

#include <gtest/gtest.h>

#include <array>
#include <random>
#include <set>
#include <vector>

#include "catalogue_support.h"
#include "layout/builtin_layouts.h"
#include "layout/tree_geometry.h"

namespace tessary {
namespace {

// Each direction's opposite is its neighbour in this list (index ^ 1).
constexpr std::array<MoveDirection, 4> kDirections = {MoveDirection::kLeft, MoveDirection::kRight,
                                                      MoveDirection::kUp, MoveDirection::kDown};

RegionMap UnitRectsOf(const char* id) { return RegionRects(FindBuiltIn(id)->tree, kUnitRect); }

TEST(RegionNeighboursTest, EveryBuiltInRegionHasItsNeighbours) {
  struct Case {
    const char* layout;
    std::int32_t region;
    std::array<std::int32_t, 4> leftRightAboveBelow;
  };
  const Case cases[] = {
      {"halves", 0, {-1, 1, -1, -1}},
      {"halves", 1, {0, -1, -1, -1}},
      {"thirds", 0, {-1, 1, -1, -1}},
      {"thirds", 1, {0, 2, -1, -1}},
      {"thirds", 2, {1, -1, -1, -1}},
      {"focus", 0, {-1, 1, -1, -1}},
      {"focus", 1, {0, -1, -1, -1}},
      // Both stacked regions face the main one equally: the lower number wins.
      {"stack", 0, {-1, 1, -1, -1}},
      {"stack", 1, {0, -1, -1, 2}},
      {"stack", 2, {0, -1, 1, -1}},
      {"quarters", 0, {-1, 2, -1, 1}},
      {"quarters", 1, {-1, 3, 0, -1}},
      {"quarters", 2, {0, -1, -1, 3}},
      {"quarters", 3, {1, -1, 2, -1}},
      {"rows", 0, {-1, -1, -1, 1}},
      {"rows", 1, {-1, -1, 0, -1}},
      {"thirds-left-stack", 0, {-1, 1, -1, 3}},
      {"thirds-left-stack", 3, {-1, 1, 0, -1}},
      {"thirds-left-stack", 1, {0, 2, -1, -1}},
      {"thirds-left-stack", 2, {1, -1, -1, -1}},
      {"thirds-right-stack", 0, {-1, 1, -1, -1}},
      {"thirds-right-stack", 1, {0, 2, -1, -1}},
      {"thirds-right-stack", 2, {1, -1, -1, 3}},
      {"thirds-right-stack", 3, {1, -1, 2, -1}},
      {"full", 0, {-1, -1, -1, -1}},
  };
  for (const Case& c : cases) {
    const RegionMap rects = UnitRectsOf(c.layout);
    for (std::size_t d = 0; d < kDirections.size(); ++d) {
      EXPECT_EQ(NeighbourRegion(rects, c.region, kDirections[d]), c.leftRightAboveBelow[d])
          << c.layout << " region " << c.region << " direction " << d;
    }
  }
  std::size_t regions = 0;
  for (const SnapLayout& layout : BuiltInLayouts())
    regions += RegionRects(layout.tree, kUnitRect).size();
  EXPECT_EQ(std::size(cases), regions);  // every region of every built-in is in the table
}

TEST(RegionNeighboursTest, OnRandomTreesEveryRegionIsReachableAndEveryMoveReversible) {
  std::mt19937_64 random(24);
  for (int round = 0; round < 400; ++round) {
    const RegionMap rects = RegionRects(testing::RandomTree(random), kUnitRect);
    for (const auto& [start, rect] : rects) {
      std::set<std::int32_t> reached = {start};
      std::vector<std::int32_t> frontier = {start};
      while (!frontier.empty()) {
        const std::int32_t region = frontier.back();
        frontier.pop_back();
        for (std::size_t d = 0; d < kDirections.size(); ++d) {
          const std::int32_t next = NeighbourRegion(rects, region, kDirections[d]);
          if (next < 0) continue;
          ASSERT_TRUE(LiesBeyond(*rects.Get(next), *rects.Get(region), kDirections[d])) << round;
          // Whatever lies beyond, the way back is never a dead end.
          ASSERT_GE(NeighbourRegion(rects, next, kDirections[d ^ 1]), 0) << round;
          if (reached.insert(next).second) frontier.push_back(next);
        }
      }
      ASSERT_EQ(reached.size(), rects.size()) << "round " << round << " from " << start;
    }
  }
}

TEST(RegionNeighboursTest, AMoveFromBesideEntersByTheFacingSideAndAStrayWindowByItsCentre) {
  // "Main + stack": from the left the main region, from the right the stacked ones,
  // the one nearest the window's region centre.
  const RegionMap stack = UnitRectsOf("stack");
  EXPECT_EQ(EntryRegions(stack, MoveDirection::kRight).size(), 1u);
  const RegionMap fromRight = EntryRegions(stack, MoveDirection::kLeft);
  EXPECT_EQ(fromRight.size(), 2u);
  EXPECT_EQ(NearestFrom(fromRight, Rect{1.2, 0.6, 0.5, 0.4}, MoveDirection::kLeft), 2);
  EXPECT_EQ(NearestFrom(fromRight, Rect{1.2, 0, 0.5, 1}, MoveDirection::kLeft), 1);
  EXPECT_EQ(EntryRegions(stack, MoveDirection::kDown).size(), 2u);  // 0 and 1 share the top

  const RegionMap thirds = UnitRectsOf("thirds");
  EXPECT_EQ(RegionNearest(thirds, {1.4, -3}), 2);  // off the layout: still the nearest
  EXPECT_EQ(RegionNearest(RegionMap{}, {0.5, 0.5}), -1);
}

}  // namespace
}  // namespace tessary
