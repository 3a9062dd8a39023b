#include "engine/region_membership.h"

#include <algorithm>
#include <cmath>

namespace tessary {
namespace {

constexpr double kCornerTolerance = 6;
constexpr double kSizeFloor = 24;
constexpr double kSizeShare = 0.04;
constexpr double kSmallerSlack = 5;

bool Finite(const Rect& r) {
  return std::isfinite(r.x) && std::isfinite(r.y) && std::isfinite(r.width) &&
         std::isfinite(r.height);
}

}  // namespace

bool InRegion(const Rect& frame, const Rect& region) {
  if (!Finite(frame)) return false;
  if (std::abs(frame.x - region.x) > kCornerTolerance ||
      std::abs(frame.y - region.y) > kCornerTolerance) {
    return false;
  }
  bool closeInSize =
      std::abs(frame.width - region.width) <= std::max(kSizeFloor, kSizeShare * region.width) &&
      std::abs(frame.height - region.height) <= std::max(kSizeFloor, kSizeShare * region.height);
  if (closeInSize) return true;
  return frame.width > 0 && frame.height > 0 && frame.width <= region.width + kSmallerSlack &&
         frame.height <= region.height + kSmallerSlack;
}

RegionLists ListRegionMembers(const std::vector<WindowFrame>& windowsFrontFirst,
                              const RegionMap& regions) {
  RegionLists lists;
  for (const WindowFrame& entry : windowsFrontFirst) {
    for (const auto& [region, rect] : regions) {
      if (InRegion(entry.frame, rect)) {
        lists[region].push_back(entry.window);
        break;
      }
    }
  }
  return lists;
}

std::int32_t RegionOfWindow(const RegionLists& lists, WindowId window) {
  for (const auto& [region, windows] : lists) {
    if (std::find(windows.begin(), windows.end(), window) != windows.end()) return region;
  }
  return -1;
}

void UseSequence::DropMissing(const std::function<bool(WindowId)>& exists) {
  std::erase_if(numbers_, [&](const auto& entry) { return !exists(entry.first); });
}

}  // namespace tessary
