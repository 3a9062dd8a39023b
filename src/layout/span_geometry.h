#pragma once

// Which whole regions a rectangle covers (a span), the rectangle a resize by some edges
// describes, the layout with the dividers that a resized edge drags along, and how a
// span is shared out when another window is dropped onto it. Pure geometry.

#include <cstdint>
#include <optional>
#include <vector>

#include "base/geometry.h"
#include "layout/layout_tree.h"
#include "layout/region_map.h"

namespace tessary {

// Region numbers of one display's layout, ascending.
using SpanSet = std::vector<std::int32_t>;

// The regions a rectangle spans: those it covers at least half of (else the one it
// overlaps most), grown until they fill their bounding rectangle. Empty when it
// overlaps none.
SpanSet SpanRegions(const Rect& rect, const RegionMap& regions, double scale);

// The bounding rectangle of the span's regions; none for an empty span or one naming a
// missing region.
std::optional<Rect> SpanBounds(const SpanSet& span, const RegionMap& regions);

// The window edges the pointer was near when a resize began.
struct GrabbedEdges {
  bool left = false;
  bool right = false;
  bool top = false;
  bool bottom = false;

  bool Any() const { return left || right || top || bottom; }
  friend bool operator==(const GrabbedEdges&, const GrabbedEdges&) = default;
};

// Only a pointer within 8 x scale of the frame grabs anything. The top edge is a little
// narrower than the others: just below it lies the caption, which moves the window.
GrabbedEdges GrabbedEdgesAt(Point pointer, const Rect& frame, double scale);

// The rectangle that the resize describes: the grabbed edges follow the pointer, never
// crossing the opposite edge. With no grabbed edges the window's `current` frame.
Rect OutlineFromEdges(const Rect& start, const GrabbedEdges& edges, Point pointer,
                      const Rect& current);

// `layout` with the home region's edges moved to where the window's edges went between
// `start` and `current`, dragging every divider they share. Edges moved by no more than
// half a gap are left alone (the system jiggles frames by a pixel or two).
SnapLayout ResizeTogetherLayout(const SnapLayout& layout, std::int32_t homeRegion,
                                const Rect& start, const Rect& current, const Rect& work,
                                const GrabbedEdges& edges, double scale);

// A span shared between a window dropped onto it and the spanning window.
struct SpanDivision {
  SpanSet dragged;
  SpanSet spanning;

  friend bool operator==(const SpanDivision&, const SpanDivision&) = default;
};

// Cuts the span along a boundary between its columns (or rows) that no region
// straddles: the dragged window takes the first column (draggedFirst) or the last.
std::optional<SpanDivision> DivideSpan(const SpanSet& span, const RegionMap& regions, Axis axis,
                                       bool draggedFirst);

// Every region of the span halved into rows, the new halves for the dropped window.
struct SpanSplit {
  SnapLayout layout;
  SpanSet spanning;  // the span's own numbers, now the other halves
  SpanSet dropped;   // the new regions

  static std::optional<SpanSplit> Plan(const SnapLayout& layout, const SpanSet& span, bool onTop);
};

}  // namespace tessary
