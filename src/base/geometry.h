#pragma once

// Rectangles and points in desktop coordinates: physical pixels of the virtual desktop
// (the process is per-monitor DPI aware), or unit space {0, 0, 1, 1} for layout shares.

namespace tessary {

struct Point {
  double x = 0;
  double y = 0;

  friend bool operator==(const Point&, const Point&) = default;
};

// The all-zero value stands for "no rectangle".
struct Rect {
  double x = 0;
  double y = 0;
  double width = 0;
  double height = 0;

  double Right() const { return x + width; }
  double Bottom() const { return y + height; }
  bool IsEmpty() const { return x == 0 && y == 0 && width == 0 && height == 0; }

  // Left and top edges inclusive, right and bottom exclusive; a rectangle without area
  // contains nothing.
  bool Contains(Point p) const {
    return width > 0 && height > 0 && p.x >= x && p.x < x + width && p.y >= y &&
           p.y < y + height;
  }

  // From a system rectangle's integer edges.
  static Rect FromEdges(long long left, long long top, long long right, long long bottom) {
    return Rect{static_cast<double>(left), static_cast<double>(top),
                static_cast<double>(right - left), static_cast<double>(bottom - top)};
  }

  friend bool operator==(const Rect&, const Rect&) = default;
};

// The overlap of two rectangles, or the all-zero Rect when they do not overlap (touching
// along an edge is no overlap).
Rect Intersect(const Rect& a, const Rect& b);

// True when all four edges agree within the tolerance (inclusive). Edges are compared,
// not sizes: a rectangle moved by one pixel is nearly equal at tolerance 1.
bool NearlyEqual(const Rect& a, const Rect& b, double tolerance);

}  // namespace tessary
