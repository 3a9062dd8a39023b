#pragma once

// Which region a keyboard move reaches: the neighbour of a region in one of four
// directions, the regions a move enters a layout by from beside it, and the region nearest
// a point. Pure geometry over region rectangles (unit space or pixels alike).

#include <cstdint>

#include "base/geometry.h"
#include "layout/region_map.h"

namespace tessary {

enum class MoveDirection { kLeft, kRight, kUp, kDown };

// Whether `candidate` lies wholly beyond `from`'s edge in `direction` (touching counts).
bool LiesBeyond(const Rect& candidate, const Rect& from, MoveDirection direction);

// Among `candidates`, the one nearest `from`'s centre; on equal distances the one that
// overlaps `from` most across the direction (vertically for a move left or right), then
// the lowest number. -1 when there is none.
std::int32_t NearestFrom(const RegionMap& candidates, const Rect& from, MoveDirection direction);

// The region a move from `from` in `direction` reaches: the nearest (as NearestFrom) of
// the regions lying beyond it. -1 when `from` stands at that edge of the layout or is not
// one of `rects`.
std::int32_t NeighbourRegion(const RegionMap& rects, std::int32_t from, MoveDirection direction);

// The regions along the side of the layout that a move in `direction` comes in by from
// beside it: the left side for a move to the right, the top for a move down.
RegionMap EntryRegions(const RegionMap& rects, MoveDirection direction);

// The region nearest the point (distance 0 inside one); ties go to the lowest number. -1
// when `rects` is empty.
std::int32_t RegionNearest(const RegionMap& rects, Point point);

}  // namespace tessary
