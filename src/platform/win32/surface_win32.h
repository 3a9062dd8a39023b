#pragma once

// Surfaces on Win32: layered per-pixel-alpha popups painted in software by Direct2D into a
// DIB section and handed to the system with UpdateLayeredWindow. The factory holds what
// all surfaces share (the text formats, the icon bitmap cache) and must outlive them.

#include <d2d1.h>
#include <windows.h>
#include <wrl/client.h>

#include <cstdint>
#include <memory>

#include "platform/surface.h"
#include "platform/win32/graphics_factories.h"
#include "platform/win32/icon_bitmap_cache.h"
#include "platform/win32/surface_window_win32.h"
#include "platform/win32/text_formats_d2d.h"
#include "platform/win32/thumbnails_win32.h"
#include "platform/win32/transition_gpu_win32.h"
#include "platform/win32/window_images_win32.h"

namespace tessary {

class Win32Surface : public Win32SurfaceWindow {
 public:
  Win32Surface(HINSTANCE instance, ID2D1Factory* d2d, TextFormats& formats, IconBitmapCache& icons)
      : instance_(instance), d2d_(d2d), formats_(formats), icons_(icons) {}
  ~Win32Surface() override { Destroy(); }
  Win32Surface(const Win32Surface&) = delete;
  Win32Surface& operator=(const Win32Surface&) = delete;

  bool Create(const SurfaceOptions& options) override;
  void SetInteractive(bool interactive) override;
  void Present(const Rect& rect, double scale, const PaintFunction& paint,
               SurfaceAnchor anchor) override;
  void Prepare(const Rect& rect, double scale, const PaintFunction& paint) override;
  bool PresentAgain(const Rect& rect, double scale, SurfaceAnchor anchor) override;
  void SetOpacity(double opacity) override;
  void MoveTo(Point topLeft) override;
  void Destroy() override;

  // The memory bitmap as last drawn: premultiplied BGRA, top-down rows of
  // Allocated().width pixels. Null before the first presentation.
  const std::uint32_t* Pixels() const { return pixels_; }
  PixelSize Allocated() const { return allocated_; }
  // How many presentations had to place the window in the z-order.
  int Placements() const { return placements_; }
  HWND Handle() const { return window_; }

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  bool EnsureBitmap(PixelSize needed);
  HRESULT Draw(PixelSize pixels, double scale, const PaintFunction& paint);
  bool NeedsPlacement(SurfaceAnchor anchor) const;
  // Present's halves: drawing into the memory (false when there is no bitmap) and handing
  // the memory's top-left `pixels` to the window.
  bool Render(const Rect& rect, double scale, const PaintFunction& paint, PixelSize& pixels);
  void Show(const Rect& rect, double scale, PixelSize pixels, SurfaceAnchor anchor);

  HINSTANCE instance_;
  ID2D1Factory* d2d_;
  TextFormats& formats_;
  IconBitmapCache& icons_;
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ originalBitmap_ = nullptr;
  std::uint32_t* pixels_ = nullptr;
  PixelSize allocated_{0, 0};
  PixelSize shown_;  // the window's size at the last presentation
  // What the memory holds: a drawing of this size at this scale (none before the first).
  PixelSize held_{0, 0};
  double heldScale_ = 0;
  Microsoft::WRL::ComPtr<ID2D1DCRenderTarget> target_;
  bool clickable_ = false;
  std::uint8_t alpha_ = 255;
  SurfaceAnchor anchor_;
  int placements_ = 0;
};

class Win32SurfaceFactory : public SurfaceFactory {
 public:
  // `graphics` must be created and outlive the factory, which outlives its surfaces.
  Win32SurfaceFactory(HINSTANCE instance, GraphicsFactories& graphics)
      : instance_(instance),
        graphics_(graphics),
        formats_(graphics.DirectWrite()),
        transitions_(instance) {}

  std::unique_ptr<Surface> NewSurface() override;
  TextMeasurer& Text() override { return formats_; }
  // Real windows painted with Direct2D (window_surface_win32.h).
  std::unique_ptr<Surface> NewWindowSurface() override;
  WindowThumbnails* Thumbnails() override { return &thumbnails_; }
  // Captioned windows with system controls (dialog_window_win32.h).
  std::unique_ptr<DialogWindow> NewDialogWindow() override;
  // Direct3D 11 overlays and PrintWindow images (transition_gpu_win32.h).
  TransitionGpu* Transitions() override { return &transitions_; }
  WindowImages* Images() override { return &images_; }

  std::unique_ptr<Win32Surface> NewWin32Surface();
  TextFormats& Formats() { return formats_; }
  IconBitmapCache& Icons() { return icons_; }

 private:
  HINSTANCE instance_;
  GraphicsFactories& graphics_;
  TextFormats formats_;
  IconBitmapCache icons_;
  Win32Thumbnails thumbnails_;
  Win32TransitionGpu transitions_;
  Win32WindowImages images_;
};

}  // namespace tessary
