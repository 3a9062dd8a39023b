#include "platform/win32/window_surface_win32.h"

#include <dwmapi.h>
#include <windowsx.h>

#include <cmath>

#include "base/log.h"
#include "platform/win32/canvas_d2d.h"
#include "platform/win32/frame_pacer.h"
#include "platform/win32/handles.h"
#include "platform/win32/wide_text.h"

namespace tessary {
namespace {

// Newer than some SDK headers.
constexpr DWORD kDwmUseImmersiveDarkMode = 20;     // DWMWA_USE_IMMERSIVE_DARK_MODE
constexpr DWORD kDwmWindowCornerPreference = 33;   // DWMWA_WINDOW_CORNER_PREFERENCE
constexpr DWORD kDwmCornerRound = 2;               // DWMWCP_ROUND
constexpr DWORD kDwmCornerSquare = 1;              // DWMWCP_DONOTROUND
constexpr DWORD kDwmTransitionsForceDisabled = 3;  // DWMWA_TRANSITIONS_FORCEDISABLED

}  // namespace

bool Win32WindowSurface::Create(const SurfaceOptions& options) {
  if (window_ || !d2d_) return window_ != nullptr;
  input_ = options.input;
  std::wstring className = WideFromUtf8(options.className);
  if (className.empty()) className = L"TessaryWindowSurface";
  if (!EnsureSurfaceClass(instance_, className, &Win32WindowSurface::Procedure)) return false;
  DWORD exStyle = WS_EX_TOOLWINDOW;
  if (options.topmost) exStyle |= WS_EX_TOPMOST;
  const std::wstring title = WideFromUtf8(options.title);
  window_ = CreateWindowExW(exStyle, className.c_str(), title.c_str(), WS_POPUP, 0, 0, 1, 1,
                            nullptr, nullptr, instance_, this);
  if (!window_) return false;
  accessible_.Attach(window_);
  wantsBackdrop_ = options.backdrop;
  interactive_ = true;
  const DWORD corners = wantsBackdrop_ ? kDwmCornerSquare : kDwmCornerRound;
  DwmSetWindowAttribute(window_, kDwmWindowCornerPreference, &corners, sizeof(corners));
  if (wantsBackdrop_) {
    const BOOL disabled = TRUE;
    DwmSetWindowAttribute(window_, kDwmTransitionsForceDisabled, &disabled, sizeof(disabled));
  }
  if (options.darkFrame) {
    const BOOL dark = TRUE;
    DwmSetWindowAttribute(window_, kDwmUseImmersiveDarkMode, &dark, sizeof(dark));
  }
  return true;
}

bool Win32WindowSurface::EnsureTarget() {
  if (target_) return true;
  // A DC render target bound to the window's own DC at each paint. A window render target
  // (ID2D1HwndRenderTarget) would do on Windows, but under Wine its drawing never reaches
  // the screen; this one draws the same on both.
  const D2D1_RENDER_TARGET_PROPERTIES properties = D2D1::RenderTargetProperties(
      D2D1_RENDER_TARGET_TYPE_DEFAULT,
      D2D1::PixelFormat(DXGI_FORMAT_B8G8R8A8_UNORM, D2D1_ALPHA_MODE_IGNORE));
  if (FAILED(d2d_->CreateDCRenderTarget(&properties, target_.GetAddressOf()))) return false;
  icons_.Register(target_.Get());
  return true;
}

void Win32WindowSurface::Render() {
  if (!window_ || !paint_ || !EnsureTarget()) return;
  HDC dc = GetDC(window_);
  const RECT bounds{0, 0, pixels_.width, pixels_.height};
  target_->BindDC(dc, &bounds);
  const FLOAT dpi = static_cast<FLOAT>(scale_ * 96.0);
  target_->SetDpi(dpi, dpi);
  target_->BeginDraw();
  target_->Clear(D2D1::ColorF(D2D1::ColorF::White));
  D2DCanvas canvas(target_.Get(), formats_, icons_, backdrop_.get());
  paint_(canvas, pixels_.width / scale_, pixels_.height / scale_);
  const HRESULT drawn = target_->EndDraw();
  ReleaseDC(window_, dc);
  ++paints_;
  if (FAILED(drawn)) {
    Log("panel EndDraw %08x", static_cast<unsigned>(drawn));
    // The target lost its device: the next paint makes a new one.
    icons_.Drop(target_.Get());
    if (backdrop_) backdrop_->DropBitmaps();
    target_.Reset();
  }
}

void Win32WindowSurface::SetInteractive(bool interactive) {
  if (!window_) return;
  interactive_ = interactive;
  EnableWindow(window_, interactive ? TRUE : FALSE);
}

void Win32WindowSurface::Present(const Rect& rect, double scale, const PaintFunction& paint,
                                 SurfaceAnchor anchor) {
  if (!window_) return;
  scale_ = SanitizeScale(scale);
  paint_ = paint;
  const PixelSize pixels = SurfacePixelSize(rect);
  const int x = static_cast<int>(std::lround(rect.x));
  const int y = static_cast<int>(std::lround(rect.y));
  if (wantsBackdrop_ && !backdrop_) {
    // Before the window covers it.
    backdrop_ = std::make_unique<ScreenBackdrop>();
    backdrop_->Capture({x, y, x + pixels.width, y + pixels.height});
  }
  if (!visible_ || !(pixels == pixels_) || rect.x != rect_.x || rect.y != rect_.y) {
    const HWND after = anchor.kind == SurfaceAnchor::Kind::kTopmost ? HWND_TOPMOST : HWND_TOP;
    SetWindowPos(window_, after, x, y, pixels.width, pixels.height, SWP_NOACTIVATE | SWP_SHOWWINDOW);
  }
  pixels_ = pixels;
  rect_ = rect;
  visible_ = true;
  Render();
  ValidateRect(window_, nullptr);
}

void Win32WindowSurface::MoveTo(Point topLeft) {
  if (!window_ || !visible_) return;
  SetWindowPos(window_, nullptr, static_cast<int>(std::lround(topLeft.x)),
               static_cast<int>(std::lround(topLeft.y)), 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  rect_.x = std::round(topLeft.x);
  rect_.y = std::round(topLeft.y);
}

void Win32WindowSurface::Destroy() {
  if (window_) FramePacer::Instance().Unsubscribe(window_, kFrameTimerId);
  if (target_) icons_.Drop(target_.Get());
  target_.Reset();
  backdrop_.reset();
  paint_ = nullptr;
  DestroyWindowQuietly();
}

LRESULT CALLBACK Win32WindowSurface::Procedure(HWND window, UINT message, WPARAM wParam,
                                               LPARAM lParam) {
  auto* surface = WindowOwner<Win32WindowSurface>(window, message, lParam);
  if (!surface || surface->window_ != window) return DefWindowProcW(window, message, wParam, lParam);
  return surface->Handle(window, message, wParam, lParam);
}

LRESULT Win32WindowSurface::Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (LRESULT answer = 0; AnswerAccessibility(message, wParam, lParam, answer)) return answer;
  switch (message) {
    case WM_ERASEBKGND:
      return 1;  // the paint covers everything
    case WM_PAINT: {
      PAINTSTRUCT ps;
      BeginPaint(window, &ps);
      Render();
      EndPaint(window, &ps);
      return 0;
    }
    case WM_MOUSEACTIVATE:
      return input_ && input_->ActivateOnClick() ? MA_ACTIVATE : MA_NOACTIVATE;
    case WM_NCHITTEST:
      if (!interactive_) return HTTRANSPARENT;
      break;
    case WM_SYSKEYDOWN:
      // Keys held with Alt (the shortcut that opened a view may still be down) reach the
      // view too; the system still sees them (Alt+F4, the window menu).
      if (input_) input_->OnKeyDown(static_cast<std::uint32_t>(wParam));
      break;
    default:
      break;
  }
  if (input_ && RouteInput(window, message, wParam, lParam)) return 0;
  return DefWindowProcW(window, message, wParam, lParam);
}

bool Win32WindowSurface::RouteInput(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_TIMER:
      input_->OnTimer(static_cast<int>(wParam));
      return true;
    case WM_KEYDOWN:
      input_->OnKeyDown(static_cast<std::uint32_t>(wParam));
      return true;
    case WM_MOUSEMOVE:
      if (!trackingLeave_) {
        TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, window, 0};
        trackingLeave_ = TrackMouseEvent(&track) != FALSE;
      }
      input_->OnPointerMove(ClientPointToDesktop(window, lParam));
      return true;
    case WM_MOUSELEAVE:
      trackingLeave_ = false;
      input_->OnPointerLeave();
      return true;
    case WM_LBUTTONDOWN:
      input_->OnPointerPress(ClientPointToDesktop(window, lParam));
      return true;
    case WM_LBUTTONUP:
      input_->OnPointerRelease(ClientPointToDesktop(window, lParam));
      return true;
    case WM_RBUTTONUP:
      input_->OnSecondaryRelease(ClientPointToDesktop(window, lParam), GetKeyState(VK_MENU) < 0);
      return true;
    case WM_MOUSEWHEEL:
      input_->OnWheel(GET_WHEEL_DELTA_WPARAM(wParam));
      return true;
    case WM_SETFOCUS:
      input_->OnFocusChange(true);
      return true;
    case WM_KILLFOCUS:
      input_->OnFocusChange(false);
      return true;
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) input_->OnDeactivate();
      return false;
    default:
      return false;
  }
}

}  // namespace tessary
