// Properties that must hold for every valid tree, checked over a few thousand random
// trees from a fixed seed (so a failure reproduces exactly).

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numeric>
#include <random>
#include <vector>

#include "layout/tree_fit.h"
#include "layout/tree_geometry.h"

namespace tessary {
namespace {

constexpr int kRounds = 3000;

// mt19937_64's sequence is fixed by the standard; the distributions are ours, so the
// trees are the same with every compiler and standard library.
class Random {
 public:
  explicit Random(std::uint64_t seed) : engine_(seed) {}
  double Unit() { return static_cast<double>(engine_() >> 11) * 0x1.0p-53; }
  double Between(double low, double high) { return low + (high - low) * Unit(); }
  int Below(int n) { return static_cast<int>(engine_() % static_cast<std::uint64_t>(n)); }
  bool Chance(double p) { return Unit() < p; }

 private:
  std::mt19937_64 engine_;
};

// The limits and common ratios often, anything between them otherwise.
double RandomRatio(Random& random) {
  const double common[] = {kMinRatio, kMaxRatio, 0.5, 1.0 / 3};
  const int pick = random.Below(10);
  return pick < 4 ? common[pick] : random.Between(kMinRatio, kMaxRatio);
}

NodeRef BuildTree(Random& random, const int* regions, int count) {
  if (count == 1) return MakeLeaf(regions[0]);
  const int firstCount = 1 + random.Below(count - 1);
  NodeRef first = BuildTree(random, regions, firstCount);
  NodeRef second = BuildTree(random, regions + firstCount, count - firstCount);
  return MakeSplit(random.Chance(0.5) ? Axis::Columns : Axis::Rows, RandomRatio(random),
                   std::move(first), std::move(second));
}

// 1 to 16 distinct region numbers from 0..15, in random order.
NodeRef RandomTree(Random& random) {
  std::vector<int> numbers(16);
  std::iota(numbers.begin(), numbers.end(), 0);
  for (int i = 15; i > 0; --i) std::swap(numbers[i], numbers[random.Below(i + 1)]);
  return BuildTree(random, numbers.data(), 1 + random.Below(16));
}

Rect RandomWorkArea(Random& random) {
  return Rect{static_cast<double>(random.Below(8000) - 4000),
              static_cast<double>(random.Below(4000) - 2000),
              static_cast<double>(800 + random.Below(3200)),
              static_cast<double>(600 + random.Below(1800))};
}

double Overlap(const Rect& a, const Rect& b) {
  const double w = std::min(a.Right(), b.Right()) - std::max(a.x, b.x);
  const double h = std::min(a.Bottom(), b.Bottom()) - std::max(a.y, b.y);
  return w > 0 && h > 0 ? w * h : 0;
}

bool SameRegions(const RegionMap& a, const RegionMap& b) {
  return a.size() == b.size() &&
         std::all_of(a.begin(), a.end(), [&b](const auto& entry) { return b.contains(entry.first); });
}

TEST(TreeProperties, PixelRegionsAreTheirSharesInsetByHalfAGapAndNeverSmaller) {
  Random random(2);
  const double gaps[] = {0, 8, 9, 10, 12, 16};
  for (int round = 0; round < kRounds; ++round) {
    NodeRef tree = RandomTree(random);
    const Rect work = RandomWorkArea(random);
    const double gap = gaps[random.Below(6)];
    const double half = gap / 2;
    const Rect inner{work.x + half, work.y + half, work.width - gap, work.height - gap};
    const RegionMap unit = RegionRects(tree, kUnitRect);
    const RegionMap pixels = PixelRegionRects(tree, work, gap);
    ASSERT_TRUE(SameRegions(unit, pixels));
    for (const auto& [region, p] : pixels) {
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
          ASSERT_EQ(Overlap(a->second, b->second), 0) << a->first << " and " << b->first;
        }
      }
    }
  }
}

struct MoveCase {
  NodeRef tree;
  Rect rect;
  DividerInfo divider;
  double target = 0;
  double minWidth = 0;
  double minHeight = 0;
};

// A random tree with at least one split, minimums that the tree already respects, and a
// target anywhere around the rectangle.
MoveCase RandomMove(Random& random) {
  MoveCase c;
  do c.tree = RandomTree(random);
  while (c.tree->isLeaf);
  c.rect = random.Chance(0.5) ? kUnitRect : RandomWorkArea(random);
  double smallestWidth = c.rect.width;
  double smallestHeight = c.rect.height;
  for (const auto& [region, rect] : RegionRects(c.tree, c.rect)) {
    smallestWidth = std::min(smallestWidth, rect.width);
    smallestHeight = std::min(smallestHeight, rect.height);
  }
  const auto share = [&random] {
    return random.Chance(0.2) ? 1.0 : random.Chance(0.2) ? 0.0 : random.Unit();
  };
  c.minWidth = smallestWidth * share();
  c.minHeight = smallestHeight * share();
  const std::vector<DividerInfo> dividers = ListDividers(c.tree, c.rect);
  c.divider = dividers[random.Below(static_cast<int>(dividers.size()))];
  const bool columns = c.divider.axis == Axis::Columns;
  const double origin = columns ? c.rect.x : c.rect.y;
  const double extent = columns ? c.rect.width : c.rect.height;
  c.target = origin + extent * random.Between(-0.2, 1.2);
  return c;
}

void ExpectValidWithMinimums(const MoveCase& c, const NodeRef& moved) {
  ASSERT_TRUE(ValidateTree(moved));
  const RegionMap before = RegionRects(c.tree, c.rect);
  const RegionMap after = RegionRects(moved, c.rect);
  ASSERT_TRUE(SameRegions(before, after));
  const double slack = 1e-9 * std::max(c.rect.width, c.rect.height);
  for (const auto& [region, rect] : after) {
    ASSERT_GE(rect.width, c.minWidth - slack) << "region " << region;
    ASSERT_GE(rect.height, c.minHeight - slack) << "region " << region;
    // Regions away from the moved split stay exactly where they were.
    if (Overlap(*before.Get(region), c.divider.rect) == 0) {
      ASSERT_EQ(rect, *before.Get(region));
    }
  }
}

// The divider ends between where it was and where it was asked to go.
void ExpectMovedTowardTarget(const MoveCase& c, const NodeRef& moved) {
  for (const DividerInfo& divider : ListDividers(moved, c.rect)) {
    if (divider.path != c.divider.path) continue;
    const bool columns = c.divider.axis == Axis::Columns;
    const double origin = columns ? c.divider.rect.x : c.divider.rect.y;
    const double extent = columns ? c.divider.rect.width : c.divider.rect.height;
    const double clamped =
        std::clamp(c.target, origin + extent * kMinRatio, origin + extent * kMaxRatio);
    const double low = std::min(c.divider.position, clamped);
    const double high = std::max(c.divider.position, clamped);
    const double slack = 1e-9 * extent;
    ASSERT_GE(divider.position, low - slack);
    ASSERT_LE(divider.position, high + slack);
    return;
  }
  FAIL() << "the moved split is gone";
}

TEST(TreeProperties, MovingOrResizingASplitKeepsTreesValidAndRegionsAtTheirMinimums) {
  Random random(4);
  for (int round = 0; round < kRounds; ++round) {
    const MoveCase c = RandomMove(random);
    const NodeRef moved =
        MoveDivider(c.tree, c.divider.path, c.target, c.rect, c.minWidth, c.minHeight);
    const NodeRef resized =
        ResizeSplitAtPath(c.tree, c.divider.path, c.target, c.rect, c.minWidth, c.minHeight);
    for (const NodeRef& changed : {moved, resized}) {
      ASSERT_NO_FATAL_FAILURE(ExpectValidWithMinimums(c, changed)) << "round " << round;
      ASSERT_NO_FATAL_FAILURE(ExpectMovedTowardTarget(c, changed)) << "round " << round;
    }
    // Inner dividers of the moved split keep their absolute positions.
    const std::vector<DividerInfo> before = ListDividers(c.tree, c.rect);
    const std::vector<DividerInfo> after = ListDividers(moved, c.rect);
    ASSERT_EQ(before.size(), after.size());
    const double slack = 1e-9 * std::max(c.rect.width, c.rect.height);
    for (std::size_t i = 0; i < before.size(); ++i) {
      if (before[i].path != c.divider.path) {
        ASSERT_NEAR(after[i].position, before[i].position, slack) << "round " << round;
      }
    }
  }
}

}  // namespace
}  // namespace tessary
