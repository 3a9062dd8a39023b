#pragma once

// What both kinds of Win32 surface share: the window and the view it routes to, frames and
// timers, focus, hiding, and a destruction no message of which reaches the view. The
// layered overlays (surface_win32.h) and the ordinary top-level windows
// (window_surface_win32.h) build on it.

#include <windows.h>

#include <cstdint>
#include <string>

#include "platform/surface.h"
#include "platform/win32/accessible_surface_win32.h"
#include "platform/win32/tooltip_win32.h"

namespace tessary {

// Registers a surface window class on first use (arrow cursor); true when it exists.
bool EnsureSurfaceClass(HINSTANCE instance, const std::wstring& name, WNDPROC procedure);
// The client point of a mouse message in desktop pixels.
Point ClientPointToDesktop(HWND window, LPARAM lParam);

class Win32SurfaceWindow : public Surface {
 public:
  bool IsCreated() const override { return window_ != nullptr; }
  bool Visible() const override { return visible_; }
  Rect Bounds() const override { return rect_; }
  double Scale() const override { return scale_; }
  WindowId Window() const override;
  // Takes the tooltip down with the surface.
  void Hide() override;
  void SubscribeFrames() override;
  void UnsubscribeFrames() override;
  // Id 1 belongs to the frame ticks.
  void StartTimer(int id, std::uint32_t milliseconds) override;
  void StopTimer(int id) override;
  bool TakeFocus() override;
  void Describe(const AccessibleView& view) override { accessible_.Describe(view); }
  void SetTooltip(const std::string& text, const Rect& item) override {
    tooltip_.Set(window_, text, item);
  }

 protected:
  // Lets go of the window before destroying it (which also stops its timers), so that a
  // view that may be half torn down hears nothing more; forgets the view.
  void DestroyWindowQuietly();
  // WM_GETOBJECT for the client area, once the view has described itself.
  bool AnswerAccessibility(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    return message == WM_GETOBJECT && accessible_.Answer(wParam, lParam, result);
  }

  AccessibleSurface accessible_;
  Win32Tooltip tooltip_;
  SurfaceInput* input_ = nullptr;
  HWND window_ = nullptr;
  bool visible_ = false;
  Rect rect_;
  double scale_ = 1;
};

}  // namespace tessary
