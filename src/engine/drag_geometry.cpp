#include "engine/drag_geometry.h"

#include <algorithm>
#include <cmath>

#include "engine/drag_state.h"

namespace tessary {
namespace {

constexpr double kHotZoneShare = 0.2;
constexpr double kHotZoneHalfWidth = 180;
constexpr double kHotZoneDepth = 22;
constexpr double kCornerDepth = 24;
constexpr double kCornerInset = 12;
constexpr double kCornerReach = 24;
constexpr double kEdgeInside = 0.01;
constexpr double kSameSize = 4;
constexpr double kMoveDistance = 3;
constexpr double kCursorDistance = 4;
constexpr double kSizingBorderReach = 8;
constexpr double kRestoreShrink = 40;

}  // namespace

double DistanceToRect(Point p, const Rect& rect) {
  double dx = std::max({rect.x - p.x, 0.0, p.x - rect.Right()});
  double dy = std::max({rect.y - p.y, 0.0, p.y - rect.Bottom()});
  return std::hypot(dx, dy);
}

Rect Inflate(const Rect& rect, double by) {
  return {rect.x - by, rect.y - by, rect.width + 2 * by, rect.height + 2 * by};
}

double Distance(Point a, Point b) { return std::hypot(a.x - b.x, a.y - b.y); }

Point ClampInto(Point p, const Rect& work) {
  return {std::clamp(p.x, work.x, std::max(work.x, work.Right() - kEdgeInside)),
          std::clamp(p.y, work.y, std::max(work.y, work.Bottom() - kEdgeInside))};
}

bool InHotZone(Point p, const Rect& bounds, const Rect& work, double scale) {
  if (!bounds.Contains(p)) return false;
  double centre = bounds.x + bounds.width / 2;
  double half = std::min(kHotZoneShare * bounds.width, kHotZoneHalfWidth * scale);
  return std::abs(p.x - centre) < half && p.y <= work.y + kHotZoneDepth * scale;
}

int CornerAt(Point p, const Rect& bounds, const Rect& work, double scale) {
  bool top = p.y <= work.y + kCornerDepth * scale;
  bool bottom = p.y >= work.Bottom() - kCornerDepth * scale;
  bool left = p.x <= std::max(work.x + kCornerInset * scale, bounds.x + kCornerReach * scale);
  bool right =
      p.x >= std::min(work.Right() - kCornerInset * scale, bounds.Right() - kCornerReach * scale);
  if (top && left) return 0;
  if (top && right) return 1;
  if (bottom && left) return 2;
  if (bottom && right) return 3;
  return -1;
}

bool GrabbedSizingBorder(const Rect& frame, Point cursor, double scale) {
  double reach = kSizingBorderReach * scale;
  bool withinHeight = cursor.y >= frame.y && cursor.y <= frame.Bottom() + reach;
  bool withinWidth = cursor.x >= frame.x - reach && cursor.x <= frame.Right() + reach;
  bool left = std::abs(cursor.x - frame.x) <= reach;
  bool right = std::abs(cursor.x - frame.Right()) <= reach;
  bool bottom = std::abs(cursor.y - frame.Bottom()) <= reach;
  return (withinHeight && (left || right)) || (withinWidth && bottom);
}

DragKind ClassifyDrag(const Rect& start, const Rect& frame, Point startCursor, Point cursor,
                      bool maximized, bool onBorder) {
  double dw = frame.width - start.width;
  double dh = frame.height - start.height;
  double dp = std::hypot(frame.x - start.x, frame.y - start.y);
  if (std::abs(dw) <= kSameSize && std::abs(dh) <= kSameSize) {
    if (dp > kMoveDistance || (!onBorder && Distance(cursor, startCursor) > kCursorDistance)) {
      return DragKind::kMove;
    }
    return DragKind::kUndecided;
  }
  if (dp <= kMoveDistance || maximized) return DragKind::kResize;
  // A maximized window being restored by its title bar shrinks a lot at once.
  bool shrankOrSame = dw <= 0 && dh <= 0;
  if (shrankOrSame && (dw < -kRestoreShrink || dh < -kRestoreShrink)) return DragKind::kMove;
  return DragKind::kResize;
}

void UpdateReturnDetector(ReturnDetector& detector, const Rect& window, Point cursor,
                          double scale) {
  const Rect& o = detector.origin;
  double d = std::max(std::abs(window.x - o.x), std::abs(window.y - o.y));
  if (d > 60 * scale) detector.travelled = true;
  if (!detector.cursorLeft && !Inflate(o, 12 * scale).Contains(cursor)) {
    detector.cursorLeft = true;
  }
  bool nearHome = Inflate(o, 8 * scale).Contains(cursor);
  detector.immediate = detector.travelled && d <= 16 * scale && nearHome;
  detector.active = (detector.cursorLeft && Inflate(o, -8 * scale).Contains(cursor)) ||
                    (detector.travelled && d <= 32 * scale && nearHome);
}

}  // namespace tessary
