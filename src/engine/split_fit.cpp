#include "engine/split_fit.h"

#include <cmath>

#include "layout/tree_fit.h"
#include "layout/tree_geometry.h"

namespace tessary {
namespace {

constexpr double kSame = 0.0001;
constexpr double kMinimumShare = 0.01;
// What the gap between regions and to the work area's edges costs a region: half a gap
// on each side of 8 pixels, plus a pixel of rounding.
constexpr double kEdgeCost = 9;
constexpr double kLayoutGap = 8;

}  // namespace

NodeRef FitSplitRatio(const NodeRef& tree, std::int32_t regionA, std::int32_t regionB,
                      SizeNeed needA, SizeNeed needB, const Rect& work) {
  RegionMap unit = RegionRects(tree, kUnitRect);
  const Rect* a = unit.Get(regionA);
  const Rect* b = unit.Get(regionB);
  if (!a || !b) return nullptr;

  bool sideBySide = std::abs(a->x - b->x) >= kSame && std::abs(a->y - b->y) < kSame &&
                    std::abs(a->height - b->height) < kSame;
  bool stacked = std::abs(a->x - b->x) < kSame && std::abs(a->width - b->width) < kSame;
  if (!sideBySide && !stacked) return nullptr;

  // Work along one axis: the first region (left or upper) and the second.
  bool aFirst = sideBySide ? a->x < b->x : a->y < b->y;
  const Rect& first = aFirst ? *a : *b;
  const Rect& second = aFirst ? *b : *a;
  std::int32_t firstRegion = aFirst ? regionA : regionB;
  const SizeNeed& firstNeed = aFirst ? needA : needB;
  const SizeNeed& secondNeed = aFirst ? needB : needA;

  double extent = sideBySide ? work.width : work.height;
  double avail = extent - kLayoutGap;
  if (!(avail > 0)) return nullptr;
  double firstStart = sideBySide ? first.x : first.y;
  double firstSize = sideBySide ? first.width : first.height;
  double secondEnd = sideBySide ? second.Right() : second.Bottom();
  double lo = firstStart + ((sideBySide ? firstNeed.width : firstNeed.height) + kEdgeCost) / avail;
  double hi = secondEnd - ((sideBySide ? secondNeed.width : secondNeed.height) + kEdgeCost) / avail;
  if (hi < lo) return nullptr;

  double edge = firstStart + firstSize;
  if (edge < lo) edge = lo;
  if (edge > hi) edge = hi;
  NodeRef moved =
      MoveRegionEdge(tree, firstRegion, sideBySide ? RegionEdge::Right : RegionEdge::Bottom, edge,
                     kMinimumShare, kMinimumShare);
  if (!moved) return nullptr;

  RegionMap pixels = PixelRegionRects(moved, work, kLayoutGap);
  const Rect* pa = pixels.Get(regionA);
  const Rect* pb = pixels.Get(regionB);
  if (!pa || !pb) return nullptr;
  bool fits = sideBySide ? pa->width >= needA.width && pb->width >= needB.width
                         : pa->height >= needA.height && pb->height >= needB.height;
  return fits ? moved : nullptr;
}

}  // namespace tessary
