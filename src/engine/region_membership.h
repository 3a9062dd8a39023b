#pragma once

// Which windows sit in which region: the membership rule, the per-region lists in
// z-order, and the use sequence that orders the members of a stack.

#include <cstdint>
#include <functional>
#include <map>
#include <vector>

#include "base/geometry.h"
#include "layout/region_map.h"
#include "platform/ids.h"

namespace tessary {

// A window's frame belongs to a region when its top-left corner lies within 6 px of the
// region's and its size is within max(24 px, 4 %) of the region's, or it is no larger
// than the region (5 px of slack), so a window smaller than its spot still counts.
bool InRegion(const Rect& frame, const Rect& region);

struct WindowFrame {
  WindowId window = kNoWindow;
  Rect frame;
};

// Region -> its windows, front-most first.
using RegionLists = std::map<std::int32_t, std::vector<WindowId>>;

// Each window (given front-most first) is listed in the first region, in ascending
// number, that it belongs to.
RegionLists ListRegionMembers(const std::vector<WindowFrame>& windowsFrontFirst,
                              const RegionMap& regions);

// The region whose list holds the window, or -1.
std::int32_t RegionOfWindow(const RegionLists& lists, WindowId window);

// The program-wide counter that orders stack members by when they last joined.
class UseSequence {
 public:
  // The next number, now the window's.
  std::uint64_t Bump(WindowId window) {
    numbers_[window] = ++counter_;
    return counter_;
  }
  // The window's number, 0 when it has none.
  std::uint64_t Of(WindowId window) const {
    auto it = numbers_.find(window);
    return it == numbers_.end() ? 0 : it->second;
  }
  std::uint64_t Counter() const { return counter_; }
  void DropMissing(const std::function<bool(WindowId)>& exists);

 private:
  std::uint64_t counter_ = 0;
  std::map<WindowId, std::uint64_t> numbers_;
};

}  // namespace tessary
