#pragma once

// Fill Screen, Put Back and Restore: the three window commands that only move a window
// between places the program already knows.

#include <cstddef>
#include <map>
#include <optional>

#include "base/geometry.h"
#include "desktop/monitor.h"
#include "engine/coordinator.h"

namespace tessary {

// The windows Fill Screen filled, each with the frame it had before.
class WindowFills {
 public:
  std::optional<Rect> Before(WindowId window) const {
    auto it = before_.find(window);
    if (it == before_.end()) return std::nullopt;
    return it->second;
  }
  void Remember(WindowId window, const Rect& frame) { before_[window] = frame; }
  void Forget(WindowId window) { before_.erase(window); }
  std::size_t Count() const { return before_.size(); }

 private:
  std::map<WindowId, Rect> before_;
};

// The single region of the built-in "full" layout on the display, in pixels.
Rect FullScreenRect(const Monitor& display);

// Fills the display with the window, or, when it was filled and still fills it, puts it
// back where it was. False (the caller beeps) when the window cannot be managed or has no
// display.
bool FillScreen(Coordinator& coordinator, WindowFills& fills, WindowId window);

// Moves the window back into the region where the program last placed it, with that
// display's active layout. False when there is no record, no such display or no such
// region any more.
bool PutBack(Coordinator& coordinator, WindowFills& fills, WindowId window);

// Gives the window back the frame it had before the program first moved it. False when
// the program never moved it.
bool RestoreWindow(Coordinator& coordinator, WindowFills& fills, WindowId window);

}  // namespace tessary
