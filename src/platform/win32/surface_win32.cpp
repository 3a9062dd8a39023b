#include "platform/win32/surface_win32.h"

#include <windowsx.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "base/log.h"
#include "platform/win32/canvas_d2d.h"
#include "platform/win32/dialog_window_win32.h"
#include "platform/win32/frame_pacer.h"
#include "platform/win32/handles.h"
#include "platform/win32/top_down_bitmap.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/window_surface_win32.h"

namespace tessary {
namespace {

constexpr LONG_PTR kPassThrough = WS_EX_TRANSPARENT | WS_EX_NOACTIVATE;

HWND InsertAfter(SurfaceAnchor anchor) {
  switch (anchor.kind) {
    case SurfaceAnchor::Kind::kTopmost:
      return HWND_TOPMOST;
    case SurfaceAnchor::Kind::kTop:
      return HWND_TOP;
    case SurfaceAnchor::Kind::kBelow:
      return ToHwnd(anchor.window);
  }
  return HWND_TOPMOST;
}

void SetPointerShape(PointerShape shape) {
  LPCWSTR name = IDC_ARROW;
  if (shape == PointerShape::kSizeNorthSouth) name = IDC_SIZENS;
  if (shape == PointerShape::kSizeWestEast) name = IDC_SIZEWE;
  SetCursor(LoadCursorW(nullptr, name));
}

}  // namespace

bool Win32Surface::Create(const SurfaceOptions& options) {
  if (window_ || !d2d_) return window_ != nullptr;
  input_ = options.input;
  clickable_ = options.clickable && !options.interactive;
  std::wstring className = WideFromUtf8(options.className);
  if (className.empty()) {
    className = options.input ? L"TessarySurfaceInteractive" : L"TessarySurface";
  }
  if (!EnsureSurfaceClass(instance_, className, &Win32Surface::Procedure)) return false;

  DWORD exStyle = WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE;
  if (!options.interactive && !clickable_) exStyle |= WS_EX_TRANSPARENT;
  if (options.topmost) exStyle |= WS_EX_TOPMOST;
  const std::wstring title = WideFromUtf8(options.title);
  window_ = CreateWindowExW(exStyle, className.c_str(), title.c_str(), WS_POPUP, 0, 0, 1, 1,
                            nullptr, nullptr, instance_, this);
  if (!window_) return false;
  accessible_.Attach(window_);

  dc_ = CreateCompatibleDC(nullptr);
  const D2D1_RENDER_TARGET_PROPERTIES properties = D2D1::RenderTargetProperties(
      D2D1_RENDER_TARGET_TYPE_SOFTWARE,
      D2D1::PixelFormat(DXGI_FORMAT_B8G8R8A8_UNORM, D2D1_ALPHA_MODE_PREMULTIPLIED), 96.0f, 96.0f,
      D2D1_RENDER_TARGET_USAGE_NONE, D2D1_FEATURE_LEVEL_DEFAULT);
  if (!dc_ || FAILED(d2d_->CreateDCRenderTarget(&properties, target_.GetAddressOf()))) {
    Destroy();
    return false;
  }
  // ClearType needs an opaque background to blend against; over transparent pixels it
  // leaves coloured fringes, so surfaces use greyscale antialiasing.
  target_->SetTextAntialiasMode(D2D1_TEXT_ANTIALIAS_MODE_GRAYSCALE);
  icons_.Register(target_.Get());
  return true;
}

void Win32Surface::SetInteractive(bool interactive) {
  if (!window_) return;
  LONG_PTR style = GetWindowLongPtrW(window_, GWL_EXSTYLE);
  if (interactive) {
    style &= ~kPassThrough;
  } else {
    style |= clickable_ ? WS_EX_NOACTIVATE : kPassThrough;
  }
  SetWindowLongPtrW(window_, GWL_EXSTYLE, style);
}

bool Win32Surface::EnsureBitmap(PixelSize needed) {
  if (bitmap_ && allocated_.width >= needed.width && allocated_.height >= needed.height) {
    return true;
  }
  const PixelSize size{GrowBitmapExtent(needed.width, allocated_.width),
                       GrowBitmapExtent(needed.height, allocated_.height)};
  BITMAPINFO info = TopDownBitmapInfo(size.width, size.height);
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!bitmap || !bits) {
    if (bitmap) DeleteObject(bitmap);
    return bitmap_ != nullptr;  // the old, smaller bitmap stays in use
  }
  HGDIOBJ previous = SelectObject(dc_, bitmap);
  if (bitmap_) {
    DeleteObject(bitmap_);
  } else {
    originalBitmap_ = previous;
  }
  bitmap_ = bitmap;
  pixels_ = static_cast<std::uint32_t*>(bits);
  allocated_ = size;
  return true;
}

HRESULT Win32Surface::Draw(PixelSize pixels, double scale, const PaintFunction& paint) {
  const RECT bounds{0, 0, pixels.width, pixels.height};
  target_->BindDC(dc_, &bounds);
  const FLOAT dpi = static_cast<FLOAT>(scale * 96.0);
  target_->SetDpi(dpi, dpi);
  target_->BeginDraw();
  target_->Clear(D2D1::ColorF(0, 0, 0, 0));
  MarkPerformance("bind");
  if (paint) {
    D2DCanvas canvas(target_.Get(), formats_, icons_);
    paint(canvas, pixels.width / scale, pixels.height / scale);
  }
  MarkPerformance("paint");
  const HRESULT drawn = target_->EndDraw();
  MarkPerformance("end-draw");
  return drawn;
}

bool Win32Surface::NeedsPlacement(SurfaceAnchor anchor) const {
  ZOrderFacts facts;
  facts.wasVisible = visible_;
  facts.systemVisible = IsWindowVisible(window_) != FALSE;
  facts.last = anchor_;
  facts.requested = anchor;
  HWND above = GetWindow(window_, GW_HWNDPREV);
  facts.windowAbove = ToWindowId(above);
  facts.windowAboveTopmost = above && (GetWindowLongPtrW(above, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
  return NeedsZOrderPlacement(facts);
}

void Win32Surface::Present(const Rect& rect, double scale, const PaintFunction& paint,
                           SurfaceAnchor anchor) {
  PixelSize pixels;
  if (Render(rect, scale, paint, pixels)) Show(rect, SanitizeScale(scale), pixels, anchor);
}

void Win32Surface::Prepare(const Rect& rect, double scale, const PaintFunction& paint) {
  PixelSize pixels;
  Render(rect, scale, paint, pixels);
}

bool Win32Surface::PresentAgain(const Rect& rect, double scale, SurfaceAnchor anchor) {
  scale = SanitizeScale(scale);
  if (!window_ || !(held_ == SurfacePixelSize(rect)) || heldScale_ != scale) return false;
  Show(rect, scale, held_, anchor);
  return true;
}

bool Win32Surface::Render(const Rect& rect, double scale, const PaintFunction& paint,
                          PixelSize& pixels) {
  if (!window_) return false;
  scale = SanitizeScale(scale);
  pixels = SurfacePixelSize(rect);
  if (!EnsureBitmap(pixels)) return false;
  MarkPerformance("bitmap");
  // After a failed allocation the old bitmap is all there is: show what fits in it.
  pixels.width = std::min(pixels.width, allocated_.width);
  pixels.height = std::min(pixels.height, allocated_.height);

  if (FAILED(Draw(pixels, scale, paint))) {
    // The target lost its resources (for example D2DERR_RECREATE_TARGET): its cached icon
    // bitmaps are dead, and one more try usually succeeds.
    icons_.Drop(target_.Get());
    icons_.Register(target_.Get());
    Draw(pixels, scale, paint);
  }
  // Only the requested size counts as held: after a failed allocation it was cut.
  held_ = pixels == SurfacePixelSize(rect) ? pixels : PixelSize{0, 0};
  heldScale_ = scale;
  return true;
}

void Win32Surface::Show(const Rect& rect, double scale, PixelSize pixels, SurfaceAnchor anchor) {
  const int x = static_cast<int>(std::lround(std::isfinite(rect.x) ? rect.x : 0.0));
  const int y = static_cast<int>(std::lround(std::isfinite(rect.y) ? rect.y : 0.0));
  POINT position{x, y};
  SIZE size{pixels.width, pixels.height};
  POINT source{0, 0};
  BLENDFUNCTION blend{AC_SRC_OVER, 0, alpha_, AC_SRC_ALPHA};
  UpdateLayeredWindow(window_, nullptr, &position, &size, dc_, &source, 0, &blend, ULW_ALPHA);
  MarkPerformance("present");

  if (NeedsPlacement(anchor)) {
    SetWindowPos(window_, InsertAfter(anchor), x, y, pixels.width, pixels.height,
                 SWP_NOACTIVATE | SWP_SHOWWINDOW);
    ++placements_;
    MarkPerformance("place");
  }
  rect_ = rect;
  shown_ = pixels;
  anchor_ = anchor;
  scale_ = scale;
  visible_ = true;
}

void Win32Surface::SetOpacity(double opacity) {
  alpha_ = OpacityToAlpha(opacity);
  if (!window_ || !bitmap_) return;
  // The bitmap still holds the last presentation, so handing it over again changes
  // nothing on Windows, while Wine ignores an update that carries only the blend.
  SIZE size{shown_.width, shown_.height};
  POINT source{0, 0};
  BLENDFUNCTION blend{AC_SRC_OVER, 0, alpha_, AC_SRC_ALPHA};
  UpdateLayeredWindow(window_, nullptr, nullptr, &size, dc_, &source, 0, &blend, ULW_ALPHA);
}

void Win32Surface::MoveTo(Point topLeft) {
  if (!window_ || !visible_) return;
  POINT position{static_cast<LONG>(std::lround(topLeft.x)),
                 static_cast<LONG>(std::lround(topLeft.y))};
  BLENDFUNCTION blend{AC_SRC_OVER, 0, alpha_, AC_SRC_ALPHA};
  UpdateLayeredWindow(window_, nullptr, &position, nullptr, nullptr, nullptr, 0, &blend, ULW_ALPHA);
  rect_.x = position.x;
  rect_.y = position.y;
}

void Win32Surface::Destroy() {
  if (window_) FramePacer::Instance().Unsubscribe(window_, kFrameTimerId);
  if (target_) {
    icons_.Drop(target_.Get());
    target_.Reset();
  }
  if (dc_) {
    if (originalBitmap_) SelectObject(dc_, originalBitmap_);
    DeleteDC(dc_);
    dc_ = nullptr;
  }
  if (bitmap_) {
    DeleteObject(bitmap_);
    bitmap_ = nullptr;
  }
  originalBitmap_ = nullptr;
  pixels_ = nullptr;
  allocated_ = {0, 0};
  held_ = {0, 0};
  DestroyWindowQuietly();
}

LRESULT CALLBACK Win32Surface::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* surface = WindowOwner<Win32Surface>(window, message, lParam);
  if (!surface || surface->window_ != window) {
    // Before Create has the handle, or after Destroy let go of it.
    if (message == WM_MOUSEACTIVATE) return MA_NOACTIVATE;
    return DefWindowProcW(window, message, wParam, lParam);
  }
  return surface->Handle(window, message, wParam, lParam);
}

LRESULT Win32Surface::Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (LRESULT answer = 0; AnswerAccessibility(message, wParam, lParam, answer)) return answer;
  if (message == WM_MOUSEACTIVATE) {
    return input_ && input_->ActivateOnClick() ? MA_ACTIVATE : MA_NOACTIVATE;
  }
  if (!input_) return DefWindowProcW(window, message, wParam, lParam);
  switch (message) {
    case WM_TIMER:
      input_->OnTimer(static_cast<int>(wParam));
      return 0;
    case WM_KEYDOWN:
      input_->OnKeyDown(static_cast<std::uint32_t>(wParam));
      return 0;
    case WM_MOUSEMOVE:
      input_->OnPointerMove(ClientPointToDesktop(window, lParam));
      SetPointerShape(input_->Shape());
      return 0;
    case WM_SETCURSOR:
      if (LOWORD(lParam) != HTCLIENT) break;
      SetPointerShape(input_->Shape());
      return TRUE;
    case WM_LBUTTONDOWN:
      if (input_->CapturesPointer()) SetCapture(window);
      input_->OnPointerPress(ClientPointToDesktop(window, lParam));
      return 0;
    case WM_LBUTTONUP:
      input_->OnPointerRelease(ClientPointToDesktop(window, lParam));
      // Only now: letting go first would report a lost capture and cancel the release.
      if (GetCapture() == window) ReleaseCapture();
      return 0;
    case WM_RBUTTONUP:
      input_->OnSecondaryRelease(ClientPointToDesktop(window, lParam),
                                 (GetKeyState(VK_MENU) & 0x8000) != 0);
      return 0;
    case WM_CAPTURECHANGED:
      input_->OnCaptureLost();
      break;
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) {
        input_->OnDeactivate();
      } else {
        input_->OnFocusChange(true);  // a click gave it the foreground it was refused
      }
      break;
    default:
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

std::unique_ptr<Win32Surface> Win32SurfaceFactory::NewWin32Surface() {
  return std::make_unique<Win32Surface>(instance_, graphics_.Direct2D(), formats_, icons_);
}

std::unique_ptr<Surface> Win32SurfaceFactory::NewSurface() { return NewWin32Surface(); }

std::unique_ptr<DialogWindow> Win32SurfaceFactory::NewDialogWindow() {
  return std::make_unique<Win32DialogWindow>(instance_, graphics_.Direct2D(), formats_, icons_);
}

std::unique_ptr<Surface> Win32SurfaceFactory::NewWindowSurface() {
  return std::make_unique<Win32WindowSurface>(instance_, graphics_.Direct2D(), formats_, icons_);
}

}  // namespace tessary
