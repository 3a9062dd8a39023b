#include "platform/win32/window_access_win32.h"

#include <windows.h>
// After windows.h, which it builds on.
#include <dwmapi.h>

#include <cmath>
#include <map>

#include "platform/win32/handles.h"
#include "platform/win32/wide_text.h"

namespace tessary {
namespace {

constexpr UINT kAnswerMilliseconds = 200;
// A window that has just left a message unanswered is not asked again for this long: each
// question would cost the whole time-out, and the system calls it hung after 5 s anyway.
constexpr ULONGLONG kSilenceMilliseconds = 5000;
// How long a move waits for the window's app to carry it out.
constexpr UINT kMoveWaitMilliseconds = 250;
// After the app answered, how long the rectangle is watched for the move to show.
constexpr ULONGLONG kMoveShowMilliseconds = 50;

// Comes back once the window's thread reads its messages again (or at the time-out).
bool Answers(HWND hwnd, UINT milliseconds) {
  DWORD_PTR ignored = 0;
  return SendMessageTimeoutW(hwnd, WM_NULL, 0, 0, SMTO_ABORTIFHUNG | SMTO_BLOCK, milliseconds,
                             &ignored) != 0;
}

// SWP_ASYNCWINDOWPOS hands the request to the window's thread. A WM_NULL sent after it
// comes back once that thread has read its messages, by when the move is normally done;
// the rectangle is watched a moment longer for a thread that is slower to show it.
void WaitForMove(HWND hwnd, const RECT& before, const RECT& wanted) {
  if (EqualRect(&before, &wanted)) return;
  if (!Answers(hwnd, kMoveWaitMilliseconds)) return;
  const ULONGLONG deadline = GetTickCount64() + kMoveShowMilliseconds;
  RECT now{};
  while (GetWindowRect(hwnd, &now) && EqualRect(&now, &before) && GetTickCount64() < deadline) {
    Sleep(1);
  }
}

Rect FromRect(const RECT& rect) {
  return Rect::FromEdges(rect.left, rect.top, rect.right, rect.bottom);
}

// Some systems refuse SetWindowPlacement for another process's window although they move
// and show it (Wine does). The same effect in two steps: the show command, then, for a
// restored window, the normal rectangle moved from workspace into desktop coordinates.
bool EmulatePlacement(HWND hwnd, const WINDOWPLACEMENT& placement) {
  if (!IsWindow(hwnd)) return false;
  ShowWindow(hwnd, static_cast<int>(placement.showCmd));
  if (IsIconic(hwnd) || IsZoomed(hwnd)) return true;
  RECT normal = placement.rcNormalPosition;
  MONITORINFO monitor{};
  monitor.cbSize = sizeof(monitor);
  if (GetMonitorInfoW(MonitorFromRect(&normal, MONITOR_DEFAULTTONEAREST), &monitor)) {
    OffsetRect(&normal, monitor.rcWork.left - monitor.rcMonitor.left,
               monitor.rcWork.top - monitor.rcMonitor.top);
  }
  return SetWindowPos(hwnd, nullptr, normal.left, normal.top, normal.right - normal.left,
                      normal.bottom - normal.top,
                      SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER) != FALSE;
}

}  // namespace

bool AppNotResponding(WindowId window) {
  HWND hwnd = ToHwnd(window);
  if (hwnd == nullptr || !IsWindow(hwnd)) return false;
  if (GetWindowThreadProcessId(hwnd, nullptr) == GetCurrentThreadId()) return false;
  if (IsHungAppWindow(hwnd)) return true;
  // Asked from the main thread only.
  static std::map<HWND, ULONGLONG> silentUntil;
  const ULONGLONG now = GetTickCount64();
  std::erase_if(silentUntil, [now](const auto& entry) { return entry.second <= now; });
  if (silentUntil.contains(hwnd)) return true;
  if (Answers(hwnd, kAnswerMilliseconds) || !IsWindow(hwnd)) return false;
  silentUntil[hwnd] = GetTickCount64() + kSilenceMilliseconds;
  return true;
}

bool Win32WindowAccess::Exists(WindowId window) { return IsWindow(ToHwnd(window)) != FALSE; }

bool Win32WindowAccess::IsVisible(WindowId window) {
  return IsWindowVisible(ToHwnd(window)) != FALSE;
}

bool Win32WindowAccess::IsMinimized(WindowId window) { return IsIconic(ToHwnd(window)) != FALSE; }

bool Win32WindowAccess::IsMaximized(WindowId window) { return IsZoomed(ToHwnd(window)) != FALSE; }

bool Win32WindowAccess::IsCloaked(WindowId window) {
  DWORD cloaked = 0;
  HRESULT result = DwmGetWindowAttribute(ToHwnd(window), DWMWA_CLOAKED, &cloaked, sizeof(cloaked));
  return SUCCEEDED(result) && cloaked != 0;
}

WindowId Win32WindowAccess::Root(WindowId window) {
  HWND hwnd = ToHwnd(window);
  if (!IsWindow(hwnd)) return kNoWindow;
  return ToWindowId(GetAncestor(hwnd, GA_ROOT));
}

WindowId Win32WindowAccess::Owner(WindowId window) {
  return ToWindowId(GetWindow(ToHwnd(window), GW_OWNER));
}

std::uint32_t Win32WindowAccess::Style(WindowId window) {
  return static_cast<std::uint32_t>(GetWindowLongPtrW(ToHwnd(window), GWL_STYLE));
}

std::uint32_t Win32WindowAccess::ExStyle(WindowId window) {
  return static_cast<std::uint32_t>(GetWindowLongPtrW(ToHwnd(window), GWL_EXSTYLE));
}

ProcessId Win32WindowAccess::ProcessOf(WindowId window) {
  DWORD process = 0;
  if (GetWindowThreadProcessId(ToHwnd(window), &process) == 0) return kNoProcess;
  return ToProcessId(process);
}

std::string Win32WindowAccess::ClassName(WindowId window) {
  wchar_t name[64] = {};
  int length = GetClassNameW(ToHwnd(window), name, 64);
  if (length <= 0) return {};
  return Utf8FromWide(name, static_cast<std::size_t>(length));
}

std::string Win32WindowAccess::Title(WindowId window) {
  wchar_t title[256] = {};
  int length = GetWindowTextW(ToHwnd(window), title, 256);
  if (length <= 0) return {};
  return Utf8FromWide(title, static_cast<std::size_t>(length));
}

WindowId Win32WindowAccess::FindChild(WindowId window, const std::string& className) {
  HWND parent = ToHwnd(window);
  // FindWindowExW with a null parent searches the top-level windows; a child is asked for.
  if (parent == nullptr) return kNoWindow;
  std::wstring wide = WideFromUtf8(className);
  return ToWindowId(FindWindowExW(parent, nullptr, wide.c_str(), nullptr));
}

std::optional<Rect> Win32WindowAccess::WindowRect(WindowId window) {
  RECT rect{};
  if (!GetWindowRect(ToHwnd(window), &rect)) return std::nullopt;
  return FromRect(rect);
}

std::optional<Rect> Win32WindowAccess::ExtendedFrameBounds(WindowId window) {
  RECT rect{};
  HRESULT result =
      DwmGetWindowAttribute(ToHwnd(window), DWMWA_EXTENDED_FRAME_BOUNDS, &rect, sizeof(rect));
  if (FAILED(result)) return std::nullopt;
  return FromRect(rect);
}

std::optional<Rect> Win32WindowAccess::CaptionButtonBounds(WindowId window) {
  HWND hwnd = ToHwnd(window);
  RECT frame{};
  if (!GetWindowRect(hwnd, &frame)) return std::nullopt;
  RECT buttons{};
  if (SUCCEEDED(DwmGetWindowAttribute(hwnd, DWMWA_CAPTION_BUTTON_BOUNDS, &buttons,
                                      sizeof(buttons)))) {
    Rect r = FromRect(buttons);
    r.x += frame.left;
    r.y += frame.top;
    return r;
  }
  // Without the compositor's answer (Wine has none) the buttons are where the classic frame
  // draws them: system-sized, in the caption's top right corner inside the border.
  const LONG style = GetWindowLongW(hwnd, GWL_STYLE);
  if ((style & WS_CAPTION) != WS_CAPTION) return std::nullopt;
  RECT client{};
  POINT clientCorner{0, 0};
  if (!GetClientRect(hwnd, &client) || !ClientToScreen(hwnd, &clientCorner)) return std::nullopt;
  const double border = static_cast<double>(frame.right - (clientCorner.x + client.right));
  const double width = GetSystemMetrics(SM_CXSIZE);
  const double count = (style & WS_MAXIMIZEBOX) ? 3 : 2;
  return Rect{frame.right - border - width * count, frame.top + border, width * count,
              static_cast<double>(GetSystemMetrics(SM_CYSIZE))};
}

std::optional<int> Win32WindowAccess::HitTest(WindowId window, Point point) {
  const LPARAM where = MAKELPARAM(static_cast<short>(std::lround(point.x)),
                                  static_cast<short>(std::lround(point.y)));
  DWORD_PTR answer = 0;
  if (!SendMessageTimeoutW(ToHwnd(window), WM_NCHITTEST, 0, where, SMTO_ABORTIFHUNG, 50,
                           &answer)) {
    return std::nullopt;
  }
  return static_cast<int>(static_cast<LRESULT>(answer));
}

bool Win32WindowAccess::SetPosition(WindowId window, const PositionRequest& request) {
  HWND hwnd = ToHwnd(window);
  UINT flags = SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER | SWP_ASYNCWINDOWPOS;
  if (!request.move) flags |= SWP_NOMOVE;
  if (!request.size) flags |= SWP_NOSIZE;
  RECT before{};
  if (!request.async && (AppNotResponding(window) || !GetWindowRect(hwnd, &before))) return false;
  if (!SetWindowPos(hwnd, nullptr, request.x, request.y, request.width, request.height, flags)) {
    return false;
  }
  if (request.async) return true;
  RECT wanted = before;
  if (request.move) OffsetRect(&wanted, request.x - before.left, request.y - before.top);
  if (request.size) {
    wanted.right = wanted.left + request.width;
    wanted.bottom = wanted.top + request.height;
  }
  WaitForMove(hwnd, before, wanted);
  return true;
}

std::optional<WindowPlacement> Win32WindowAccess::Placement(WindowId window) {
  WINDOWPLACEMENT system{};
  system.length = sizeof(system);
  if (!GetWindowPlacement(ToHwnd(window), &system)) return std::nullopt;
  WindowPlacement placement;
  placement.left = system.rcNormalPosition.left;
  placement.top = system.rcNormalPosition.top;
  placement.right = system.rcNormalPosition.right;
  placement.bottom = system.rcNormalPosition.bottom;
  placement.show = static_cast<ShowCommand>(system.showCmd);
  return placement;
}

bool Win32WindowAccess::SetPlacement(WindowId window, const WindowPlacement& placement) {
  HWND hwnd = ToHwnd(window);
  // SetWindowPlacement has no asynchronous form: it waits for the app.
  if (AppNotResponding(window)) return false;
  WINDOWPLACEMENT system{};
  system.length = sizeof(system);
  // The minimized and maximized positions are not ours to change: keep what the window has.
  if (!GetWindowPlacement(hwnd, &system)) {
    system.ptMinPosition = POINT{-1, -1};
    system.ptMaxPosition = POINT{-1, -1};
  }
  system.length = sizeof(system);
  system.flags = 0;
  system.showCmd = static_cast<UINT>(placement.show);
  system.rcNormalPosition = RECT{placement.left, placement.top, placement.right, placement.bottom};
  if (SetWindowPlacement(hwnd, &system)) return true;
  return EmulatePlacement(hwnd, system);
}

bool Win32WindowAccess::Show(WindowId window, ShowCommand command) {
  HWND hwnd = ToHwnd(window);
  if (!IsWindow(hwnd) || AppNotResponding(window)) return false;
  // ShowWindow answers the previous visibility, not success: the call itself cannot fail
  // on an existing window.
  ShowWindow(hwnd, static_cast<int>(command));
  return true;
}

}  // namespace tessary
