#pragma once

// The stacking order of top-level windows, the foreground window and keyboard focus.

#include <vector>

#include "base/geometry.h"
#include "platform/ids.h"

namespace tessary {

class ZOrder {
 public:
  virtual ~ZOrder() = default;

  // GetTopWindow(null), then GetWindow(GW_HWNDNEXT) to the bottom: every top-level window,
  // front-most first (also the order EnumWindows reports). `out` is replaced; its capacity
  // is reused, so a caller that keeps it walks the z-order without allocating.
  virtual void TopLevelWindows(std::vector<WindowId>& out) = 0;
  std::vector<WindowId> TopLevelWindows() {
    std::vector<WindowId> windows;
    TopLevelWindows(windows);
    return windows;
  }
  // GetForegroundWindow; kNoWindow when none.
  virtual WindowId Foreground() = 0;
  // SetForegroundWindow.
  virtual bool SetForeground(WindowId window) = 0;
  // SetFocus (the window must belong to this program's thread).
  virtual bool SetFocus(WindowId window) = 0;
  // SetWindowPos(HWND_TOP, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE): to the top of its
  // band (topmost windows stay above) without activation.
  virtual bool BringToTop(WindowId window) = 0;
  // SetWindowPos(window, insertAfter, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE): directly
  // below insertAfter.
  virtual bool PlaceBelow(WindowId window, WindowId insertAfter) = 0;
  // SetWindowPos(HWND_BOTTOM, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE).
  virtual bool SendToBottom(WindowId window) = 0;
  // WindowFromPoint: the visible window under the point, possibly a child window (take
  // its root with WindowAccess::Root); kNoWindow over nothing.
  virtual WindowId WindowAt(Point point) = 0;
};

}  // namespace tessary
