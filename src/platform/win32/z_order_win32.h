#pragma once

// The z-order, the foreground window and keyboard focus through user32.

#include "platform/z_order.h"

namespace tessary {

class Win32ZOrder : public ZOrder {
 public:
  using ZOrder::TopLevelWindows;
  void TopLevelWindows(std::vector<WindowId>& out) override;
  WindowId Foreground() override;
  bool SetForeground(WindowId window) override;
  bool SetFocus(WindowId window) override;
  bool BringToTop(WindowId window) override;
  bool PlaceBelow(WindowId window, WindowId insertAfter) override;
  bool SendToBottom(WindowId window) override;
  WindowId WindowAt(Point point) override;
};

}  // namespace tessary
