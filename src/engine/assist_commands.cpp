// The Coordinator's Snap Assist entry points: starting it after a placement and carrying
// out what its panels post. The plan and the panels live in SnapAssist (assist.h); moving
// windows and recording placements stay with the Coordinator.

#include "base/log.h"
#include "engine/coordinator.h"

namespace tessary {

void Coordinator::StartAssist(int displayIndex, const SnapLayout& layout, WindowId placed) {
  if (displayIndex < 0 || displayIndex >= static_cast<int>(displays_.size())) return;
  const Monitor display = displays_[static_cast<std::size_t>(displayIndex)];
  // The foreground watch shares timer 8 with the badges.
  if (assist_.Start(display, layout, placed, displays_, Now())) StartUpkeep();
}

void Coordinator::HandleAssistCommand(std::int32_t region, std::int64_t argument) {
  if (!assist_.Running()) return;
  WindowId window = static_cast<WindowId>(static_cast<std::uint64_t>(argument));
  // A window closed or minimised since it was offered leaves its region empty.
  if (window != kNoWindow &&
      (!platform().windows.Exists(window) || platform().windows.IsMinimized(window))) {
    window = kNoWindow;
  }
  if (window == kNoWindow) {
    assist_.LeaveEmpty(region);
  } else {
    const std::optional<Rect> target = assist_.Assign(region, window);
    if (!target) return;  // stale: the region was filled or the window taken meanwhile
    // MoveWindowTo remembers the frame from before the program first placed the window. A
    // window that does not settle exactly is still taken as in its region; one that does
    // not answer was left where it was.
    MoveWindowTo(window, *target);
    if (!platform().windows.IsHung(window)) placements_[window] = {assist_.DisplayId(), region};
    platform().zOrder.BringToTop(window);
    ScheduleRefresh(0.15);
  }
  assist_.AfterChoice(region);
}

}  // namespace tessary
