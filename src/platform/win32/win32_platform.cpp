#include "platform/win32/win32_platform.h"

#include "platform/main_window.h"

namespace tessary {

Win32Platform::Win32Platform()
    : platform_{displays_, windows_,  zOrder_,         input_, clock_,   timers_, processes_,
                icons_,    launcher_, systemSettings_, keys_,  prompts_, events_} {}

void Win32Platform::AttachMainWindow(HWND mainWindow) {
  mainWindow_ = mainWindow;
  input_.Attach(mainWindow);
  timers_.Attach(mainWindow);
  prompts_.Attach(mainWindow);
  events_.Attach(mainWindow);
}

bool Win32Platform::HandleMainWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM,
                                            LRESULT* result) {
  if (window == nullptr || window != mainWindow_) return false;
  if (message == WM_TIMER) {
    timers_.Deliver(wParam);
  } else if (message == main_window_message::kEscapePressed) {
    input_.DeliverEscape();
  } else if (message == events_.DeliveryMessage()) {
    events_.DeliverQueued();
  } else {
    // A new scale on the display of the (hidden) main window comes as WM_DPICHANGED only.
    if (message == WM_DISPLAYCHANGE || message == WM_DPICHANGED) {
      events_.OnSystemChange(WindowEventKind::kDisplayChange);
    } else if (message == WM_SETTINGCHANGE && wParam == SPI_SETWORKAREA) {
      events_.OnSystemChange(WindowEventKind::kWorkAreaChange);
    }
    return false;
  }
  if (result != nullptr) *result = 0;
  return true;
}

}  // namespace tessary
