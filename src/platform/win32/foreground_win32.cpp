#include "platform/win32/foreground_win32.h"

#include "base/log.h"

namespace tessary {

bool TakeForeground(HWND window, bool focus) {
  if (window == nullptr) return false;
  if (GetForegroundWindow() != window &&
      (!SetForegroundWindow(window) || GetForegroundWindow() != window)) {
    Log("foreground refused %p", static_cast<void*>(window));
    return false;
  }
  if (focus) SetFocus(window);
  return true;
}

}  // namespace tessary
