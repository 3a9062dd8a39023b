#pragma once

// Other applications' top-level windows through user32 and DWM.

#include "platform/window_access.h"

namespace tessary {

// True when a synchronous call into the window would wait on an app that does not answer:
// the system says so (IsHungAppWindow, after about 5 s without reading messages), or a
// WM_NULL stays unanswered for a fifth of a second. Never true for our own thread's.
bool AppNotResponding(WindowId window);

// Moves through SWP_ASYNCWINDOWPOS, so that an app that stops answering meanwhile costs
// at most a bounded wait; nothing synchronous is sent to an app that is not responding.
class Win32WindowAccess : public WindowAccess {
 public:
  bool Exists(WindowId window) override;
  bool IsVisible(WindowId window) override;
  bool IsMinimized(WindowId window) override;
  bool IsMaximized(WindowId window) override;
  bool IsCloaked(WindowId window) override;
  bool IsHung(WindowId window) override { return AppNotResponding(window); }
  WindowId Root(WindowId window) override;
  WindowId Owner(WindowId window) override;
  std::uint32_t Style(WindowId window) override;
  std::uint32_t ExStyle(WindowId window) override;
  ProcessId ProcessOf(WindowId window) override;
  std::string ClassName(WindowId window) override;
  std::string Title(WindowId window) override;
  WindowId FindChild(WindowId window, const std::string& className) override;

  std::optional<Rect> WindowRect(WindowId window) override;
  std::optional<Rect> ExtendedFrameBounds(WindowId window) override;
  std::optional<Rect> CaptionButtonBounds(WindowId window) override;
  std::optional<int> HitTest(WindowId window, Point point) override;

  bool SetPosition(WindowId window, const PositionRequest& request) override;
  std::optional<WindowPlacement> Placement(WindowId window) override;
  bool SetPlacement(WindowId window, const WindowPlacement& placement) override;
  bool Show(WindowId window, ShowCommand command) override;
};

}  // namespace tessary
