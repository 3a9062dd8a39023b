#pragma once

// What a finished drag hands to placing: one request at a time, carried out by timer 2
// 50 ms after the drag ended, when the system has finished its own move loop.

#include <cstdint>
#include <optional>
#include <string>

#include "base/geometry.h"
#include "layout/layout_derivations.h"
#include "layout/layout_tree.h"
#include "platform/ids.h"
#include "surfaces/drop_action_menu.h"

namespace tessary {

// What a drag targets (and what a request carries out).
enum TargetKind : std::int32_t {
  kTargetNone = 0,
  kTargetPicker = 1,  // a region chosen in the picker
  kTargetCorner = 2,  // a corner of the display
  kTargetRegion = 3,  // a region of the display's active layout (the intent decides)
  kTargetResize = 4,  // a snapped window's edge was dragged
};

struct PlacementRequest {
  WindowId window = kNoWindow;
  std::int32_t kind = kTargetNone;
  Rect startRect;       // the window's frame when the drag started
  Rect endRect;         // and when it ended
  std::string display;  // the target display's key
  std::int32_t region = -1;
  DropIntent intent{0, 0};
  SnapLayout layout;  // the target layout (kinds 1 and 2)
  std::optional<DropActionMenu> menu;
  // The column that a drop on the top band fills (intent 6), worked out while hovering.
  std::optional<WholeColumnLayout> column;
  std::int32_t originRegion = -1;
  WindowId occupant = kNoWindow;
  bool ctrl = false;
};

}  // namespace tessary
