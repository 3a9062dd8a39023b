#include "platform/win32/surface_window_win32.h"

#include <windowsx.h>

#include "platform/win32/foreground_win32.h"
#include "platform/win32/frame_pacer.h"
#include "platform/win32/handles.h"

namespace tessary {

bool EnsureSurfaceClass(HINSTANCE instance, const std::wstring& name, WNDPROC procedure) {
  WNDCLASSEXW existing{sizeof(existing)};
  if (GetClassInfoExW(instance, name.c_str(), &existing)) return true;
  WNDCLASSEXW wc{sizeof(wc)};
  wc.lpfnWndProc = procedure;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = name.c_str();
  return RegisterClassExW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

Point ClientPointToDesktop(HWND window, LPARAM lParam) {
  POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  ClientToScreen(window, &point);
  return {static_cast<double>(point.x), static_cast<double>(point.y)};
}

WindowId Win32SurfaceWindow::Window() const { return ToWindowId(window_); }

void Win32SurfaceWindow::Hide() {
  if (!window_) return;
  const bool wasVisible = visible_;
  visible_ = false;  // first: hiding a focused surface deactivates it at once
  tooltip_.Set(window_, "", {});
  if (wasVisible) ShowWindow(window_, SW_HIDE);
}

void Win32SurfaceWindow::SubscribeFrames() {
  if (window_) FramePacer::Instance().Subscribe(window_, kFrameTimerId);
}

void Win32SurfaceWindow::UnsubscribeFrames() {
  if (window_) FramePacer::Instance().Unsubscribe(window_, kFrameTimerId);
}

void Win32SurfaceWindow::StartTimer(int id, std::uint32_t milliseconds) {
  if (window_ && id > kFrameTimerId)
    SetTimer(window_, static_cast<UINT_PTR>(id), milliseconds, nullptr);
}

void Win32SurfaceWindow::StopTimer(int id) {
  if (window_ && id > kFrameTimerId) KillTimer(window_, static_cast<UINT_PTR>(id));
}

bool Win32SurfaceWindow::TakeFocus() { return TakeForeground(window_, true); }

void Win32SurfaceWindow::DestroyWindowQuietly() {
  if (window_) {
    HWND window = window_;
    window_ = nullptr;
    accessible_.Detach();
    tooltip_.Destroy();
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    DestroyWindow(window);
  }
  input_ = nullptr;
  visible_ = false;
}

}  // namespace tessary
