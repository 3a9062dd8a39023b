#include "layout/span_geometry.h"

#include <algorithm>
#include <cmath>

#include "layout/layout_derivations.h"
#include "layout/tree_fit.h"
#include "layout/tree_geometry.h"

namespace tessary {
namespace {

double Area(const Rect& r) { return r.width > 0 && r.height > 0 ? r.width * r.height : 0; }

Rect Bounding(const Rect& a, const Rect& b) {
  double left = std::min(a.x, b.x);
  double top = std::min(a.y, b.y);
  return {left, top, std::max(a.Right(), b.Right()) - left, std::max(a.Bottom(), b.Bottom()) - top};
}

// Regions count as lined up across a boundary when they miss it by no more than this.
constexpr double kBoundarySlack = 2;

// How far (in pixels at scale 1) a region must reach into a span's bounding rectangle
// to be pulled in: touching it along an edge or across the gap does not count.
constexpr double kClosureOverlap = 2;

// The pointer's reach around a frame edge that grabs it, at scale 1.
constexpr double kGrabReach = 8;
constexpr double kTopGrabReach = 6;

// The smallest region a shared edge may leave, in pixels at scale 1; never more than
// this share of the work area.
constexpr double kMinRegionWidth = 180;
constexpr double kMinRegionHeight = 140;
constexpr double kMinRegionShare = 0.24;

void AddClosure(SpanSet& span, const RegionMap& regions, double scale) {
  const double reach = kClosureOverlap * scale;
  bool grew = true;
  while (grew) {
    grew = false;
    Rect bounds = *SpanBounds(span, regions);
    for (const auto& [region, rect] : regions) {
      if (std::find(span.begin(), span.end(), region) != span.end()) continue;
      Rect overlap = Intersect(rect, bounds);
      if (overlap.width > reach && overlap.height > reach) {
        span.insert(std::upper_bound(span.begin(), span.end(), region), region);
        grew = true;
      }
    }
  }
}

}  // namespace

SpanSet SpanRegions(const Rect& rect, const RegionMap& regions, double scale) {
  SpanSet span;
  for (const auto& [region, area] : regions) {
    double own = Area(area);
    if (own > 0 && Area(Intersect(area, rect)) >= own / 2) span.push_back(region);
  }
  if (span.empty()) {
    double best = 0;
    std::int32_t bestRegion = -1;
    for (const auto& [region, area] : regions) {
      double overlap = Area(Intersect(area, rect));
      if (overlap > best) {
        best = overlap;
        bestRegion = region;
      }
    }
    if (bestRegion < 0) return span;
    span.push_back(bestRegion);
  }
  AddClosure(span, regions, scale);
  return span;
}

std::optional<Rect> SpanBounds(const SpanSet& span, const RegionMap& regions) {
  std::optional<Rect> bounds;
  for (std::int32_t region : span) {
    const Rect* rect = regions.Get(region);
    if (!rect) return std::nullopt;
    bounds = bounds ? Bounding(*bounds, *rect) : *rect;
  }
  return bounds;
}

GrabbedEdges GrabbedEdgesAt(Point p, const Rect& f, double scale) {
  const double reach = kGrabReach * scale;
  GrabbedEdges edges;
  bool near = p.x >= f.x - reach && p.x <= f.Right() + reach && p.y >= f.y - reach &&
              p.y <= f.Bottom() + reach;
  if (!near) return edges;
  edges.left = std::abs(p.x - f.x) <= reach;
  edges.right = std::abs(p.x - f.Right()) <= reach;
  edges.top = std::abs(p.y - f.y) <= kTopGrabReach * scale;
  edges.bottom = std::abs(p.y - f.Bottom()) <= reach;
  return edges;
}

Rect OutlineFromEdges(const Rect& start, const GrabbedEdges& edges, Point pointer,
                      const Rect& current) {
  if (!edges.Any()) return current;
  double left = edges.left ? std::min(start.Right() - 1, pointer.x) : start.x;
  double right = edges.right ? std::max(left + 1, pointer.x) : start.Right();
  double top = edges.top ? std::min(start.Bottom() - 1, pointer.y) : start.y;
  double bottom = edges.bottom ? std::max(top + 1, pointer.y) : start.Bottom();
  return {left, top, right - left, bottom - top};
}

SnapLayout ResizeTogetherLayout(const SnapLayout& layout, std::int32_t homeRegion,
                                const Rect& start, const Rect& current, const Rect& work,
                                const GrabbedEdges& edges, double scale) {
  const double g = RegionGap(scale) / 2;
  const double spanX = work.width - 2 * g;
  const double spanY = work.height - 2 * g;
  SnapLayout result = layout;
  if (spanX <= 0 || spanY <= 0) return result;
  const double minWidth = std::min(kMinRegionShare, kMinRegionWidth * scale / spanX);
  const double minHeight = std::min(kMinRegionShare, kMinRegionHeight * scale / spanY);

  struct EdgeMove {
    RegionEdge edge;
    double from, to;
    bool grabbed;
    double target;
  };
  const EdgeMove moves[] = {
      {RegionEdge::Left, start.x, current.x, edges.left, (current.x - 2 * g - work.x) / spanX},
      {RegionEdge::Right, start.Right(), current.Right(), edges.right,
       (current.Right() - work.x) / spanX},
      {RegionEdge::Top, start.y, current.y, edges.top, (current.y - 2 * g - work.y) / spanY},
      {RegionEdge::Bottom, start.Bottom(), current.Bottom(), edges.bottom,
       (current.Bottom() - work.y) / spanY},
  };
  for (const EdgeMove& move : moves) {
    if (std::abs(move.to - move.from) <= g) continue;
    if (edges.Any() && !move.grabbed) continue;
    NodeRef moved =
        MoveRegionEdge(result.tree, homeRegion, move.edge, move.target, minWidth, minHeight);
    if (moved) result.tree = moved;
  }
  return result;
}

std::optional<SpanDivision> DivideSpan(const SpanSet& span, const RegionMap& regions, Axis axis,
                                       bool draggedFirst) {
  if (span.size() < 2) return std::nullopt;
  struct Extent {
    std::int32_t region;
    double begin, end;
  };
  std::vector<Extent> extents;
  for (std::int32_t region : span) {
    const Rect* rect = regions.Get(region);
    if (!rect) return std::nullopt;
    extents.push_back(axis == Axis::Columns ? Extent{region, rect->x, rect->Right()}
                                            : Extent{region, rect->y, rect->Bottom()});
  }
  std::optional<double> cut;
  for (const Extent& candidate : extents) {
    double c = candidate.end;
    bool beyond = false;
    bool straddled = false;
    for (const Extent& e : extents) {
      if (e.begin > c) beyond = true;
      if (e.begin < c - kBoundarySlack && e.end > c + kBoundarySlack) straddled = true;
    }
    if (!beyond || straddled) continue;
    if (!cut || (draggedFirst ? c < *cut : c > *cut)) cut = c;
  }
  if (!cut) return std::nullopt;
  SpanDivision division;
  for (const Extent& e : extents) {
    bool dragged = draggedFirst ? e.end <= *cut + kBoundarySlack : e.begin > *cut;
    (dragged ? division.dragged : division.spanning).push_back(e.region);
  }
  if (division.dragged.empty() || division.spanning.empty()) return std::nullopt;
  return division;
}

namespace {

// The tree with every leaf of the span turned into two rows, the new region (numbered
// from `next` upward) on top when `onTop`.
NodeRef HalveLeaves(const NodeRef& node, const SpanSet& span, bool onTop, std::int32_t& next,
                    SpanSplit& split) {
  if (!node) return node;
  if (!node->isLeaf) {
    NodeRef first = HalveLeaves(node->first, span, onTop, next, split);
    NodeRef second = HalveLeaves(node->second, span, onTop, next, split);
    return MakeSplit(node->axis, node->ratio, first, second);
  }
  if (std::find(span.begin(), span.end(), node->region) == span.end()) return node;
  std::int32_t fresh = next++;
  split.dropped.push_back(fresh);
  split.spanning.push_back(node->region);
  NodeRef added = MakeLeaf(fresh);
  return onTop ? MakeSplit(Axis::Rows, 0.5, added, node) : MakeSplit(Axis::Rows, 0.5, node, added);
}

}  // namespace

std::optional<SpanSplit> SpanSplit::Plan(const SnapLayout& layout, const SpanSet& span,
                                         bool onTop) {
  if (!ValidateTree(layout.tree) || span.size() < 2) return std::nullopt;
  RegionMap regions = RegionRects(layout.tree, kUnitRect);
  std::int32_t highest = -1;
  for (const auto& [region, rect] : regions) highest = std::max(highest, region);
  for (std::int32_t region : span) {
    if (!regions.contains(region)) return std::nullopt;
  }
  SpanSplit split;
  std::int32_t next = highest + 1;
  NodeRef tree = HalveLeaves(layout.tree, span, onTop, next, split);
  if (!ValidateTree(tree) || split.spanning.size() != span.size()) return std::nullopt;
  std::sort(split.spanning.begin(), split.spanning.end());
  split.layout = DeriveLayout(layout, tree);
  return split;
}

}  // namespace tessary
