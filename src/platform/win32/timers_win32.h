#pragma once

// Timers on the program's main window (SetTimer). The main window's procedure hands its
// WM_TIMER messages to Deliver, from the message loop.

#include <windows.h>

#include "platform/timers.h"

namespace tessary {

class Win32Timers : public Timers {
 public:
  // Timers need the window that owns them; until one is attached, Start answers false.
  void Attach(HWND mainWindow) { mainWindow_ = mainWindow; }

  void SetTimerHandler(std::function<void(int id)> handler) override;
  bool Start(int id, std::uint32_t periodMilliseconds) override;
  void Stop(int id) override;

  // One WM_TIMER of the main window.
  void Deliver(WPARAM id);

 private:
  HWND mainWindow_ = nullptr;
  std::function<void(int id)> handler_;
};

}  // namespace tessary
