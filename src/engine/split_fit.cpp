#include "engine/split_fit.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "base/log.h"
#include "engine/coordinator.h"

#include "layout/tree_fit.h"
#include "layout/tree_geometry.h"

namespace tessary {
namespace {

constexpr double kSame = 0.0001;
constexpr double kMinimumShare = 0.01;
// What the gap between regions and to the work area's edges costs a region: half a gap
// on each side of 8 pixels, plus a pixel of rounding.
constexpr double kEdgeCost = 9;
constexpr double kLayoutGap = 8;
// Tries after which a split that keeps moving is given up.
constexpr int kFitTries = 3;

SizeNeed Grown(SizeNeed need, double by) { return {need.width + by, need.height + by}; }

template <typename Map, typename Key>
auto ValueOf(const Map& map, const Key& key) -> std::optional<typename Map::mapped_type> {
  auto it = map.find(key);
  if (it == map.end()) return std::nullopt;
  return it->second;
}

// One try of a fit: the windows move into their spots in one batch; answers those that
// refused them, or none when a region is missing.
std::optional<std::vector<Oversize>> TrySplit(Coordinator& coordinator, WindowId window,
                                              std::int32_t targetRegion, std::int32_t otherRegion,
                                              const std::vector<WindowId>& others,
                                              const SnapLayout& layout, const Monitor& m,
                                              int tries) {
  RegionMap rects = PixelRegionRects(layout, m.work, RegionGap(m.scale));
  const Rect* target = rects.Get(targetRegion);
  const Rect* other = rects.Get(otherRegion);
  if (!target || !other) return std::nullopt;
  Log("split try %d: region %d at %.0f,%.0f %.0fx%.0f; %d windows to %d", tries, targetRegion,
      target->x, target->y, target->width, target->height, static_cast<int>(others.size()),
      otherRegion);

  coordinator.OpenBatch();
  bool refused = false;
  for (WindowId w : others) refused |= !coordinator.MoveWindowTo(w, *other);
  refused |= !coordinator.MoveWindowTo(window, *target);
  coordinator.CommitBatch();
  // A window left where it was (out of reach, not responding) teaches nothing about sizes.
  if (refused) return std::nullopt;

  std::vector<Oversize> oversized;
  Desktop& desktop = coordinator.GetDesktop();
  auto check = [&](WindowId w, const Rect& spot) {
    if (!desktop.platform().windows.Exists(w)) return;
    std::optional<Rect> frame = desktop.FrameBounds(w);
    if (!frame) return;
    if (std::optional<Oversize> o = OversizeOf(w, *frame, spot)) oversized.push_back(*o);
  };
  for (WindowId w : others) check(w, *other);
  check(window, *target);
  return oversized;
}

}  // namespace

NodeRef FitSplitRatio(const NodeRef& tree, std::int32_t regionA, std::int32_t regionB,
                      SizeNeed needA, SizeNeed needB, const Rect& work) {
  RegionMap unit = RegionRects(tree, kUnitRect);
  const Rect* a = unit.Get(regionA);
  const Rect* b = unit.Get(regionB);
  if (!a || !b) return nullptr;

  bool sideBySide = std::abs(a->x - b->x) >= kSame && std::abs(a->y - b->y) < kSame &&
                    std::abs(a->height - b->height) < kSame;
  bool stacked = std::abs(a->x - b->x) < kSame && std::abs(a->width - b->width) < kSame;
  if (!sideBySide && !stacked) return nullptr;

  // Work along one axis: the first region (left or upper) and the second.
  bool aFirst = sideBySide ? a->x < b->x : a->y < b->y;
  const Rect& first = aFirst ? *a : *b;
  const Rect& second = aFirst ? *b : *a;
  std::int32_t firstRegion = aFirst ? regionA : regionB;
  const SizeNeed& firstNeed = aFirst ? needA : needB;
  const SizeNeed& secondNeed = aFirst ? needB : needA;

  double extent = sideBySide ? work.width : work.height;
  double avail = extent - kLayoutGap;
  if (!(avail > 0)) return nullptr;
  double firstStart = sideBySide ? first.x : first.y;
  double firstSize = sideBySide ? first.width : first.height;
  double secondEnd = sideBySide ? second.Right() : second.Bottom();
  double lo = firstStart + ((sideBySide ? firstNeed.width : firstNeed.height) + kEdgeCost) / avail;
  double hi = secondEnd - ((sideBySide ? secondNeed.width : secondNeed.height) + kEdgeCost) / avail;
  if (hi < lo) return nullptr;

  double edge = firstStart + firstSize;
  if (edge < lo) edge = lo;
  if (edge > hi) edge = hi;
  NodeRef moved =
      MoveRegionEdge(tree, firstRegion, sideBySide ? RegionEdge::Right : RegionEdge::Bottom, edge,
                     kMinimumShare, kMinimumShare);
  if (!moved) return nullptr;

  RegionMap pixels = PixelRegionRects(moved, work, kLayoutGap);
  const Rect* pa = pixels.Get(regionA);
  const Rect* pb = pixels.Get(regionB);
  if (!pa || !pb) return nullptr;
  bool fits = sideBySide ? pa->width >= needA.width && pb->width >= needB.width
                         : pa->height >= needA.height && pb->height >= needB.height;
  return fits ? moved : nullptr;
}

std::optional<Oversize> OversizeOf(WindowId window, const Rect& frame, const Rect& target) {
  bool wider = frame.width > target.width + kSizeTolerance;
  bool taller = frame.height > target.height + kSizeTolerance;
  bool fitsWidth = frame.width <= target.width + kSizeTolerance &&
                   frame.width >= target.width - kSizeTolerance;
  bool fitsHeight = frame.height <= target.height + kSizeTolerance &&
                    frame.height >= target.height - kSizeTolerance;
  if ((wider && fitsHeight) || (taller && fitsWidth)) {
    return Oversize{window, frame, target, wider, taller};
  }
  return std::nullopt;
}

bool SplitFitLessons::KeepsChanging(const Oversize& o) const {
  auto earlier = refused_.find(o.window);
  if (earlier == refused_.end()) return false;
  return (o.wider && o.target.width + kSizeTolerance >= earlier->second.width) ||
         (o.taller && o.target.height + kSizeTolerance >= earlier->second.height);
}

SizeNeed SplitFitLessons::Learn(const Oversize& o, const std::string& app) {
  SizeNeed seen{o.wider ? o.frame.width : 0, o.taller ? o.frame.height : 0};
  std::optional<SizeNeed> observed = ValueOf(minimums_.Observed(), o.window);
  observedBefore_.try_emplace(o.window, observed);
  if (!app.empty()) learnedBefore_.try_emplace(app, ValueOf(minimums_.Learned(), app));

  SizeNeed base =
      observed.value_or(SizeNeed{kAssumedMinimumWidth * scale_, kAssumedMinimumHeight * scale_});
  minimums_.SetObserved(o.window,
                        {std::max(seen.width, base.width), std::max(seen.height, base.height)});
  minimums_.Learn(app, seen);
  SizeNeed& refused = refused_[o.window];
  refused = {std::max(refused.width, seen.width), std::max(refused.height, seen.height)};
  return seen;
}

void SplitFitLessons::Undo() {
  for (const auto& [window, size] : observedBefore_) {
    if (size) {
      minimums_.SetObserved(window, *size);
    } else {
      minimums_.EraseObserved(window);
    }
  }
  for (const auto& [app, size] : learnedBefore_) minimums_.SetLearned(app, size ? &*size : nullptr);
}

// The fitting loop: move the windows in, see who refuses, learn, move the divider, again.
SplitFitResult Coordinator::FitSplit(WindowId window, std::int32_t targetRegion,
                                     std::int32_t otherRegion, const std::vector<WindowId>& others,
                                     const SnapLayout& layout, int displayIndex) {
  const Monitor m = displays_[static_cast<std::size_t>(displayIndex)];
  const double s = m.scale;
  std::erase_if(minimums_.Observed(),
                [this](const auto& entry) { return !platform().windows.Exists(entry.first); });
  // Windows are planned with the room that a display's wider gap takes from them.
  const double slack = std::max(RegionGap(s) - kLayoutGap, 0.0);
  auto fitRatio = [&](const NodeRef& tree) {
    return FitSplitRatio(tree, targetRegion, otherRegion, Grown(MinimumSize(window, s), slack),
                         Grown(MinimumSizeOf(others, s), slack), m.work);
  };

  auto lowerLearned = [this](WindowId w) {
    if (!platform().windows.Exists(w)) return;
    if (std::optional<Rect> frame = desktop_.FrameBounds(w)) {
      minimums_.LowerTo(desktop_.AppIdOf(w), frame->width, frame->height);
    }
  };

  SnapLayout working = layout;
  SplitFitLessons lessons(minimums_, s);
  for (int tries = 0;; ++tries) {
    if (NodeRef fitted = fitRatio(working.tree)) working.tree = fitted;
    std::optional<std::vector<Oversize>> oversized =
        TrySplit(*this, window, targetRegion, otherRegion, others, working, m, tries);
    if (!oversized) return {};
    if (oversized->empty()) {
      // What the windows took now is what they need at most.
      for (WindowId w : others) lowerLearned(w);
      lowerLearned(window);
      StoreMinimums();
      return {.success = true, .layout = working};
    }
    for (const Oversize& o : *oversized) {
      if (!lessons.KeepsChanging(o)) continue;
      lessons.Undo();
      StoreMinimums();
      std::string name = AppNameOf(o.window);
      Log("unsettled %s", name.c_str());
      Notify(name +
             " kept changing size instead of settling into the split. Their prior sizes "
             "were restored.");
      return {};
    }
    for (const Oversize& o : *oversized) {
      SizeNeed seen = lessons.Learn(o, desktop_.AppIdOf(o.window));
      Log("minimum %s %.0fx%.0f", AppNameOf(o.window).c_str(), seen.width, seen.height);
    }
    StoreMinimums();

    NodeRef next = fitRatio(working.tree);
    if (!next || TreesEqual(next, working.tree)) return {.noRoom = true};
    working.tree = next;
    if (tries + 1 >= kFitTries) {
      Notify(
          "The windows did not settle into the adjusted split. Their prior sizes were restored.");
      return {};
    }
  }
}

}  // namespace tessary
