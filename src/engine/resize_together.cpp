// The neighbours of a resized window follow the edge it shares with them: the divider
// moves for every window along it, stopped short of squeezing a window below a size it
// is known to need, and undone for all when a window refuses to follow.

#include <algorithm>
#include <cmath>

#include "base/log.h"
#include "engine/coordinator.h"
#include "layout/tree_geometry.h"

namespace tessary {
namespace {

constexpr const char* kEdgeStays =
    "A window reached its minimum size, so the shared edge stays where it was.";

// Steps of the search for how far a divider may go before a window's known minimum
// stops it: enough for a pixel on any display.
constexpr int kLimitSearchSteps = 14;

Rect Between(const Rect& a, const Rect& b, double t) {
  auto mix = [t](double from, double to) { return std::round(from + (to - from) * t); };
  double left = mix(a.x, b.x);
  double top = mix(a.y, b.y);
  return {left, top, mix(a.Right(), b.Right()) - left, mix(a.Bottom(), b.Bottom()) - top};
}

struct FollowerMove {
  WindowId window;
  Rect target;
  Rect prior;
};

}  // namespace

// The layout for the end of the resize, with the divider stopped short where a window
// that is known to need more room would otherwise be squeezed below it.
SnapLayout Coordinator::LimitToKnownMinimums(const ResizeRecord& record, const Rect& endFrame) {
  auto layoutAt = [&](const Rect& frame) {
    return ResizeTogetherLayout(*record.layout, record.homeRegion, record.startFrame, frame,
                                record.work, record.edges, record.scale);
  };
  auto fits = [&](const SnapLayout& layout) {
    RegionMap rects = PixelRegionRects(layout, record.work, RegionGap(record.scale));
    auto roomFor = [&](WindowId window, const std::optional<Rect>& target) {
      if (!target) return true;
      bool known = minimums_.Observed().contains(window) ||
                   minimums_.Learned().contains(desktop_.AppIdOf(window));
      if (!known) return true;
      SizeNeed need = MinimumSize(window, record.scale);
      return target->width >= need.width && target->height >= need.height;
    };
    for (const auto& [region, windows] : record.members) {
      for (WindowId window : windows) {
        if (!roomFor(window,
                     rects.contains(region) ? std::optional(*rects.Get(region)) : std::nullopt)) {
          return false;
        }
      }
    }
    for (const auto& [window, span] : record.spanning) {
      if (!roomFor(window, SpanBounds(span, rects))) return false;
    }
    const Rect* home = rects.Get(record.homeRegion);
    return roomFor(record.window, home ? std::optional(*home) : std::nullopt);
  };

  SnapLayout full = layoutAt(endFrame);
  if (fits(full)) return full;
  double lo = 0;
  double hi = 1;
  for (int step = 0; step < kLimitSearchSteps; ++step) {
    double mid = (lo + hi) / 2;
    (fits(layoutAt(Between(record.startFrame, endFrame, mid))) ? lo : hi) = mid;
  }
  Log("shared edge stopped by a known minimum size");
  return layoutAt(Between(record.startFrame, endFrame, lo));
}

void Coordinator::ResizeTogether(const ResizeRecord& record, const Rect& endFrame) {
  SnapLayout moved = LimitToKnownMinimums(record, endFrame);
  if (TreesEqual(moved.tree, record.layout->tree)) {
    if (!TreesEqual(ResizeTogetherLayout(*record.layout, record.homeRegion, record.startFrame,
                                         endFrame, record.work, record.edges, record.scale)
                        .tree,
                    record.layout->tree)) {
      // A known minimum leaves the divider no room at all.
      OpenBatch();
      MoveWindowTo(record.window, record.startFrame);
      CommitBatch();
      Notify(kEdgeStays);
    }
    return;
  }
  RegionMap rects = PixelRegionRects(moved, record.work, RegionGap(record.scale));
  std::vector<FollowerMove> moves;
  for (const auto& [region, windows] : record.members) {
    const Rect* target = rects.Get(region);
    if (!target) continue;
    for (WindowId window : windows) {
      if (!platform().windows.Exists(window)) continue;
      moves.push_back({window, *target, desktop_.FrameBounds(window).value_or(*target)});
    }
  }
  for (const auto& [window, span] : record.spanning) {
    std::optional<Rect> target = SpanBounds(span, rects);
    if (!target || !platform().windows.Exists(window)) continue;
    moves.push_back({window, *target, desktop_.FrameBounds(window).value_or(*target)});
  }
  if (const Rect* home = rects.Get(record.homeRegion)) {
    moves.push_back({record.window, *home, record.startFrame});
  }

  OpenBatch();
  for (const FollowerMove& move : moves) MoveWindowTo(move.window, move.target);
  CommitBatch();
  auto reached = [&](const FollowerMove& move) { return Reached(move.window, move.target); };
  bool all = std::all_of(moves.begin(), moves.end(), reached);
  if (all) {
    layouts_.RememberLayout(record.display, moved);
    Log("resized together, %d windows", static_cast<int>(moves.size()));
    return;
  }
  // Learn what the windows that refused insisted on, so that the next resize stops the
  // divider where they fit instead of giving up.
  for (const FollowerMove& move : moves) {
    if (reached(move)) continue;
    std::optional<Rect> frame = desktop_.FrameBounds(move.window);
    if (!frame) continue;
    SizeNeed seen{frame->width > move.target.width + kSizeTolerance ? frame->width : 0,
                  frame->height > move.target.height + kSizeTolerance ? frame->height : 0};
    if (seen.width <= 0 && seen.height <= 0) continue;
    SizeNeed observed = minimums_.Observed().contains(move.window)
                            ? minimums_.Observed().at(move.window)
                            : SizeNeed{};
    minimums_.SetObserved(move.window, {std::max(observed.width, seen.width),
                                        std::max(observed.height, seen.height)});
    minimums_.Learn(desktop_.AppIdOf(move.window), seen);
  }
  StoreMinimums();
  OpenBatch();
  for (const FollowerMove& move : moves) MoveWindowTo(move.window, move.prior);
  CommitBatch();
  Notify(kEdgeStays);
}

}  // namespace tessary
