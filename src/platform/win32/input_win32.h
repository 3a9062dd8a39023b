#pragma once

// Cursor, buttons and keys (GetCursorPos, GetAsyncKeyState), and the Escape watch: a
// low-level keyboard hook on a thread of its own, so a busy main thread never delays
// other applications' keystrokes.

#include <windows.h>

#include "platform/input.h"
#include "platform/win32/hook_thread_win32.h"

namespace tessary {

class Win32Input : public Input {
 public:
  Win32Input();
  // With another thread body in place of the Escape hook's (a thread that hangs, say).
  explicit Win32Input(HookThread::Body escapeHook) : escapeHook_(std::move(escapeHook)) {}
  ~Win32Input() override;
  Win32Input(const Win32Input&) = delete;
  Win32Input& operator=(const Win32Input&) = delete;

  // The window that receives the watch's reports; until one is attached the watch cannot
  // start.
  void Attach(HWND mainWindow) { mainWindow_ = mainWindow; }

  Point CursorPosition() override;
  bool IsKeyDown(Key key) override;
  bool StartEscapeWatch(std::function<void()> onEscape) override;
  void StopEscapeWatch() override;

  // One main_window_message::kEscapePressed of the main window. Reports that were posted before the
  // watch stopped are still delivered: their key presses were swallowed and the handler
  // decides whether to send them on.
  void DeliverEscape();

 private:
  HWND mainWindow_ = nullptr;
  std::function<void()> onEscape_;
  HookThread::Body escapeHook_;
  HookThread hookThread_;
};

}  // namespace tessary
