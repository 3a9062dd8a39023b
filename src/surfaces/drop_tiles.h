#pragma once

// Which tiles a drop menu offers and where they go: the list of intents for a hovered
// region, their default labels, the grid centred on the hovered area, and which tile is
// under the pointer. Pure; the engine decides when a menu opens, the view draws it.

#include <cstdint>
#include <string>
#include <vector>

#include "base/geometry.h"
#include "surfaces/drop_action_menu.h"

namespace tessary {

// What the offer depends on. Lengths are physical pixels; `scale` is the display's.
struct DropMenuRequest {
  std::int32_t region = 0;
  bool canSwap = false;     // the dragged window has another region of this layout
  bool fullHeight = false;  // the region spans the layout's whole height
  bool putBack = false;     // hovering the dragged window's own region again
  bool sizeKnown = false;   // the region is occupied: its size and needs are known
  double regionWidth = 0;
  double regionHeight = 0;
  double neededWidth = 0;  // the minimum size the windows sharing the region would need
  double neededHeight = 0;
  std::int32_t rejoinRegion = -1;
  std::int32_t spanColumnRegion = -1;
  double scale = 1;
};

// The intents in the order they are offered; the first is the primary one.
std::vector<DropIntent> BuildDropActionMenu(const DropMenuRequest& request);

// The default label of a kind; empty for a kind without one.
std::string DropIntentLabel(std::int32_t kind);

// A label that replaces the default for one intent.
struct DropLabelOverride {
  DropIntent intent;
  std::string label;
};

struct DropTileLayout {
  std::vector<DropTile> tiles;
  Rect rect;  // the whole menu
};

// Tiles of 112 x 92 (x scale) with gaps of 8 in a panel padded by 10, centred on `area`
// (the hovered region or span; the menu may be larger). Two rows when one does not fit;
// the primary intent takes the slot nearest the menu's centre.
DropTileLayout LayOutDropTiles(const std::vector<DropIntent>& intents, const Rect& area,
                               double scale, const std::vector<DropLabelOverride>& overrides);

// The index of the tile whose centre is nearest the point (the earlier on a tie), or -1
// when the point is outside the menu.
int DropTileAt(const DropActionMenu& menu, Point point);

}  // namespace tessary
