#pragma once

// Queries about other applications' top-level windows, and moving them. Z-order and
// activation live in platform/z_order.h; nothing here activates a window or changes its
// place in the z-order.

#include <cstdint>
#include <optional>
#include <string>

#include "base/geometry.h"
#include "platform/ids.h"

namespace tessary {

// Window style bits (GWL_STYLE), with the system's values so the backend passes them
// through unchanged. Only the bits the program tests are named.
namespace window_style {
inline constexpr std::uint32_t kPopup = 0x80000000u;        // WS_POPUP
inline constexpr std::uint32_t kChild = 0x40000000u;        // WS_CHILD
inline constexpr std::uint32_t kMinimizeBox = 0x00020000u;  // WS_MINIMIZEBOX
inline constexpr std::uint32_t kMaximizeBox = 0x00010000u;  // WS_MAXIMIZEBOX
inline constexpr std::uint32_t kCaption = 0x00C00000u;      // WS_CAPTION (WS_BORDER | WS_DLGFRAME)
inline constexpr std::uint32_t kBorder = 0x00800000u;       // WS_BORDER
inline constexpr std::uint32_t kDialogFrame = 0x00400000u;  // WS_DLGFRAME
inline constexpr std::uint32_t kSystemMenu = 0x00080000u;   // WS_SYSMENU
inline constexpr std::uint32_t kThickFrame = 0x00040000u;   // WS_THICKFRAME (sizing border)
inline constexpr std::uint32_t kOverlappedWindow = 0x00CF0000u;  // WS_OVERLAPPEDWINDOW
}  // namespace window_style

inline constexpr int kHitMinimiseButton = 8;  // HTMINBUTTON, a window's hit-test answer

// Extended style bits (GWL_EXSTYLE).
namespace window_ex_style {
inline constexpr std::uint32_t kTopmost = 0x00000008u;     // WS_EX_TOPMOST
inline constexpr std::uint32_t kToolWindow = 0x00000080u;  // WS_EX_TOOLWINDOW
inline constexpr std::uint32_t kAppWindow = 0x00040000u;   // WS_EX_APPWINDOW
inline constexpr std::uint32_t kLayered = 0x00080000u;     // WS_EX_LAYERED
inline constexpr std::uint32_t kNoActivate = 0x08000000u;  // WS_EX_NOACTIVATE
}  // namespace window_ex_style

// ShowWindow commands and the show states of a window placement, with the system's
// values (SW_*).
enum class ShowCommand : int {
  kHide = 0,            // SW_HIDE
  kNormal = 1,          // SW_SHOWNORMAL
  kMinimized = 2,       // SW_SHOWMINIMIZED
  kMaximized = 3,       // SW_SHOWMAXIMIZED (also SW_MAXIMIZE)
  kShowNoActivate = 4,  // SW_SHOWNOACTIVATE
  kShow = 5,            // SW_SHOW
  kMinimize = 6,        // SW_MINIMIZE
  kRestore = 9,         // SW_RESTORE
};

// GetWindowPlacement / SetWindowPlacement. The normal rectangle is the restored window
// rectangle (not the visible frame) in workspace coordinates: relative to the top-left of
// the work area of its display, so it differs from desktop coordinates only when a task
// bar sits at the left or top.
struct WindowPlacement {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  ShowCommand show = ShowCommand::kNormal;
};

// The arguments of SetWindowPos for a move made without z-order change or activation.
struct PositionRequest {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  bool move = true;    // false: SWP_NOMOVE (x and y ignored)
  bool size = true;    // false: SWP_NOSIZE (width and height ignored)
  bool async = false;  // SWP_ASYNCWINDOWPOS: do not wait for the window's thread
};

class WindowAccess {
 public:
  virtual ~WindowAccess() = default;

  // IsWindow.
  virtual bool Exists(WindowId window) = 0;
  // IsWindowVisible.
  virtual bool IsVisible(WindowId window) = 0;
  // IsIconic.
  virtual bool IsMinimized(WindowId window) = 0;
  // IsZoomed.
  virtual bool IsMaximized(WindowId window) = 0;
  // DwmGetWindowAttribute(DWMWA_CLOAKED) succeeded and reported non-zero (another virtual
  // desktop, a suspended app).
  virtual bool IsCloaked(WindowId window) = 0;
  // IsHungAppWindow, or the window's thread left a message unanswered for a moment: a
  // synchronous call into it would freeze the program until the app recovers, if ever.
  virtual bool IsHung(WindowId window) = 0;
  // GetAncestor(GA_ROOT); kNoWindow when the window does not exist.
  virtual WindowId Root(WindowId window) = 0;
  // GetWindow(GW_OWNER); kNoWindow when there is none.
  virtual WindowId Owner(WindowId window) = 0;
  // GetWindowLongPtrW(GWL_STYLE), 0 when the window does not exist.
  virtual std::uint32_t Style(WindowId window) = 0;
  // GetWindowLongPtrW(GWL_EXSTYLE), 0 when the window does not exist.
  virtual std::uint32_t ExStyle(WindowId window) = 0;
  // GetWindowThreadProcessId; kNoProcess when the window does not exist.
  virtual ProcessId ProcessOf(WindowId window) = 0;
  // GetClassNameW into a buffer of 64 characters (so at most 63), as UTF-8; empty on
  // failure.
  virtual std::string ClassName(WindowId window) = 0;
  // GetWindowTextW into a buffer of 256 characters (so at most 255), as UTF-8. Titles are
  // shown to the user but never logged.
  virtual std::string Title(WindowId window) = 0;
  // FindWindowExW(window, null, className, null): the first child of that class.
  virtual WindowId FindChild(WindowId window, const std::string& className) = 0;

  // GetWindowRect: the window rectangle, which includes the invisible resize borders.
  virtual std::optional<Rect> WindowRect(WindowId window) = 0;
  // DwmGetWindowAttribute(DWMWA_EXTENDED_FRAME_BOUNDS) as returned, unvalidated; absent
  // when the call fails. Callers use desktop's FrameBounds, which checks and falls back.
  virtual std::optional<Rect> ExtendedFrameBounds(WindowId window) = 0;
  // DwmGetWindowAttribute(DWMWA_CAPTION_BUTTON_BOUNDS), moved from window coordinates to
  // the desktop: the caption buttons together; absent when the call fails.
  virtual std::optional<Rect> CaptionButtonBounds(WindowId window) = 0;
  // SendMessageTimeoutW(WM_NCHITTEST) at a desktop point, SMTO_ABORTIFHUNG, 50 ms: what
  // the window says lies there (an HT* code); absent when it does not answer in time.
  virtual std::optional<int> HitTest(WindowId window, Point point) = 0;

  // SetWindowPos(window, null, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE |
  // SWP_NOOWNERZORDER plus the request's flags). False when the call fails.
  virtual bool SetPosition(WindowId window, const PositionRequest& request) = 0;
  // GetWindowPlacement.
  virtual std::optional<WindowPlacement> Placement(WindowId window) = 0;
  // SetWindowPlacement with flags 0.
  virtual bool SetPlacement(WindowId window, const WindowPlacement& placement) = 0;
  // ShowWindow; answers whether the call was carried out on an existing window.
  virtual bool Show(WindowId window, ShowCommand command) = 0;
};

}  // namespace tessary
