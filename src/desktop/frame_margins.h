#pragma once

// How far a window rectangle reaches beyond the visible frame on each side (the
// invisible resize borders of current Windows), and the window rectangle to request for
// a target frame. Used by the motion code only.

#include <cmath>

#include "base/geometry.h"
#include "platform/window_access.h"

namespace tessary {

struct FrameMargins {
  double left = 0;
  double top = 0;
  double right = 0;
  double bottom = 0;
};

inline FrameMargins MarginsOf(const Rect& window, const Rect& frame) {
  return {frame.x - window.x, frame.y - window.y, window.Right() - frame.Right(),
          window.Bottom() - frame.Bottom()};
}

// Integer window edges, as the system takes and reports them.
struct IntEdges {
  long left = 0;
  long top = 0;
  long right = 0;
  long bottom = 0;

  friend bool operator==(const IntEdges&, const IntEdges&) = default;
};

inline IntEdges EdgesOf(const Rect& r) {
  return {std::lround(r.x), std::lround(r.y), std::lround(r.Right()), std::lround(r.Bottom())};
}

// The window rectangle whose frame is `target`, rounded to whole pixels.
inline PositionRequest RequestFor(const Rect& target, const FrameMargins& m) {
  PositionRequest request;
  request.x = static_cast<int>(std::lround(target.x - m.left));
  request.y = static_cast<int>(std::lround(target.y - m.top));
  request.width = static_cast<int>(std::lround(m.left + target.width + m.right));
  request.height = static_cast<int>(std::lround(target.height + m.top + m.bottom));
  return request;
}

}  // namespace tessary
