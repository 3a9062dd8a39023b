#pragma once

// Keyboard placement: the focused window moves to the neighbouring region of its
// display's active layout (Ctrl+Alt+Win+arrows). From a region at the edge of a display it
// goes on to the facing edge of the display beside it, provided that display has an
// active layout: without one there is no region to join, so the move is refused as at an
// edge with nothing beyond (the warning beep). A window in no region first goes into the
// region nearest its centre. The window is placed exactly as a drop onto that region
// places it, joining the stack there. Holds no state between moves; main thread only.

#include <optional>

#include "base/geometry.h"
#include "layout/region_map.h"
#include "layout/region_neighbours.h"
#include "platform/ids.h"

namespace tessary {

class Coordinator;

class RegionMoves {
 public:
  explicit RegionMoves(Coordinator& coordinator) : c_(coordinator) {}

  // Moves the window one region in `direction`. False when nothing moved: the warning
  // beep has sounded when there was no region to go to, the information beep when the
  // window has no display.
  bool Move(WindowId window, MoveDirection direction);

 private:
  struct Destination {
    int display = -1;
    std::int32_t region = -1;
  };
  // Where the move goes from `region` (pixels `from`) of display `display`, if anywhere.
  std::optional<Destination> Next(int display, const RegionMap& unit, std::int32_t region,
                                  const Rect& from, MoveDirection direction);
  std::optional<Destination> OntoDisplayBeside(int display, const Rect& from,
                                               MoveDirection direction);
  bool PlaceInto(WindowId window, const Rect& frame, const Destination& destination);

  Coordinator& c_;
};

}  // namespace tessary
