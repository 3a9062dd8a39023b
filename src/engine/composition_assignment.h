#pragma once

// Matching a display's windows to the free regions of a layout being applied: as many
// regions as possible get a window, and among the ways to do that each region prefers the
// windows nearest to it. Pure; the Coordinator supplies frames and minimum sizes.

#include <cstdint>
#include <map>
#include <set>
#include <vector>

#include "base/geometry.h"
#include "layout/region_map.h"
#include "platform/ids.h"

namespace tessary {

// A window that may be put into a region: its frame now and the smallest size it takes.
struct CompositionCandidate {
  WindowId window = kNoWindow;
  Rect frame;
  double minWidth = 0;
  double minHeight = 0;
};

// Per window, the regions it must not be matched to (it refused them before).
using CompositionExclusions = std::map<WindowId, std::set<std::int32_t>>;

// How far a frame is from a region: -1 when it already stands there (within a pixel),
// else the distance of the centres plus a fifth of the differences in width and height.
double CompositionScore(const Rect& frame, const Rect& region);

// A maximum matching of regions to windows (region -> window). Each region tries its
// eligible windows (large enough minimums allowed, not excluded) in score order, lowest
// first, equal scores in the candidates' order; regions with fewer choices go first,
// then higher, then further left, then by number. A window listed twice counts once.
std::map<std::int32_t, WindowId> AssignComposition(
    const std::vector<CompositionCandidate>& candidates, const RegionMap& regions,
    const CompositionExclusions& exclusions);

}  // namespace tessary
