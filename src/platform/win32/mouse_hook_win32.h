#pragma once

// The low-level mouse hook on a thread of its own: a busy main thread must never delay
// every mouse event of the session. The thread reads only MouseHookShared and reaches the
// main thread by posting to the main window.

#include <windows.h>

#include <functional>

#include "platform/mouse_hook.h"

namespace tessary {

class Win32MouseHook : public MouseHook {
 public:
  explicit Win32MouseHook(std::function<HWND()> mainWindow) : mainWindow_(std::move(mainWindow)) {}
  ~Win32MouseHook() override { Stop(); }
  Win32MouseHook(const Win32MouseHook&) = delete;
  Win32MouseHook& operator=(const Win32MouseHook&) = delete;

  bool Start(MouseHookShared& shared) override;
  void Stop() override;
  bool Running() const override { return thread_ != nullptr; }

 private:
  std::function<HWND()> mainWindow_;
  HANDLE thread_ = nullptr;
  DWORD threadId_ = 0;
};

}  // namespace tessary
