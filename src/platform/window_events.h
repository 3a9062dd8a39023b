#pragma once

// What the system reports about other applications' windows (out-of-context WinEvent
// hooks) and about the displays (main-window messages), delivered to one sink.

#include <functional>

#include "platform/ids.h"

namespace tessary {

enum class WindowEventKind {
  kMoveSizeStart,   // EVENT_SYSTEM_MOVESIZESTART: a move or resize loop began
  kMoveSizeEnd,     // EVENT_SYSTEM_MOVESIZEEND
  kForeground,      // EVENT_SYSTEM_FOREGROUND
  kMinimizeStart,   // EVENT_SYSTEM_MINIMIZESTART
  kMinimizeEnd,     // EVENT_SYSTEM_MINIMIZEEND
  kDestroy,         // EVENT_OBJECT_DESTROY
  kShow,            // EVENT_OBJECT_SHOW
  kHide,            // EVENT_OBJECT_HIDE
  kLocationChange,  // EVENT_OBJECT_LOCATIONCHANGE
  kDisplayChange,   // WM_DISPLAYCHANGE to the main window (window is kNoWindow)
  kWorkAreaChange,  // WM_SETTINGCHANGE with SPI_SETWORKAREA (window is kNoWindow)
};

struct WindowEvent {
  WindowEventKind kind = WindowEventKind::kLocationChange;
  WindowId window{};
};

class WindowEvents {
 public:
  virtual ~WindowEvents() = default;

  // SetWinEventHook for the five ranges (move/size start..end, foreground, minimize
  // start..end, destroy..hide, location change), WINEVENT_OUTOFCONTEXT |
  // WINEVENT_SKIPOWNPROCESS. Only events about a window itself (OBJID_WINDOW,
  // CHILDID_SELF, non-null handle) reach the sink, on the main thread from the message
  // loop, never while a blocking wait runs. Installing again replaces the sink. False
  // when a hook cannot be installed; the hooks that were installed stay, and the log
  // names the ranges that failed.
  virtual bool Install(std::function<void(const WindowEvent&)> sink) = 0;
  // UnhookWinEvent for each hook that was installed; no more events reach the sink.
  virtual void Uninstall() = 0;
};

}  // namespace tessary
