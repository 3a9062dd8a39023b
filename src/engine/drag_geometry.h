#pragma once

// The geometry of a drag: whether it moves or resizes the window, the hot zone at the top
// centre of a display, its corners, and the distances the hysteresis rules use. Pure and
// allocation-free: these run on every drag tick.

#include "base/geometry.h"

namespace tessary {

// Distance from the point to the rectangle; 0 inside it.
double DistanceToRect(Point p, const Rect& rect);
Rect Inflate(const Rect& rect, double by);
double Distance(Point a, Point b);

// The point moved into the work area (right and bottom edges just inside).
Point ClampInto(Point p, const Rect& work);

// The hot zone of a display: within min(0.2 x width, 180 x scale) of the centre of its
// bounds horizontally, and no lower than 22 x scale below the top of the work area.
bool InHotZone(Point p, const Rect& bounds, const Rect& work, double scale);

// The corner of the work area that the point is in: 0 top-left, 1 top-right,
// 2 bottom-left, 3 bottom-right, -1 none.
int CornerAt(Point p, const Rect& bounds, const Rect& work, double scale);

enum class DragKind { kUndecided, kMove, kResize };

// Whether a press at `cursor` was on the window's left, right or bottom sizing border:
// within 8 x scale of that edge of its frame, inside or out. The system starts its size
// loop there, never a move.
bool GrabbedSizingBorder(const Rect& frame, Point cursor, double scale);

// What a drag not yet recognised turns out to be, from the window's frame and the cursor
// against where they started. `maximized`: the window is maximized now. `onBorder`: the
// drag began on a sizing border (GrabbedSizingBorder), so a cursor that has run ahead of a
// frame that has not changed yet is a slow size loop, not a move.
DragKind ClassifyDrag(const Rect& start, const Rect& frame, Point startCursor, Point cursor,
                      bool maximized, bool onBorder = false);

}  // namespace tessary
