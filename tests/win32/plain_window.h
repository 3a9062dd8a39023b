#pragma once

// An ordinary window of this process filled with one colour, that counts the messages it
// receives (clicks that reach it, say). Asked to, it draws nothing when told to print
// itself, as windows drawn by the GPU do.

#include <windows.h>

#include <map>

namespace tessary::testing {

// A bare window of this process, hidden unless shown: something to own a hotkey or a tray
// record, an ordinary window the program must not manage, or one soon destroyed.
inline HWND ThrowawayWindow(DWORD style = WS_POPUP, HWND parent = nullptr) {
  return CreateWindowExW(0, L"STATIC", L"", style, 100, 100, 300, 200, parent, nullptr, nullptr,
                         nullptr);
}

class PlainWindow {
 public:
  PlainWindow(RECT rect, COLORREF colour, DWORD exStyle = 0) : brush_(CreateSolidBrush(colour)) {
    WNDCLASSEXW wc{sizeof(wc)};
    wc.lpfnWndProc = &PlainWindow::Procedure;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = L"TessaryTestPlainWindow";
    RegisterClassExW(&wc);  // fails harmlessly once registered
    window_ = CreateWindowExW(exStyle, wc.lpszClassName, L"plain", WS_POPUP | WS_VISIBLE, rect.left,
                              rect.top, rect.right - rect.left, rect.bottom - rect.top, nullptr,
                              nullptr, wc.hInstance, this);
    UpdateWindow(window_);
  }
  ~PlainWindow() {
    DestroyWindow(window_);
    DeleteObject(brush_);
  }
  PlainWindow(const PlainWindow&) = delete;
  PlainWindow& operator=(const PlainWindow&) = delete;

  HWND Handle() const { return window_; }
  int Count(UINT message) const {
    auto seen = seen_.find(message);
    return seen == seen_.end() ? 0 : seen->second;
  }
  int Clicks() const { return Count(WM_LBUTTONDOWN); }
  void RefusePrinting() { refusesPrinting_ = true; }

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
      const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
      SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<PlainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr) return DefWindowProcW(window, message, wParam, lParam);
    ++self->seen_[message];
    if (self->refusesPrinting_ && (message == WM_PRINT || message == WM_PRINTCLIENT)) return 0;
    if (message == WM_ERASEBKGND) {
      RECT client;
      GetClientRect(window, &client);
      FillRect(reinterpret_cast<HDC>(wParam), &client, self->brush_);
      return 1;
    }
    return DefWindowProcW(window, message, wParam, lParam);
  }

  HWND window_ = nullptr;
  HBRUSH brush_;
  bool refusesPrinting_ = false;
  std::map<UINT, int> seen_;
};

}  // namespace tessary::testing
