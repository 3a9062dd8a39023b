#include "platform/win32/z_order_win32.h"

#include <windows.h>

#include <cmath>

#include "platform/win32/foreground_win32.h"
#include "platform/win32/handles.h"
#include "platform/win32/window_access_win32.h"

namespace tessary {
namespace {

// The z-order can change while it is walked; a window moved below the walk's position
// could be met again. No desktop has this many windows, so the walk always ends.
constexpr std::size_t kMaxWindows = 65536;

constexpr UINT kRestackFlags = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;

}  // namespace

void Win32ZOrder::TopLevelWindows(std::vector<WindowId>& out) {
  out.clear();
  for (HWND hwnd = GetTopWindow(nullptr); hwnd != nullptr && out.size() < kMaxWindows;
       hwnd = GetWindow(hwnd, GW_HWNDNEXT)) {
    out.push_back(ToWindowId(hwnd));
  }
}

WindowId Win32ZOrder::Foreground() { return ToWindowId(GetForegroundWindow()); }

bool Win32ZOrder::SetForeground(WindowId window) {
  return TakeForeground(ToHwnd(window), false);
}

bool Win32ZOrder::SetFocus(WindowId window) {
  HWND hwnd = ToHwnd(window);
  // SetFocus answers the previous focus, which may be null on success as well.
  ::SetFocus(hwnd);
  return hwnd != nullptr && GetFocus() == hwnd;
}

// A change of z-order waits for the window's app: none for one that is not responding.
bool Win32ZOrder::BringToTop(WindowId window) {
  if (AppNotResponding(window)) return false;
  return SetWindowPos(ToHwnd(window), HWND_TOP, 0, 0, 0, 0, kRestackFlags) != FALSE;
}

bool Win32ZOrder::PlaceBelow(WindowId window, WindowId insertAfter) {
  // A null insert-after window is HWND_TOP to the system: the opposite of what was asked.
  if (insertAfter == kNoWindow || AppNotResponding(window)) return false;
  return SetWindowPos(ToHwnd(window), ToHwnd(insertAfter), 0, 0, 0, 0, kRestackFlags) != FALSE;
}

bool Win32ZOrder::SendToBottom(WindowId window) {
  if (AppNotResponding(window)) return false;
  return SetWindowPos(ToHwnd(window), HWND_BOTTOM, 0, 0, 0, 0, kRestackFlags) != FALSE;
}

WindowId Win32ZOrder::WindowAt(Point point) {
  POINT system{static_cast<LONG>(std::floor(point.x)), static_cast<LONG>(std::floor(point.y))};
  return ToWindowId(WindowFromPoint(system));
}

}  // namespace tessary
