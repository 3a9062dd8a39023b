// A corner drop onto a display that shows another layout: the windows already there move
// into the corner layout too, and the split between the dropped window and its new
// neighbours is fitted to what each app can shrink to.

#include <cmath>

#include "base/log.h"
#include "engine/coordinator.h"
#include "engine/split_fit.h"
#include "layout/tree_geometry.h"

namespace tessary {
namespace {

constexpr double kSameEdge = 1e-9;
constexpr double kCoveredShare = 0.9;
constexpr int kFitTries = 3;

double RegionGap(double scale) { return std::round(8 * scale); }

bool SameRect(const Rect& a, const Rect& b) {
  return std::abs(a.x - b.x) <= kSameEdge && std::abs(a.y - b.y) <= kSameEdge &&
         std::abs(a.width - b.width) <= kSameEdge && std::abs(a.height - b.height) <= kSameEdge;
}

SizeNeed Grown(SizeNeed need, double by) { return {need.width + by, need.height + by}; }

}  // namespace

void Coordinator::CornerSplit(const PlacementRequest& request, int displayIndex,
                              const SnapLayout& previous) {
  const Monitor m = displays_[static_cast<std::size_t>(displayIndex)];
  RegionMap oldUnit = RegionRects(previous.tree, kUnitRect);
  RegionMap newUnit = RegionRects(request.layout.tree, kUnitRect);
  RegionLists members = MembersOn(displayIndex, previous, request.window);

  // The windows of every old region that the corner layout divides go to the first other
  // region that lies within it; each remembers the region it came from.
  std::int32_t otherRegion = -1;
  std::vector<WindowId> others;
  for (const auto& [oldRegion, oldRect] : oldUnit) {
    bool kept = false;
    for (const auto& [region, rect] : newUnit) {
      if (SameRect(rect, oldRect)) kept = true;
    }
    if (kept) continue;
    auto listed = members.find(oldRegion);
    if (listed == members.end() || listed->second.empty()) continue;
    std::int32_t found = -1;
    for (const auto& [region, rect] : newUnit) {
      if (region == request.region) continue;
      Rect overlap = Intersect(rect, oldRect);
      if (overlap.width * overlap.height > kCoveredShare * rect.width * rect.height) {
        found = region;
        break;
      }
    }
    if (found < 0) continue;
    if (otherRegion < 0) otherRegion = found;
    for (WindowId window : listed->second) others.push_back(window);
  }

  if (otherRegion < 0 || others.empty()) {
    PlaceIntoRegion(request.window, displayIndex, request.layout, request.region, request.startRect,
                    request.kind);
    return;
  }

  priorRects_.try_emplace(request.window, request.startRect);
  // Where each neighbour stands now, to put it back exactly there if the split fails.
  std::vector<std::pair<WindowId, Rect>> neighboursBefore;
  for (WindowId window : others) {
    std::optional<Rect> frame = desktop_.FrameBounds(window);
    if (!frame) continue;
    neighboursBefore.push_back({window, *frame});
    priorRects_.try_emplace(window, *frame);
  }
  SplitFitResult fit =
      FitSplit(request.window, request.region, otherRegion, others, request.layout, displayIndex);
  if (fit.success) {
    layouts_.RememberLayout(m.id, fit.layout);
    placements_[request.window] = {m.id, request.region};
    for (WindowId window : others) placements_[window] = {m.id, otherRegion};
    StartWatchIfArranging();
    StartAssist(displayIndex, fit.layout, request.window);
  } else {
    // Everyone goes back: the neighbours to where they stood in the layout that stays
    // active, the dropped window to where the drag started.
    OpenBatch();
    for (const auto& [window, frame] : neighboursBefore) {
      if (platform().windows.Exists(window)) batches_.back().push_back({window, frame});
    }
    if (platform().windows.Exists(request.window)) {
      batches_.back().push_back({request.window, request.startRect});
    }
    CommitBatch();
    if (fit.noRoom) {
      Notify(AppNameOf(request.window) + " and " + AppNameOf(others.front()) +
             " need more room than this space has. Their prior sizes were restored.");
    }
  }
  Log("corner split region=%d noRoom=%d", request.region, fit.noRoom ? 1 : 0);
}

SplitFitResult Coordinator::FitSplit(WindowId window, std::int32_t targetRegion,
                                     std::int32_t otherRegion, const std::vector<WindowId>& others,
                                     const SnapLayout& layout, int displayIndex) {
  SplitFitResult result;
  const Monitor m = displays_[static_cast<std::size_t>(displayIndex)];
  const double s = m.scale;
  const Rect& work = m.work;

  std::erase_if(minimums_.Observed(),
                [this](const auto& entry) { return !platform().windows.Exists(entry.first); });
  SnapLayout working = layout;
  double slack = std::max(RegionGap(s) - 8, 0.0);

  std::vector<WindowId> moved = others;
  moved.push_back(window);
  std::map<WindowId, std::string> appOf;
  for (WindowId w : moved) appOf[w] = desktop_.AppIdOf(w);

  // What the fit learns is undone when a window turns out to keep changing its size.
  std::map<WindowId, std::optional<SizeNeed>> observedBefore;
  std::map<std::string, std::optional<AppMinimumSize>> learnedBefore;
  std::map<WindowId, SizeNeed> seenOversized;

  for (int tries = 0;;) {
    SizeNeed needA = Grown(MinimumSize(window, s), slack);
    SizeNeed needB = Grown(MinimumSizeOf(others, s), slack);
    if (NodeRef fitted =
            FitSplitRatio(working.tree, targetRegion, otherRegion, needA, needB, work)) {
      working.tree = fitted;
    }

    RegionMap rects = PixelRegionRects(working, work, RegionGap(s));
    const Rect* target = rects.Get(targetRegion);
    const Rect* other = rects.Get(otherRegion);
    if (!target || !other) return result;
    Log("split try %d: region %d at %.0f,%.0f %.0fx%.0f; %d windows to %d", tries, targetRegion,
        target->x, target->y, target->width, target->height, static_cast<int>(others.size()),
        otherRegion);

    OpenBatch();
    for (WindowId w : others) MoveWindowTo(w, *other);
    MoveWindowTo(window, *target);
    CommitBatch();

    // A window is oversized when it came out larger than its spot in either direction.
    struct Oversize {
      WindowId window;
      Rect frame;
      Rect target;
    };
    std::vector<Oversize> oversized;
    for (WindowId w : moved) {
      if (!platform().windows.Exists(w)) continue;
      std::optional<Rect> frame = desktop_.FrameBounds(w);
      if (!frame) continue;
      const Rect& spot = w == window ? *target : *other;
      if (frame->width > spot.width + kSizeTolerance ||
          frame->height > spot.height + kSizeTolerance) {
        oversized.push_back({w, *frame, spot});
      }
    }

    if (oversized.empty()) {
      for (WindowId w : moved) {
        if (!platform().windows.Exists(w)) continue;
        if (std::optional<Rect> frame = desktop_.FrameBounds(w)) {
          minimums_.LowerTo(appOf[w], frame->width, frame->height);
        }
      }
      StoreMinimums();
      result.success = true;
      result.layout = working;
      return result;
    }

    for (const Oversize& o : oversized) {
      auto earlier = seenOversized.find(o.window);
      if (earlier == seenOversized.end()) continue;
      bool wider = o.frame.width > o.target.width + kSizeTolerance;
      bool taller = o.frame.height > o.target.height + kSizeTolerance;
      bool givenEnough = (wider && o.target.width + kSizeTolerance >= earlier->second.width) ||
                         (taller && o.target.height + kSizeTolerance >= earlier->second.height);
      if (!givenEnough) continue;
      // It was given what it asked for and still came out larger: it keeps changing.
      for (const auto& [w, size] : observedBefore) {
        if (size) {
          minimums_.SetObserved(w, *size);
        } else {
          minimums_.EraseObserved(w);
        }
      }
      for (const auto& [app, size] : learnedBefore) {
        minimums_.SetLearned(app, size ? &*size : nullptr);
      }
      StoreMinimums();
      std::string name = AppNameOf(o.window);
      Log("unsettled %s", name.c_str());
      Notify(name +
             " kept changing size instead of settling into the split. Their prior sizes "
             "were restored.");
      return result;
    }

    for (const Oversize& o : oversized) {
      SizeNeed seen{o.frame.width > o.target.width + kSizeTolerance ? o.frame.width : 0,
                    o.frame.height > o.target.height + kSizeTolerance ? o.frame.height : 0};
      const std::string& app = appOf[o.window];
      if (!observedBefore.contains(o.window)) {
        auto it = minimums_.Observed().find(o.window);
        observedBefore[o.window] =
            it == minimums_.Observed().end() ? std::nullopt : std::optional<SizeNeed>(it->second);
      }
      if (!app.empty() && !learnedBefore.contains(app)) {
        auto it = minimums_.Learned().find(app);
        learnedBefore[app] = it == minimums_.Learned().end()
                                 ? std::nullopt
                                 : std::optional<AppMinimumSize>(it->second);
      }
      auto previous = minimums_.Observed().find(o.window);
      SizeNeed base = previous != minimums_.Observed().end()
                          ? previous->second
                          : SizeNeed{kAssumedMinimumWidth * s, kAssumedMinimumHeight * s};
      minimums_.SetObserved(o.window,
                            {std::max(seen.width, base.width), std::max(seen.height, base.height)});
      minimums_.Learn(app, seen);
      SizeNeed& remembered = seenOversized[o.window];
      remembered.width = std::max(remembered.width, seen.width);
      remembered.height = std::max(remembered.height, seen.height);
      Log("minimum %s %.0fx%.0f", AppNameOf(o.window).c_str(), seen.width, seen.height);
    }
    StoreMinimums();

    needA = Grown(MinimumSize(window, s), slack);
    needB = Grown(MinimumSizeOf(others, s), slack);
    NodeRef next = FitSplitRatio(working.tree, targetRegion, otherRegion, needA, needB, work);
    if (!next || TreesEqual(next, working.tree)) {
      result.noRoom = true;
      return result;
    }
    working.tree = next;
    ++tries;
    if (tries >= kFitTries) {
      Notify(
          "The windows did not settle into the adjusted split. Their prior sizes were restored.");
      return result;
    }
  }
}

}  // namespace tessary
