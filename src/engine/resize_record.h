#pragma once

// What the resize of a window's edge needs to remember from its start until it has been
// carried out: where the window and its neighbours stood, and on which layout.

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "base/geometry.h"
#include "engine/region_membership.h"
#include "layout/layout_tree.h"
#include "layout/region_map.h"
#include "layout/span_geometry.h"
#include "platform/ids.h"

namespace tessary {

struct ResizeRecord {
  WindowId window = kNoWindow;
  Rect startFrame;
  GrabbedEdges edges;
  Point pointer;  // at the last step, and at the end
  // The region the window sat in when the resize began, or -1.
  std::int32_t homeRegion = -1;
  std::string display;  // display key
  Rect work;
  double scale = 1;
  std::optional<SnapLayout> layout;  // the display's active layout; none: nothing to follow
  RegionMap regions;                 // its pixel rectangles
  RegionLists members;               // the windows listed in each region, the resized one left out
  std::vector<std::pair<WindowId, SpanSet>> spanning;
  bool wasSpanning = false;  // the resized window itself spanned
};

}  // namespace tessary
