#include "layout/region_neighbours.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace tessary {
namespace {

bool Horizontal(MoveDirection direction) {
  return direction == MoveDirection::kLeft || direction == MoveDirection::kRight;
}

// Edges computed through different splits can differ in the last bits, so "touching" is
// judged with a tolerance far below a pixel and far below any ratio a tree can have.
double Tolerance(const Rect& rect) { return 1e-6 * std::max(rect.width, rect.height); }

Point Centre(const Rect& rect) { return {rect.x + rect.width / 2, rect.y + rect.height / 2}; }

double DistanceTo(Point p, const Rect& rect) {
  const double dx = p.x - std::clamp(p.x, rect.x, rect.Right());
  const double dy = p.y - std::clamp(p.y, rect.y, rect.Bottom());
  return std::hypot(dx, dy);
}

double OverlapAcross(const Rect& a, const Rect& b, MoveDirection direction) {
  if (Horizontal(direction)) {
    return std::max(0.0, std::min(a.Bottom(), b.Bottom()) - std::max(a.y, b.y));
  }
  return std::max(0.0, std::min(a.Right(), b.Right()) - std::max(a.x, b.x));
}

}  // namespace

bool LiesBeyond(const Rect& candidate, const Rect& from, MoveDirection direction) {
  const double tolerance = Tolerance(from);
  switch (direction) {
    case MoveDirection::kLeft:
      return candidate.Right() <= from.x + tolerance;
    case MoveDirection::kRight:
      return candidate.x >= from.Right() - tolerance;
    case MoveDirection::kUp:
      return candidate.Bottom() <= from.y + tolerance;
    case MoveDirection::kDown:
      return candidate.y >= from.Bottom() - tolerance;
  }
  return false;
}

std::int32_t NearestFrom(const RegionMap& candidates, const Rect& from, MoveDirection direction) {
  const Point centre = Centre(from);
  const double tolerance = Tolerance(from);
  std::int32_t best = -1;
  double bestDistance = std::numeric_limits<double>::infinity();
  double bestOverlap = 0;
  // Ascending numbers: a later region wins only when strictly better.
  for (const auto& [region, rect] : candidates) {
    const double distance = DistanceTo(centre, rect);
    const double overlap = OverlapAcross(rect, from, direction);
    const bool nearer = distance < bestDistance - tolerance;
    const bool asNear = std::abs(distance - bestDistance) <= tolerance;
    if (best < 0 || nearer || (asNear && overlap > bestOverlap + tolerance)) {
      best = region;
      bestDistance = distance;
      bestOverlap = overlap;
    }
  }
  return best;
}

std::int32_t NeighbourRegion(const RegionMap& rects, std::int32_t from, MoveDirection direction) {
  const Rect* origin = rects.Get(from);
  if (origin == nullptr) return -1;
  RegionMap beyond;
  for (const auto& [region, rect] : rects) {
    if (region != from && LiesBeyond(rect, *origin, direction)) beyond.emplace(region, rect);
  }
  return NearestFrom(beyond, *origin, direction);
}

RegionMap EntryRegions(const RegionMap& rects, MoveDirection direction) {
  if (rects.empty()) return {};
  // The side a move comes in by is the one facing back the way it came.
  auto sideOf = [direction](const Rect& rect) {
    switch (direction) {
      case MoveDirection::kRight:
        return rect.x;
      case MoveDirection::kLeft:
        return -rect.Right();
      case MoveDirection::kDown:
        return rect.y;
      case MoveDirection::kUp:
        return -rect.Bottom();
    }
    return 0.0;
  };
  double side = std::numeric_limits<double>::infinity();
  double extent = 0;
  for (const auto& entry : rects) {
    side = std::min(side, sideOf(entry.second));
    extent = std::max({extent, entry.second.width, entry.second.height});
  }
  RegionMap entry;
  for (const auto& [region, rect] : rects) {
    if (sideOf(rect) <= side + 1e-6 * extent) entry.emplace(region, rect);
  }
  return entry;
}

std::int32_t RegionNearest(const RegionMap& rects, Point point) {
  std::int32_t best = -1;
  double bestDistance = std::numeric_limits<double>::infinity();
  for (const auto& [region, rect] : rects) {
    const double distance = DistanceTo(point, rect);
    if (distance < bestDistance) {
      best = region;
      bestDistance = distance;
    }
  }
  return best;
}

}  // namespace tessary
