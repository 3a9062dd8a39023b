#pragma once

// Surfaces: the borderless, layered, per-pixel-alpha top-level windows that everything
// the program draws over the desktop lives in (picker, outline, drop menu, toast, ...).
// A view owns one surface, creates it once and then only alternates Present and Hide.
//
// Windows backend, per surface: a WS_POPUP window at (0, 0), 1 x 1, never shown by
// creation, with WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, plus
// WS_EX_TRANSPARENT unless it takes input, plus WS_EX_TOPMOST when asked; a memory DC
// (CreateCompatibleDC(null)) holding a 32-bit top-down DIB section; and an
// ID2D1DCRenderTarget (software, B8G8R8A8_UNORM premultiplied, 96 DPI) from the shared
// single-threaded Direct2D factory. Content reaches the screen only through
// UpdateLayeredWindow with per-pixel alpha (AC_SRC_ALPHA, ULW_ALPHA).

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "base/geometry.h"
#include "platform/accessible_items.h"
#include "platform/canvas.h"
#include "platform/dialog_window.h"
#include "platform/pointer_shape.h"
#include "platform/transition_gpu.h"
#include "platform/ids.h"
#include "platform/window_thumbnails.h"

namespace tessary {


// Where a presentation places the surface in the z-order.
struct SurfaceAnchor {
  enum class Kind : std::uint8_t {
    kTopmost,  // HWND_TOPMOST: above every ordinary window
    kTop,      // insert-after null (HWND_TOP): the top of the surface's own band
    kBelow,    // directly below `window` (the drag tracker slots the outline under the
               // dragged window this way)
  };
  Kind kind = Kind::kTopmost;
  WindowId window = kNoWindow;  // kBelow only

  static constexpr SurfaceAnchor Topmost() { return {Kind::kTopmost, kNoWindow}; }
  static constexpr SurfaceAnchor Top() { return {Kind::kTop, kNoWindow}; }
  static constexpr SurfaceAnchor Below(WindowId window) { return {Kind::kBelow, window}; }

  friend bool operator==(const SurfaceAnchor&, const SurfaceAnchor&) = default;
};

// Virtual-key codes (WM_KEYDOWN's wParam) that surfaces act on.
namespace surface_key {
inline constexpr std::uint32_t kTab = 0x09;     // VK_TAB
inline constexpr std::uint32_t kEnter = 0x0D;   // VK_RETURN
inline constexpr std::uint32_t kEscape = 0x1B;  // VK_ESCAPE
inline constexpr std::uint32_t kSpace = 0x20;   // VK_SPACE
inline constexpr std::uint32_t kLeft = 0x25;    // VK_LEFT
inline constexpr std::uint32_t kUp = 0x26;      // VK_UP
inline constexpr std::uint32_t kRight = 0x27;   // VK_RIGHT
inline constexpr std::uint32_t kDown = 0x28;    // VK_DOWN
inline constexpr std::uint32_t kDigit1 = 0x31;  // '1'; '2' to '9' follow
inline constexpr std::uint32_t kDigit9 = 0x39;
inline constexpr std::uint32_t kB = 0x42;
}  // namespace surface_key

// The timer id of frame ticks; ids for Surface::StartTimer start at 2.
inline constexpr int kFrameTimerId = 1;


// What a surface's window procedure hands to its view. All calls arrive on the UI thread
// from the message loop. A surface without a handler uses the default procedure: it
// answers WM_MOUSEACTIVATE with MA_NOACTIVATE and passes everything else to
// DefWindowProcW.
class SurfaceInput {
 public:
  virtual ~SurfaceInput() = default;

  // WM_TIMER: kFrameTimerId once per compositor frame while subscribed, or an id started
  // with Surface::StartTimer.
  virtual void OnTimer(int /*id*/) {}
  // WM_KEYDOWN with its virtual-key code.
  virtual void OnKeyDown(std::uint32_t /*virtualKey*/) {}
  // WM_MOUSEMOVE and WM_LBUTTONUP, the client point converted to desktop pixels
  // (ClientToScreen).
  virtual void OnPointerMove(Point /*desktop*/) {}
  virtual void OnPointerRelease(Point /*desktop*/) {}
  // WM_LBUTTONDOWN, and WM_RBUTTONUP with whether Alt was held (GetKeyState VK_MENU).
  virtual void OnPointerPress(Point /*desktop*/) {}
  virtual void OnSecondaryRelease(Point /*desktop*/, bool /*alt*/) {}
  // WM_CAPTURECHANGED: a press or drag in progress is over.
  virtual void OnCaptureLost() {}
  // WM_ACTIVATE with WA_INACTIVE: another window took the activation.
  virtual void OnDeactivate() {}
  // WM_MOUSEACTIVATE: true answers MA_ACTIVATE, false MA_NOACTIVATE.
  virtual bool ActivateOnClick() { return false; }
  // WM_MOUSEWHEEL with its delta (positive: turned away from the user).
  virtual void OnWheel(int /*delta*/) {}
  // WM_MOUSELEAVE (asked for with TrackMouseEvent after each move).
  virtual void OnPointerLeave() {}
  // WM_SETFOCUS (true) and WM_KILLFOCUS (false).
  virtual void OnFocusChange(bool /*focused*/) {}
  // True: a press takes the mouse capture (SetCapture) until the button comes up, so a
  // view dragged by the pointer keeps hearing it after the pointer leaves the surface.
  virtual bool CapturesPointer() const { return false; }
  // The pointer's shape over the surface, set at every pointer move and WM_SETCURSOR.
  virtual PointerShape Shape() const { return PointerShape::kArrow; }
};

// What kind of window carries the drawing.
enum class SurfaceKind : std::uint8_t {
  kLayered,  // a layered, per-pixel-alpha overlay (everything drawn over the desktop)
  // A real, opaque top-level window that paints itself (WM_PAINT into a Direct2D window
  // render target), can be activated and hosts live thumbnails: the chooser panel.
  kWindow,
};

struct SurfaceOptions {
  SurfaceKind kind = SurfaceKind::kLayered;
  // kWindow: ask the system for a dark frame (the panel follows the theme).
  bool darkFrame = false;
  // kWindow: a window laid over part of the screen rather than a panel on it: the screen
  // under it is copied once, just before it is first shown, for Canvas::DrawBackdrop;
  // its corners stay square and the system plays no transitions on it.
  bool backdrop = false;
  std::string title;         // UTF-8 window title (seen by accessibility tools)
  std::string className;     // empty: "TessarySurfaceInteractive" with input, else "TessarySurface"
  bool interactive = false;  // takes focus and mouse (SetInteractive can change it later)
  // Receives clicks (no WS_EX_TRANSPARENT) without ever being activated (WS_EX_NOACTIVATE
  // stays): the toast, which a click dismisses. Ignored when interactive.
  bool clickable = false;
  bool topmost = true;            // WS_EX_TOPMOST
  SurfaceInput* input = nullptr;  // not owned; must outlive the surface. Null: default procedure
};

// Draws one presentation. width and height are the surface's size in DIPs (pixel width /
// scale, pixel height / scale).
using PaintFunction = std::function<void(Canvas& canvas, double width, double height)>;

class Surface {
 public:
  virtual ~Surface() = default;

  // Registers the class on first use (arrow cursor; the surface procedure routing to
  // `input`), creates the hidden window, the memory DC and the render target, and registers
  // the render target with the icon bitmap cache. False when the window or the render
  // target cannot be made; the surface then stays unusable and every call does nothing.
  virtual bool Create(const SurfaceOptions& options) = 0;
  virtual bool IsCreated() const = 0;

  // Interactive clears WS_EX_TRANSPARENT and WS_EX_NOACTIVATE; not interactive sets both
  // (a clickable surface keeps receiving clicks: only WS_EX_NOACTIVATE is set). A kWindow
  // surface that stops being interactive is disabled (EnableWindow FALSE) and lets the
  // pointer through (HTTRANSPARENT).
  virtual void SetInteractive(bool interactive) = 0;

  // Draws and shows the surface at `rect` (desktop pixels). Windows, in order:
  // 1. Pixels w = max(lround(width), 1), h likewise (SurfacePixelSize).
  // 2. Grow the DIB when it is smaller than w x h (GrowBitmapExtent); a failed
  //    allocation keeps the old bitmap.
  // 3. BindDC(memory DC, {0, 0, w, h}); SetDpi(scale x 96, scale x 96); BeginDraw;
  //    Clear(transparent); paint(canvas, w / scale, h / scale); EndDraw.
  // 4. If EndDraw fails (for example D2DERR_RECREATE_TARGET): drop this target's cached
  //    icon bitmaps, register it with the cache again, and run step 3 once more without
  //    checking the second EndDraw.
  // 5. UpdateLayeredWindow(window, null, (lround(x), lround(y)), (w, h), memory DC, (0, 0),
  //    0, {AC_SRC_OVER, 0, alpha, AC_SRC_ALPHA}, ULW_ALPHA).
  // 6. NeedsZOrderPlacement decides; only then SetWindowPos(window, anchor, x, y, w, h,
  //    SWP_NOACTIVATE | SWP_SHOWWINDOW). This is the only place a surface is shown.
  // 7. Record rect, anchor, scale; visible = true.
  // A non-positive or non-finite scale is taken as 1.
  virtual void Present(const Rect& rect, double scale, const PaintFunction& paint,
                       SurfaceAnchor anchor) = 0;

  // Steps 1 to 4 of Present without showing anything: the surface's memory then holds the
  // drawing, and what drawing needs on first use (the bitmap, text formats, icon bitmaps)
  // exists before anyone waits for it. A backend without memory of its own does nothing.
  virtual void Prepare(const Rect& /*rect*/, double /*scale*/, const PaintFunction& /*paint*/) {}
  // Steps 5 to 7 of Present with the drawing the memory already holds (the last Present or
  // Prepare), at `rect` of that same pixel size and scale. False, doing nothing, when the
  // memory holds no such drawing: the caller then presents.
  virtual bool PresentAgain(const Rect& /*rect*/, double /*scale*/, SurfaceAnchor /*anchor*/) {
    return false;
  }

  // The constant opacity over the per-pixel alpha: alpha = OpacityToAlpha(opacity). A
  // surface starts fully opaque. Applied at once (UpdateLayeredWindow with only the blend,
  // the last content stays) when the window has a bitmap.
  virtual void SetOpacity(double opacity) = 0;

  // When visible: moves the top-left to `topLeft` (desktop pixels, rounded) with
  // UpdateLayeredWindow carrying only the position and the current alpha, and records it.
  virtual void MoveTo(Point topLeft) = 0;

  // ShowWindow(SW_HIDE) when visible; visible becomes false either way, and the tooltip
  // goes too. Clear the flag before ShowWindow: hiding a focused surface sends
  // WM_ACTIVATE(WA_INACTIVE) at once, and the view's handler must already see it hidden.
  virtual void Hide() = 0;

  // Drops the target's icon bitmaps, releases the target, the bitmap and the DC and
  // destroys the window. Also stops its timers and frame subscription.
  virtual void Destroy() = 0;

  virtual bool Visible() const = 0;
  // The desktop rectangle of the last presentation, moved by MoveTo.
  virtual Rect Bounds() const = 0;
  virtual double Scale() const = 0;
  virtual WindowId Window() const = 0;

  // Frame pacing: while subscribed, the surface's input gets OnTimer(kFrameTimerId) once
  // per compositor frame. Windows: one process-wide set of (window, 1) pairs under a mutex
  // with a condition variable, served by a thread started at the first subscription that
  // loops { wait while the set is empty; copy it; DwmFlush (Sleep(8) if it fails); post
  // WM_TIMER 1 to each, dropping pairs whose window is gone or whose post fails }.
  virtual void SubscribeFrames() = 0;
  virtual void UnsubscribeFrames() = 0;

  // SetTimer / KillTimer on the surface's window; ticks arrive as OnTimer(id). id >= 2.
  // Starting a running timer restarts it with the new period.
  virtual void StartTimer(int id, std::uint32_t milliseconds) = 0;
  virtual void StopTimer(int id) = 0;

  // SetForegroundWindow and SetFocus on the surface's window (interactive surfaces only).
  // False when Windows refused the foreground (its foreground lock): keys then still go
  // to the app in front, and only the mouse reaches the surface.
  virtual bool TakeFocus() = 0;

  // A tooltip (Windows: a "tooltips_class32" control) with `text` at `item` (desktop
  // pixels); an empty text takes it down. Surfaces without tooltips ignore it.
  virtual void SetTooltip(const std::string& /*text*/, const Rect& /*item*/) {}

  // What the surface shows, for screen readers; views call it whenever they present or
  // their focus moves. Windows answers the accessibility questions (WM_GETOBJECT) with the
  // last description and announces a focus that moved to another item.
  virtual void Describe(const AccessibleView& /*view*/) {}
};

class SurfaceFactory {
 public:
  virtual ~SurfaceFactory() = default;

  // A surface object not yet created; call Create on it.
  virtual std::unique_ptr<Surface> NewSurface() = 0;
  // Text measuring outside a paint (DirectWrite needs no render target for it).
  virtual TextMeasurer& Text() = 0;
  // A surface of kind kWindow, not yet created. Backends without such windows hand out
  // their ordinary surface.
  virtual std::unique_ptr<Surface> NewWindowSurface() { return NewSurface(); }
  // Live thumbnails of other windows; null when the backend has none.
  virtual WindowThumbnails* Thumbnails() { return nullptr; }
  // A dialog-like window (platform/dialog_window.h), not yet opened; null when the backend
  // has none.
  virtual std::unique_ptr<DialogWindow> NewDialogWindow() { return nullptr; }
  // The switching effects' overlay and window images; null when the backend has none
  // (every switch is then instant).
  virtual TransitionGpu* Transitions() { return nullptr; }
  virtual WindowImages* Images() { return nullptr; }
};

// A created surface, or null when creation failed.
inline std::unique_ptr<Surface> CreateSurface(SurfaceFactory& factory,
                                              const SurfaceOptions& options) {
  std::unique_ptr<Surface> surface = options.kind == SurfaceKind::kWindow
                                         ? factory.NewWindowSurface()
                                         : factory.NewSurface();
  if (!surface || !surface->Create(options)) return nullptr;
  return surface;
}

// --- Presentation rules shared by every backend ---

struct PixelSize {
  int width = 1;
  int height = 1;

  friend bool operator==(const PixelSize&, const PixelSize&) = default;
};

inline int PixelExtent(double units) {
  // NaN fails the test too; huge sizes are capped before rounding (lround would overflow).
  if (!(units >= 1)) return 1;
  return static_cast<int>(std::lround(std::min(units, double{1 << 20})));
}

// A zero-width rectangle still gives a 1 x 1 window rather than an error.
inline PixelSize SurfacePixelSize(const Rect& rect) {
  return {PixelExtent(rect.width), PixelExtent(rect.height)};
}

// The memory bitmap only grows, with slack so that a panel growing by a few pixels does
// not reallocate: when it is too small in either dimension, both become
// max(needed, allocated) + 32.
inline int GrowBitmapExtent(int needed, int allocated) { return std::max(needed, allocated) + 32; }

inline double SanitizeScale(double scale) {
  return std::isfinite(scale) && scale > 0 ? scale : 1.0;
}

inline std::uint8_t OpacityToAlpha(double opacity) {
  if (!(opacity > 0)) return 0;  // also NaN
  return static_cast<std::uint8_t>(std::lround(std::min(opacity, 1.0) * 255));
}

// What Present knows before deciding whether SetWindowPos must run.
struct ZOrderFacts {
  bool wasVisible = false;     // the surface's own flag
  bool systemVisible = false;  // IsWindowVisible
  SurfaceAnchor last;          // anchor of the previous presentation
  SurfaceAnchor requested;
  WindowId windowAbove = kNoWindow;  // GetWindow(GW_HWNDPREV)
  bool windowAboveTopmost = false;   // its WS_EX_TOPMOST bit
};

// Touching the z-order on every pointer move would make other windows flicker and cost a
// round trip, so a surface is re-placed only when it was hidden, the anchor changed, or
// it no longer sits where its anchor says (a window covered it).
inline bool NeedsZOrderPlacement(const ZOrderFacts& facts) {
  if (!facts.wasVisible || !facts.systemVisible || !(facts.last == facts.requested)) return true;
  switch (facts.requested.kind) {
    case SurfaceAnchor::Kind::kTopmost:
      return false;
    case SurfaceAnchor::Kind::kTop:
      return facts.windowAbove != kNoWindow && !facts.windowAboveTopmost;
    case SurfaceAnchor::Kind::kBelow:
      return facts.windowAbove != facts.requested.window;
  }
  return true;
}

}  // namespace tessary
