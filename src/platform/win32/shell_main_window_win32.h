#pragma once

// The program's hidden main window, class "TessaryMain", and the message loop of the main
// thread. Every message is offered first to the desktop backend (timers, window events,
// the Escape report), then, for WM_MEASUREITEM and WM_DRAWITEM, to the popup menus, and
// then to the shell's procedure; what nobody answers goes to DefWindowProcW.

#include <windows.h>

#include <functional>

#include "platform/main_window.h"
#include "platform/win32/win32_platform.h"

namespace tessary {

class Win32MainWindow : public MainWindow {
 public:
  Win32MainWindow(HINSTANCE instance, Win32Platform& platform)
      : instance_(instance), platform_(platform) {}
  ~Win32MainWindow() override;
  Win32MainWindow(const Win32MainWindow&) = delete;
  Win32MainWindow& operator=(const Win32MainWindow&) = delete;

  // Owner-drawn menu items: answers true when it measured or drew the item.
  void SetOwnerDrawHandler(std::function<bool(UINT message, LPARAM lParam)> handler) {
    ownerDraw_ = std::move(handler);
  }

  bool Create(MainWindowProcedure procedure) override;
  WindowId Handle() const override;
  std::uint32_t RegisterTaskbarCreated() override;
  bool Post(std::uint32_t message, std::uint64_t wParam, std::int64_t lParam) override;
  void Destroy() override;
  void Quit(int exitCode) override;
  void RunMessageLoop() override;

  HWND Window() const { return window_; }

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  HINSTANCE instance_;
  Win32Platform& platform_;
  MainWindowProcedure procedure_;
  std::function<bool(UINT, LPARAM)> ownerDraw_;
  HWND window_ = nullptr;
};

// The message loop's pre-filter for the program's dialog-like windows: true when it
// handled a WM_KEYDOWN itself (the message is then neither translated nor dispatched).
bool RouteDialogKey(const MSG& message);

}  // namespace tessary
