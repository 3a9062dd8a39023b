#pragma once

// Surfaces of kind kWindow on Win32: an ordinary (not layered) top-level popup that paints
// itself with Direct2D into its own window (at each presentation and WM_PAINT), can be
// activated and hosts live DWM thumbnails. The chooser panel lives in one.

#include <d2d1.h>
#include <windows.h>
#include <wrl/client.h>

#include "platform/surface.h"
#include <memory>

#include "platform/win32/icon_bitmap_cache.h"
#include "platform/win32/screen_backdrop_win32.h"
#include "platform/win32/surface_window_win32.h"
#include "platform/win32/text_formats_d2d.h"

namespace tessary {

class Win32WindowSurface : public Win32SurfaceWindow {
 public:
  Win32WindowSurface(HINSTANCE instance, ID2D1Factory* d2d, TextFormats& formats,
                     IconBitmapCache& icons)
      : instance_(instance), d2d_(d2d), formats_(formats), icons_(icons) {}
  ~Win32WindowSurface() override { Destroy(); }
  Win32WindowSurface(const Win32WindowSurface&) = delete;
  Win32WindowSurface& operator=(const Win32WindowSurface&) = delete;

  bool Create(const SurfaceOptions& options) override;
  // Not interactive: disabled, and the pointer passes through (a closing overview).
  void SetInteractive(bool interactive) override;
  // Keeps `paint` for WM_PAINT, places the window when it moved or was hidden
  // (SWP_NOACTIVATE | SWP_SHOWWINDOW: shown without activation) and draws at once.
  void Present(const Rect& rect, double scale, const PaintFunction& paint,
               SurfaceAnchor anchor) override;
  void SetOpacity(double /*opacity*/) override {}  // opaque
  void MoveTo(Point topLeft) override;
  void Destroy() override;

  HWND Handle() const { return window_; }
  int Paints() const { return paints_; }

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  bool RouteInput(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  bool EnsureTarget();
  void Render();

  HINSTANCE instance_;
  ID2D1Factory* d2d_;
  TextFormats& formats_;
  IconBitmapCache& icons_;
  // Bound to the window's own DC at each paint.
  Microsoft::WRL::ComPtr<ID2D1DCRenderTarget> target_;
  PaintFunction paint_;
  PixelSize pixels_;
  bool trackingLeave_ = false;
  bool interactive_ = true;
  // A backdrop surface copies the screen under it at its first presentation.
  bool wantsBackdrop_ = false;
  std::unique_ptr<ScreenBackdrop> backdrop_;
  int paints_ = 0;
};

}  // namespace tessary
