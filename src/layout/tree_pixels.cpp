#include <algorithm>
#include <cmath>

#include "layout/tree_geometry.h"

namespace tessary {

namespace {

// Shares such as 1/3 of an even width land a hair beside a whole pixel; rounding those
// outward would grow a region by a pixel it does not own.
double SnapNearInteger(double value) {
  const double nearest = std::round(value);
  return std::abs(value - nearest) <= 1e-7 ? nearest : value;
}

// Clamps into [low, high] without std::clamp's precondition: a rectangle narrower than
// the clamp margin gives an empty range, which resolves to `low`.
double ClampInto(double value, double low, double high) {
  return std::max(low, std::min(value, high));
}

}  // namespace

RegionMap PixelRegionRects(const NodeRef& tree, const Rect& workArea, double gap) {
  const double half = gap / 2;
  const double innerX = workArea.x + half;
  const double innerY = workArea.y + half;
  const double innerWidth = workArea.width - gap;
  const double innerHeight = workArea.height - gap;

  RegionMap out = RegionRects(tree, Rect{0, 0, 1, 1});
  for (const auto& [region, unit] : out) {
    const double left = innerWidth * unit.x + innerX + half;
    const double top = innerHeight * unit.y + innerY + half;
    const double right = left + (innerWidth * unit.width - gap);
    const double bottom = top + (innerHeight * unit.height - gap);
    const double l = std::floor(SnapNearInteger(left));
    const double t = std::floor(SnapNearInteger(top));
    const double r = std::ceil(SnapNearInteger(right));
    const double b = std::ceil(SnapNearInteger(bottom));
    // Same keys in the same order: overwrite in place.
    out[region] = Rect{l, t, r - l, b - t};
  }
  return out;
}

RegionMap PixelRegionRects(const SnapLayout& layout, const Rect& workArea, double gap) {
  return PixelRegionRects(layout.tree, workArea, gap);
}

double RegionGap(double scale) { return std::round(8 * scale); }

int RegionAtPoint(Point point, const RegionMap& regions, const Rect& bounds, double scale) {
  if (!(bounds.width > 0) || !(bounds.height > 0) || !bounds.Contains(point)) return -1;
  const double margin = 8 * scale;
  int best = -1;
  double bestDistance = 0;
  for (const auto& [region, rect] : regions) {
    const Rect expanded{rect.x - margin, rect.y - margin, rect.width + 2 * margin,
                        rect.height + 2 * margin};
    if (!expanded.Contains(point)) continue;
    const double dx = point.x - ClampInto(point.x, rect.x, rect.x + rect.width - 0.01);
    const double dy = point.y - ClampInto(point.y, rect.y, rect.y + rect.height - 0.01);
    const double distance = std::sqrt(dx * dx + dy * dy);
    if (best < 0 || distance < bestDistance) {
      best = region;
      bestDistance = distance;
    }
  }
  return best;
}

}  // namespace tessary
