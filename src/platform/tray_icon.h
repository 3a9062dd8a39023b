#pragma once

// The program's icon in the notification area: tooltip, the update badge, and balloons
// (which stand in for the toast when it is missing). Main thread only.

#include <cstdint>
#include <optional>
#include <string>

namespace tessary {

struct TrayBalloon {
  std::string title;  // UTF-8; the backend cuts it to 63 UTF-16 units (szInfoTitle[64])
  std::string text;   // UTF-8; cut to 255 units (szInfo[256])

  friend bool operator==(const TrayBalloon&, const TrayBalloon&) = default;
};

// Everything one Shell_NotifyIconW call carries; filled afresh for every call.
struct TrayIconState {
  std::string tooltip;       // UTF-8; cut to 127 units (szTip[128])
  bool updateBadge = false;  // the icon with the update badge (TrayBadgePixel)
  std::optional<TrayBalloon> balloon;

  friend bool operator==(const TrayIconState&, const TrayIconState&) = default;
};

class TrayIcon {
 public:
  virtual ~TrayIcon() = default;

  // The NOTIFYICONDATAW record: the main window as owner, icon id 1, NIF_MESSAGE |
  // NIF_ICON | NIF_TIP | NIF_SHOWTIP, callback message WM_APP+1, the program's icon
  // resource 1 at the small-icon size (or its badged copy), the tooltip; with a balloon
  // also NIF_INFO, its title and text and NIIF_USER | NIIF_LARGE_ICON |
  // NIIF_RESPECT_QUIET_TIME.
  // Add: NIM_ADD, then NIM_SETVERSION with NOTIFYICON_VERSION_4 (so the callback's lParam
  // low word is the event). False when the shell refused; the next add tries again.
  virtual bool Add(const TrayIconState& state) = 0;
  // NIM_MODIFY.
  virtual bool Modify(const TrayIconState& state) = 0;
  // NIM_DELETE.
  virtual bool Remove() = 0;
};

// Events in the low word of WM_APP+1's lParam (notification-icon version 4) that open
// the tray menu; with each, wParam carries the menu's anchor: x in its low word, y in the
// next (signed), the icon itself when it was chosen from the keyboard.
inline constexpr std::uint32_t kTrayEventContextMenu = 0x7B;  // WM_CONTEXTMENU
inline constexpr std::uint32_t kTrayEventSelect = 0x400;      // NIN_SELECT
inline constexpr std::uint32_t kTrayEventKeySelect = 0x401;   // NIN_KEYSELECT

// The update badge, a white-ringed blue dot in the lower-right corner of the n x n small
// icon: the colour (0xAARRGGBB, opaque) that overwrites pixel (x, y), or none where the
// icon's own pixel stays. r = n / 6, m = max(n x 0.0625, 1), c = n - r - m; pixels whose
// centre lies within r of (c, c) are blue, within r + m white.
inline std::optional<std::uint32_t> TrayBadgePixel(int n, int x, int y) {
  const double r = n / 6.0;
  const double m = n * 0.0625 > 1.0 ? n * 0.0625 : 1.0;
  const double c = n - r - m;
  const double dx = x + 0.5 - c;
  const double dy = y + 0.5 - c;
  const double d2 = dx * dx + dy * dy;
  if (d2 <= r * r) return 0xFF0067C0u;
  if (d2 <= (r + m) * (r + m)) return 0xFFFFFFFFu;
  return std::nullopt;
}

}  // namespace tessary
