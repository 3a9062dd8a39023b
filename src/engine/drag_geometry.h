#pragma once

// The geometry of drag targets: the hot zone at the top centre of a display, its corners,
// the column under the top band, and the distances the hysteresis rules use. Pure and
// allocation-free: these run on every drag tick.

#include <optional>

#include "base/geometry.h"
#include "layout/layout_tree.h"

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

// The unit rectangle of the column of the tree under the horizontal fraction x: Columns
// splits are descended down to a leaf or a Rows split. None when x is outside 0..1 or the
// column is the whole width.
std::optional<Rect> ColumnAtFraction(const NodeRef& tree, double x);

}  // namespace tessary
