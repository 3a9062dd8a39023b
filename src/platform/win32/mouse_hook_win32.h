#pragma once

// The low-level mouse hook on a thread of its own: a busy main thread must never delay
// every mouse event of the session. The thread reads only MouseHookShared and reaches the
// main thread by posting to the main window.

#include <windows.h>

#include <functional>

#include "platform/mouse_hook.h"
#include "platform/win32/hook_thread_win32.h"

namespace tessary {

class Win32MouseHook : public MouseHook {
 public:
  explicit Win32MouseHook(std::function<HWND()> mainWindow);
  // With another thread body in place of the hook's (a thread that hangs, say).
  Win32MouseHook(std::function<HWND()> mainWindow, HookThread::Body body)
      : mainWindow_(std::move(mainWindow)), body_(std::move(body)) {}
  ~Win32MouseHook() override { Stop(); }
  Win32MouseHook(const Win32MouseHook&) = delete;
  Win32MouseHook& operator=(const Win32MouseHook&) = delete;

  bool Start(MouseHookShared& shared) override;
  void Stop() override;
  bool Running() const override { return thread_.Running(); }

 private:
  std::function<HWND()> mainWindow_;
  HookThread::Body body_;
  HookThread thread_;
};

}  // namespace tessary
