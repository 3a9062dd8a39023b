#include "engine/display_rules.h"

#include <algorithm>
#include <cmath>

#include "layout/builtin_layouts.h"
#include "layout/tree_geometry.h"

namespace tessary {
namespace {

// A window stands in a region when its frame matches it this closely (times the scale)...
constexpr double kStandTolerance = 5;
// ...or when its corner does and it is at most this much smaller: apps round their sizes
// down to whole characters or cells.
constexpr double kStandShortfall = 24;

bool HasTarget(const std::vector<GlideItem>& targets, WindowId window) {
  return std::any_of(targets.begin(), targets.end(),
                     [&](const GlideItem& item) { return item.window == window; });
}

bool StandsIn(const Rect& frame, const Rect& region, double scale) {
  const double tolerance = kStandTolerance * scale;
  if (NearlyEqual(frame, region, tolerance)) return true;
  if (std::abs(frame.x - region.x) > tolerance || std::abs(frame.y - region.y) > tolerance) {
    return false;
  }
  auto fits = [&](double size, double want) {
    return size >= want - kStandShortfall * scale && size <= want + tolerance;
  };
  return fits(frame.width, region.width) && fits(frame.height, region.height);
}

// Each window is matched to the first region (ascending number) it stands in.
RegionLists MatchWindows(const RegionMap& regions, const FramesFrontFirst& windows, double scale,
                         int& matched) {
  RegionLists standing;
  matched = 0;
  for (const WindowFrame& entry : windows) {
    for (const auto& [region, rect] : regions) {
      if (!StandsIn(entry.frame, rect, scale)) continue;
      standing[region].push_back(entry.window);
      ++matched;
      break;
    }
  }
  return standing;
}

}  // namespace

bool SameDisplays(const std::vector<Monitor>& known, const std::vector<Monitor>& now) {
  if (known.size() != now.size()) return false;
  return std::all_of(now.begin(), now.end(), [&](const Monitor& m) {
    return std::any_of(known.begin(), known.end(),
                       [&](const Monitor& k) { return k.id == m.id && k.bounds == m.bounds; });
  });
}

void FollowWorkArea(const SnapLayout& layout, const Monitor& before, const Monitor& after,
                    const FramesFrontFirst& windows, std::vector<GlideItem>& targets) {
  const RegionMap old = PixelRegionRects(layout, before.work, RegionGap(before.scale));
  const RegionMap now = PixelRegionRects(layout, after.work, RegionGap(after.scale));
  std::vector<std::int32_t> covered;
  for (const WindowFrame& entry : windows) {
    if (HasTarget(targets, entry.window)) continue;
    std::int32_t listed = -1;
    for (const auto& [region, rect] : old) {
      if (InRegion(entry.frame, rect)) {
        listed = region;
        break;
      }
    }
    if (listed >= 0) {
      if (const Rect* rect = now.Get(listed)) targets.push_back({entry.window, *rect});
      continue;
    }
    Rect area;
    if (SpansRegions(entry.frame, old, before.scale, covered, area)) {
      targets.push_back({entry.window, BoundingRect(now, covered)});
    }
  }
}

std::optional<RecoveredLayout> ChooseRecoveredLayout(const std::vector<SnapLayout>& candidates,
                                                     const std::optional<SnapLayout>& current,
                                                     const Monitor& display,
                                                     const FramesFrontFirst& windows) {
  std::vector<RecoveredLayout> best;
  int most = 0;
  for (const SnapLayout& candidate : candidates) {
    if (!ValidateTree(candidate.tree)) continue;
    const bool isCurrent = current && LayoutsEqual(candidate, *current);
    int matched = 0;
    RegionLists standing =
        MatchWindows(PixelRegionRects(candidate, display.work, RegionGap(display.scale)), windows,
                     display.scale, matched);
    if (matched < (isCurrent ? 1 : 2) || matched < most) continue;
    if (matched > most) best.clear();
    most = matched;
    best.push_back({candidate, std::move(standing)});
  }
  if (best.empty()) return std::nullopt;
  for (RecoveredLayout& entry : best) {
    if (current && LayoutsEqual(entry.layout, *current)) return std::move(entry);
  }
  const bool allEqual = std::all_of(best.begin(), best.end(), [&](const RecoveredLayout& entry) {
    return TreesEqual(entry.layout.tree, best.front().layout.tree);
  });
  if (!allEqual) return std::nullopt;
  return std::move(best.front());
}

}  // namespace tessary
