#pragma once

// The plan of a Snap Assist: which regions of the layout just used are empty, which
// windows may be offered for them, and what has been filled or given up since. Pure
// values, so the rules can be followed without a desktop.

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <vector>

#include "base/geometry.h"
#include "engine/region_membership.h"
#include "layout/region_map.h"
#include "platform/ids.h"

namespace tessary {

struct AssistPlan {
  RegionMap regions;                        // the layout on the display's work area
  std::vector<WindowId> candidates;         // in z-order, front first
  std::map<std::int32_t, WindowId> assigned;  // occupied at the start, or filled since
  std::set<std::int32_t> leftEmpty;

  // Regions neither assigned nor given up, ascending.
  std::vector<std::int32_t> EmptyRegions() const;
  // Candidates not assigned to a region, in their order.
  std::vector<WindowId> RemainingCandidates() const;
  // Nothing more to offer: no empty region or no remaining candidate.
  bool Done() const;
  // Puts the window into the region; false (and nothing changes) unless the region is
  // empty and the window a remaining candidate.
  bool Assign(std::int32_t region, WindowId window);
};

// The plan when `placed` has just been put into a region of `regions` on the display
// `displayIndex` (of the displays with these full bounds). `windows` are the manageable
// windows with their frames, front first. Each lies in the first region (ascending) it sits
// in; the front window of each region, and the placed window wherever it sits, occupy it.
// The candidates are the windows that lie in no region and overlap this display more than
// any other.
AssistPlan MakeAssistPlan(const RegionMap& regions, const std::vector<WindowFrame>& windows,
                          WindowId placed, const std::optional<Rect>& placedFrame,
                          const std::vector<Rect>& displayBounds, int displayIndex);

// The display a frame belongs to: the one it overlaps most (the first on ties); -1 when it
// overlaps none.
int DisplayOfFrame(const Rect& frame, const std::vector<Rect>& displayBounds);

// The regions in reading order: by top edge, then by left edge.
std::vector<std::int32_t> InReadingOrder(const RegionMap& regions,
                                         const std::vector<std::int32_t>& which);

}  // namespace tessary
