#pragma once

// The real desktop: every platform interface implemented on Win32, assembled into one
// Platform. The program creates one at start-up on the main thread and keeps it for the
// whole run.
//
// Timers, the Escape watch, the confirmation prompt and the window events need the
// program's main window: attach it once it exists, and let its window procedure offer
// every message to HandleMainWindowMessage first.

#include <windows.h>

#include "platform/platform.h"
#include "platform/win32/clock_win32.h"
#include "platform/win32/displays_win32.h"
#include "platform/win32/icons_win32.h"
#include "platform/win32/input_win32.h"
#include "platform/win32/key_injector_win32.h"
#include "platform/win32/launcher_win32.h"
#include "platform/win32/processes_win32.h"
#include "platform/win32/prompts_win32.h"
#include "platform/win32/system_settings_win32.h"
#include "platform/win32/timers_win32.h"
#include "platform/win32/window_access_win32.h"
#include "platform/win32/window_events_win32.h"
#include "platform/win32/z_order_win32.h"

namespace tessary {

class Win32Platform {
 public:
  Win32Platform();
  Win32Platform(const Win32Platform&) = delete;
  Win32Platform& operator=(const Win32Platform&) = delete;

  Platform& platform() { return platform_; }

  void AttachMainWindow(HWND mainWindow);
  HWND MainWindow() const { return mainWindow_; }

  // True when the message was the backend's alone (a timer tick, an Escape report, queued
  // window events): *result holds the answer and the window procedure returns it.
  // WM_DISPLAYCHANGE and WM_SETTINGCHANGE are observed (they become window events) but
  // answered false, so the program's procedure still sees them.
  bool HandleMainWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                               LRESULT* result);

 private:
  HWND mainWindow_ = nullptr;
  Win32DisplaySource displays_;
  Win32WindowAccess windows_;
  Win32ZOrder zOrder_;
  Win32Input input_;
  Win32Clock clock_;
  Win32Timers timers_;
  Win32Processes processes_;
  Win32IconSource icons_;
  Win32Launcher launcher_;
  Win32SystemSettings systemSettings_;
  Win32KeyInjector keys_;
  Win32Prompts prompts_;
  Win32WindowEvents events_;
  Platform platform_;  // last: it refers to the members above
};

}  // namespace tessary
