#pragma once

// The test side of the window host (tests/win32/helpers/window_host.cpp): a second
// process, started once for the whole test program, that creates windows on request.
// The program never manages windows of its own process, so inventory, motion and event
// tests look at the host's windows.

#include <windows.h>

#include <string>

#include "win32/message_pump.h"

namespace tessary::testing {

class WindowHost {
 public:
  // The one host of this test program, started at the first call.
  static WindowHost& Get();

  ~WindowHost();
  WindowHost(const WindowHost&) = delete;
  WindowHost& operator=(const WindowHost&) = delete;

  // A new window of the given kind ("normal", "tool", "popup", "owned-app", ... see the
  // host); null when the host is not running or could not create it.
  HWND Create(const std::string& kind, int width = 400, int height = 300);
  // Has the host raise a WinEvent about one of its windows (object: OBJID_WINDOW for the
  // window itself); answers once it has been raised.
  bool RaiseEvent(DWORD event, HWND window, LONG object);
  // The host's executable, as this process launched it.
  const std::wstring& Path() const { return path_; }

 private:
  WindowHost();
  // Sends one command line; the window the host answers, null on failure.
  HWND Ask(const std::string& command);

  std::wstring path_;
  HANDLE process_ = nullptr;
  HWND control_ = nullptr;  // the host's message-only window that takes the commands
};

// The full path of this test program.
std::wstring OwnExecutablePath();

}  // namespace tessary::testing
