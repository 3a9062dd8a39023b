#include "shell/window_commands.h"

#include <cmath>

#include "base/log.h"
#include "engine/region_membership.h"
#include "layout/builtin_layouts.h"
#include "layout/tree_geometry.h"

namespace tessary {
Rect FullScreenRect(const Monitor& display) {
  const SnapLayout* full = FindBuiltIn("full");
  if (!full) return display.work;
  const RegionMap rects = PixelRegionRects(*full, display.work, RegionGap(display.scale));
  if (rects.empty()) return display.work;
  return rects.begin()->second;
}

bool FillScreen(Coordinator& coordinator, WindowFills& fills, WindowId window) {
  Desktop& desktop = coordinator.GetDesktop();
  if (window == kNoWindow || !desktop.IsManageable(window)) return false;
  coordinator.RefreshDisplays();
  const int index = coordinator.DisplayOfWindow(window);
  if (index < 0) return false;
  const Monitor& display = coordinator.Displays()[static_cast<std::size_t>(index)];
  const std::optional<Rect> frame = desktop.FrameBounds(window);
  if (!frame) return false;
  const Rect full = FullScreenRect(display);
  const std::optional<Rect> before = fills.Before(window);
  // Only a window that still fills the display goes back: one the user moved since is
  // filled afresh.
  if (before && InRegion(*frame, full)) {
    fills.Forget(window);
    coordinator.MoveWindowTo(window, *before);
    Log("fill: window %llu back", static_cast<unsigned long long>(ToNumber(window)));
    return true;
  }
  fills.Remember(window, *frame);
  coordinator.MoveWindowTo(window, full);
  Log("fill: window %llu fills display %d", static_cast<unsigned long long>(ToNumber(window)),
      index);
  return true;
}

bool PutBack(Coordinator& coordinator, WindowFills& fills, WindowId window) {
  if (window == kNoWindow) return false;
  const std::optional<PlacementRecord> record = coordinator.PlacementOf(window);
  if (!record) return false;
  coordinator.RefreshDisplays();
  const Monitor* display = nullptr;
  for (const Monitor& candidate : coordinator.Displays()) {
    if (candidate.id == record->display) {
      display = &candidate;
      break;
    }
  }
  if (!display) return false;
  const std::optional<SnapLayout> active = coordinator.Layouts().ActiveLayout(display->id);
  if (!active) return false;
  const RegionMap rects = PixelRegionRects(*active, display->work, RegionGap(display->scale));
  auto region = rects.find(record->region);
  if (region == rects.end()) return false;
  coordinator.MoveWindowTo(window, region->second);
  fills.Forget(window);
  coordinator.GetDesktop().platform().zOrder.BringToTop(window);
  coordinator.ScheduleRefresh(0.15);
  return true;
}

bool RestoreWindow(Coordinator& coordinator, WindowFills& fills, WindowId window) {
  if (window == kNoWindow) return false;
  const std::optional<Rect> prior = coordinator.PriorRectOf(window);
  if (!prior) return false;
  coordinator.MoveWindowTo(window, *prior);
  // Restored, the window has nothing left to go back to: a second Restore beeps.
  coordinator.ForgetPriorRect(window);
  fills.Forget(window);
  return true;
}

}  // namespace tessary
