#pragma once

// Handles and the plain ids that portable code sees: the id is the handle's value, so a
// conversion costs nothing and the same window always has the same id.

#include <windows.h>

#include <cstdint>

#include "platform/ids.h"

namespace tessary {

inline HWND ToHwnd(WindowId id) {
  return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(ToNumber(id)));
}
inline WindowId ToWindowId(HWND hwnd) {
  return WindowId{static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(hwnd))};
}

inline HMONITOR ToHmonitor(MonitorId id) {
  return reinterpret_cast<HMONITOR>(static_cast<std::uintptr_t>(ToNumber(id)));
}
inline MonitorId ToMonitorId(HMONITOR monitor) {
  return MonitorId{static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(monitor))};
}

inline HICON ToHicon(IconId id) {
  return reinterpret_cast<HICON>(static_cast<std::uintptr_t>(ToNumber(id)));
}
inline IconId ToIconId(HICON icon) {
  return IconId{static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(icon))};
}

inline DWORD ToProcessNumber(ProcessId id) { return static_cast<DWORD>(ToNumber(id)); }
inline ProcessId ToProcessId(DWORD process) {
  return ProcessId{static_cast<std::uint32_t>(process)};
}

// The object a window's procedure routes to: the creation parameter given to
// CreateWindowExW, kept in GWLP_USERDATA from WM_NCCREATE on; null before that.
template <typename T>
T* WindowOwner(HWND window, UINT message, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    void* owner = reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(owner));
  }
  return reinterpret_cast<T*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

}  // namespace tessary
