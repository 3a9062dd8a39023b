// Properties that must hold for every valid tree, checked over a few thousand random
// trees from a fixed seed (so a failure reproduces exactly).

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

#include "catalogue_support.h"
#include "layout/tree_fit.h"
#include "layout/tree_geometry.h"

namespace tessary {
namespace {

using testing::RandomBelow;
using testing::RandomTree;
using testing::RandomUnit;

constexpr int kRounds = 3000;

Rect RandomWorkArea(std::mt19937_64& random) {
  const double x = RandomBelow(random, 8000) - 4000;
  const double y = RandomBelow(random, 4000) - 2000;
  const double width = 800 + RandomBelow(random, 3200);
  return Rect{x, y, width, 600.0 + RandomBelow(random, 1800)};
}

TEST(TreeProperties, PixelRegionsAreTheirSharesInsetByHalfAGapAndNeverSmaller) {
  std::mt19937_64 random(2);
  const double gaps[] = {0, 8, 9, 10, 12, 16};
  for (int round = 0; round < kRounds; ++round) {
    NodeRef tree = RandomTree(random);
    const Rect work = RandomWorkArea(random);
    const double gap = gaps[RandomBelow(random, 6)];
    const double half = gap / 2;
    const Rect inner{work.x + half, work.y + half, work.width - gap, work.height - gap};
    const RegionMap unit = RegionRects(tree, kUnitRect);
    const RegionMap pixels = PixelRegionRects(tree, work, gap);
    ASSERT_EQ(unit.size(), pixels.size());
    for (const auto& [region, p] : pixels) {
      ASSERT_TRUE(unit.Get(region));
      const Rect& u = *unit.Get(region);
      // The exact share of the inner area, and that share inset by half a gap.
      const double left = inner.x + inner.width * u.x + half;
      const double top = inner.y + inner.height * u.y + half;
      const double right = inner.x + inner.width * (u.x + u.width) - half;
      const double bottom = inner.y + inner.height * (u.y + u.height) - half;
      for (double v : {p.x, p.y, p.width, p.height}) ASSERT_EQ(v, std::floor(v));
      // Never smaller than the exact share...
      ASSERT_LE(p.x, left + 1e-6);
      ASSERT_LE(p.y, top + 1e-6);
      ASSERT_GE(p.Right(), right - 1e-6);
      ASSERT_GE(p.Bottom(), bottom - 1e-6);
      // ...and never more than a pixel larger on any side.
      ASSERT_GT(p.x, left - 1);
      ASSERT_GT(p.y, top - 1);
      ASSERT_LT(p.Right(), right + 1);
      ASSERT_LT(p.Bottom(), bottom + 1);
      // Outer regions keep the full gap from the work area's edges.
      ASSERT_GE(p.x, work.x + gap);
      ASSERT_GE(p.y, work.y + gap);
      ASSERT_LE(p.Right(), work.Right() - gap);
      ASSERT_LE(p.Bottom(), work.Bottom() - gap);
    }
    if (gap >= 2) {
      for (auto a = pixels.begin(); a != pixels.end(); ++a) {
        for (auto b = a + 1; b != pixels.end(); ++b) {
          ASSERT_TRUE(Intersect(a->second, b->second).IsEmpty()) << a->first << " and " << b->first;
        }
      }
    }
  }
}

// A random tree with at least one split, minimums that the tree already respects, and a
// target anywhere around the rectangle for one of its dividers.
struct MoveCase {
  NodeRef tree;
  Rect rect;
  std::vector<DividerInfo> dividers;
  std::size_t moved = 0;  // the divider asked to move
  double target = 0;
  double minWidth = 0;
  double minHeight = 0;
};

MoveCase RandomMove(std::mt19937_64& random) {
  MoveCase c;
  do c.tree = RandomTree(random);
  while (c.tree->isLeaf);
  c.rect = RandomBelow(random, 2) == 0 ? kUnitRect : RandomWorkArea(random);
  double smallestWidth = c.rect.width;
  double smallestHeight = c.rect.height;
  for (const auto& [region, rect] : RegionRects(c.tree, c.rect)) {
    smallestWidth = std::min(smallestWidth, rect.width);
    smallestHeight = std::min(smallestHeight, rect.height);
  }
  const auto share = [&random] {
    const int pick = RandomBelow(random, 5);
    return pick == 0 ? 1.0 : pick == 1 ? 0.0 : RandomUnit(random);
  };
  c.minWidth = smallestWidth * share();
  c.minHeight = smallestHeight * share();
  c.dividers = ListDividers(c.tree, c.rect);
  c.moved = RandomBelow(random, static_cast<int>(c.dividers.size()));
  const bool columns = c.dividers[c.moved].axis == Axis::Columns;
  const double origin = columns ? c.rect.x : c.rect.y;
  const double extent = columns ? c.rect.width : c.rect.height;
  c.target = origin + extent * (1.4 * RandomUnit(random) - 0.2);
  return c;
}

void ExpectWithinTheRules(const MoveCase& c, const NodeRef& changed) {
  ASSERT_TRUE(ValidateTree(changed));
  const RegionMap before = RegionRects(c.tree, c.rect);
  const RegionMap after = RegionRects(changed, c.rect);
  ASSERT_EQ(before.size(), after.size());
  const DividerInfo& divider = c.dividers[c.moved];
  const double slack = 1e-9 * std::max(c.rect.width, c.rect.height);
  for (const auto& [region, rect] : after) {
    ASSERT_TRUE(before.Get(region)) << "region " << region;
    ASSERT_GE(rect.width, c.minWidth - slack) << "region " << region;
    ASSERT_GE(rect.height, c.minHeight - slack) << "region " << region;
    // Regions away from the moved split stay exactly where they were.
    if (Intersect(*before.Get(region), divider.rect).IsEmpty()) {
      ASSERT_EQ(rect, *before.Get(region));
    }
  }
  // The divider ends between where it was and where it was asked to go.
  const std::vector<DividerInfo> dividers = ListDividers(changed, c.rect);
  ASSERT_EQ(dividers.size(), c.dividers.size());
  ASSERT_EQ(dividers[c.moved].path, divider.path);
  const bool columns = divider.axis == Axis::Columns;
  const double origin = columns ? divider.rect.x : divider.rect.y;
  const double extent = columns ? divider.rect.width : divider.rect.height;
  const double clamped =
      std::clamp(c.target, origin + extent * kMinRatio, origin + extent * kMaxRatio);
  ASSERT_GE(dividers[c.moved].position, std::min(divider.position, clamped) - 1e-9 * extent);
  ASSERT_LE(dividers[c.moved].position, std::max(divider.position, clamped) + 1e-9 * extent);
}

TEST(TreeProperties, MovingOrResizingASplitKeepsTreesValidAndRegionsAtTheirMinimums) {
  std::mt19937_64 random(4);
  for (int round = 0; round < kRounds; ++round) {
    const MoveCase c = RandomMove(random);
    const TreePath& path = c.dividers[c.moved].path;
    const NodeRef moved = MoveDivider(c.tree, path, c.target, c.rect, c.minWidth, c.minHeight);
    const NodeRef resized =
        ResizeSplitAtPath(c.tree, path, c.target, c.rect, c.minWidth, c.minHeight);
    for (const NodeRef& changed : {moved, resized}) {
      ASSERT_NO_FATAL_FAILURE(ExpectWithinTheRules(c, changed)) << "round " << round;
    }
    // The other dividers keep their absolute positions when the split moves.
    const std::vector<DividerInfo> after = ListDividers(moved, c.rect);
    const double slack = 1e-9 * std::max(c.rect.width, c.rect.height);
    for (std::size_t i = 0; i < after.size(); ++i) {
      if (i != c.moved) {
        ASSERT_NEAR(after[i].position, c.dividers[i].position, slack) << "round " << round;
      }
    }
  }
}

}  // namespace
}  // namespace tessary
