#include "base/geometry.h"

#include <algorithm>
#include <cmath>

namespace tessary {

Rect Intersect(const Rect& a, const Rect& b) {
  const double left = std::max(a.x, b.x);
  const double top = std::max(a.y, b.y);
  const double right = std::min(a.Right(), b.Right());
  const double bottom = std::min(a.Bottom(), b.Bottom());
  if (left >= right || top >= bottom) return Rect{};
  return Rect{left, top, right - left, bottom - top};
}

bool NearlyEqual(const Rect& a, const Rect& b, double tolerance) {
  return std::fabs(a.x - b.x) <= tolerance && std::fabs(a.y - b.y) <= tolerance &&
         std::fabs(a.Right() - b.Right()) <= tolerance &&
         std::fabs(a.Bottom() - b.Bottom()) <= tolerance;
}

}  // namespace tessary
