#pragma once

// Where everything in the layout picker lies: a grid of cards, one per layout, each with
// a thumbnail of the layout's regions and the layout's name. Panel units are DIPs with
// the panel's top-left at (0, 0).

#include <vector>

#include "base/geometry.h"
#include "layout/layout_tree.h"
#include "layout/region_map.h"

namespace tessary {

struct PickerCard {
  int layout = 0;  // index into the layouts shown
  Rect card;
  Rect thumbnail;
  Rect label;
  RegionMap regions;  // each region's rectangle inside the thumbnail
};

struct PickerGeometry {
  double width = 0;
  double height = 0;
  Rect header;
  std::vector<PickerCard> cards;
};

// `availableWidth` is the room for the panel in DIPs, `aspect` the display's width over
// its height (it shapes the thumbnails).
PickerGeometry ComputePickerGeometry(const std::vector<SnapLayout>& layouts, double availableWidth,
                                     double aspect);

// The geometry for a display: available width min(work width / scale - 40, 820), aspect
// of the work area.
PickerGeometry PickerGeometryForDisplay(const std::vector<SnapLayout>& layouts, const Rect& work,
                                        double scale);

// The panel on the desktop (pixels): centred on the work area, 12 DIPs below its top.
Rect PickerPanelRect(const PickerGeometry& geometry, const Rect& work, double scale);

}  // namespace tessary
