#pragma once

// Other applications' top-level windows through user32 and DWM.

#include "platform/window_access.h"

namespace tessary {

class Win32WindowAccess : public WindowAccess {
 public:
  bool Exists(WindowId window) override;
  bool IsVisible(WindowId window) override;
  bool IsMinimized(WindowId window) override;
  bool IsMaximized(WindowId window) override;
  bool IsCloaked(WindowId window) override;
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

  bool SetPosition(WindowId window, const PositionRequest& request) override;
  std::optional<WindowPlacement> Placement(WindowId window) override;
  bool SetPlacement(WindowId window, const WindowPlacement& placement) override;
  bool Show(WindowId window, ShowCommand command) override;
};

}  // namespace tessary
