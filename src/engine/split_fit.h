#pragma once

// Moving the divider between two neighbouring regions so that both meet their windows'
// minimum sizes. Pure: the fitting loop that moves windows and learns their sizes lives
// in the Coordinator.

#include <cstdint>

#include "base/geometry.h"
#include "engine/minimum_sizes.h"
#include "layout/layout_tree.h"

namespace tessary {

// The tree with the edge between regions a and b moved just far enough for both needs
// (pixels) on the work area, or null when they are not side by side or stacked, or when
// the needs cannot both be met. The input tree itself when it already meets them.
NodeRef FitSplitRatio(const NodeRef& tree, std::int32_t regionA, std::int32_t regionB,
                      SizeNeed needA, SizeNeed needB, const Rect& work);

}  // namespace tessary
