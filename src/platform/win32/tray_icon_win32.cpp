#include "platform/win32/tray_icon_win32.h"

#include <commctrl.h>
#include <shellapi.h>
#include <shellscalingapi.h>

#include <cstring>
#include <cwchar>
#include <optional>
#include <vector>

#include "platform/main_window.h"
#include "platform/win32/top_down_bitmap.h"
#include "platform/win32/wide_text.h"

namespace tessary {
namespace {

constexpr UINT kIconId = 1;

// Copies as much of `text` as fits, always terminated.
template <std::size_t N>
void CopyCut(wchar_t (&field)[N], const std::string& text) {
  const std::wstring wide = WideFromUtf8(text);
  std::size_t length = wide.size() < N - 1 ? wide.size() : N - 1;
  // Never leave half a surrogate pair at the cut.
  if (length > 0 && length < wide.size() && wide[length - 1] >= 0xD800 &&
      wide[length - 1] <= 0xDBFF) {
    --length;
  }
  std::wmemcpy(field, wide.data(), length);
  field[length] = L'\0';
}

// The icon's own pixels in a 32-bit top-down bitmap, with the badge written over them.
// The pixels are read from the icon's colour bitmap (GetDIBits) rather than drawn, since
// drawing into a memory bitmap does not keep the alpha channel.
HICON MakeBadgedIcon(HICON icon, int n) {
  ICONINFO source{};
  if (n <= 0 || !GetIconInfo(icon, &source)) return nullptr;
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(n) * n, 0);
  BITMAPINFO info = TopDownBitmapInfo(n, n);
  HDC screen = GetDC(nullptr);
  bool read = source.hbmColor != nullptr &&
              GetDIBits(screen, source.hbmColor, 0, n, pixels.data(), &info, DIB_RGB_COLORS) == n;
  bool hasAlpha = false;
  for (std::uint32_t pixel : pixels) hasAlpha = hasAlpha || (pixel >> 24) != 0;
  if (read && !hasAlpha) {
    // An icon without alpha: its mask says which pixels are transparent.
    std::vector<std::uint32_t> mask(pixels.size(), 0);
    if (source.hbmMask != nullptr &&
        GetDIBits(screen, source.hbmMask, 0, n, mask.data(), &info, DIB_RGB_COLORS) == n) {
      for (std::size_t i = 0; i < pixels.size(); ++i) {
        if ((mask[i] & 0xFFFFFF) == 0) pixels[i] |= 0xFF000000u;
      }
    } else {
      read = false;
    }
  }
  ReleaseDC(nullptr, screen);
  if (source.hbmColor != nullptr) DeleteObject(source.hbmColor);
  if (source.hbmMask != nullptr) DeleteObject(source.hbmMask);
  if (!read) return nullptr;

  for (int y = 0; y < n; ++y) {
    for (int x = 0; x < n; ++x) {
      if (const auto badge = TrayBadgePixel(n, x, y)) {
        pixels[static_cast<std::size_t>(y) * n + x] = *badge;
      }
    }
  }
  void* bits = nullptr;
  HBITMAP colour = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (colour == nullptr || bits == nullptr) {
    if (colour != nullptr) DeleteObject(colour);
    return nullptr;
  }
  std::memcpy(bits, pixels.data(), pixels.size() * sizeof(std::uint32_t));
  // With a 32-bit colour bitmap that has alpha, an all-zero mask keeps every pixel.
  HBITMAP mask = CreateBitmap(n, n, 1, 1, nullptr);
  ICONINFO iconInfo{};
  iconInfo.fIcon = TRUE;
  iconInfo.hbmColor = colour;
  iconInfo.hbmMask = mask;
  HICON badged = mask != nullptr ? CreateIconIndirect(&iconInfo) : nullptr;
  if (mask != nullptr) DeleteObject(mask);
  DeleteObject(colour);
  return badged;
}

// The notification area is on the primary display's taskbar: its scale, as a DPI.
UINT NotificationAreaDpi() {
  HMONITOR primary = MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
  UINT dpiX = 0;
  UINT dpiY = 0;
  if (primary != nullptr && SUCCEEDED(GetDpiForMonitor(primary, MDT_EFFECTIVE_DPI, &dpiX, &dpiY)) &&
      dpiX > 0) {
    return dpiX;
  }
  return USER_DEFAULT_SCREEN_DPI;
}

int SmallIconSize(UINT dpi) {
  const int size = GetSystemMetricsForDpi(SM_CXSMICON, dpi);
  return size > 0 ? size : GetSystemMetrics(SM_CXSMICON);
}

// The icon resource at `size`, scaled down from a larger image rather than up from a
// smaller one (comctl32's LoadIconWithScaleDown, from version 6; looked up so that a
// program without the version 6 manifest still starts), else the system's choice.
HICON LoadIconAtSize(HINSTANCE instance, int size) {
  using ScaleDown = HRESULT(WINAPI*)(HINSTANCE, PCWSTR, int, int, HICON*);
  if (HMODULE comctl = GetModuleHandleW(L"comctl32.dll")) {
    if (auto load = reinterpret_cast<ScaleDown>(
            reinterpret_cast<void*>(GetProcAddress(comctl, "LoadIconWithScaleDown")))) {
      HICON icon = nullptr;
      if (SUCCEEDED(load(instance, MAKEINTRESOURCEW(1), size, size, &icon)) && icon != nullptr) {
        return icon;
      }
    }
  }
  return static_cast<HICON>(
      LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
}

bool NotifyShell(DWORD operation, const NOTIFYICONDATAW& data) {
  return Shell_NotifyIconW(operation, const_cast<NOTIFYICONDATAW*>(&data)) != FALSE;
}

}  // namespace

Win32TrayIcon::Win32TrayIcon(HINSTANCE instance, std::function<HWND()> mainWindow)
    : Win32TrayIcon(instance, std::move(mainWindow), NotifyShell) {}

Win32TrayIcon::~Win32TrayIcon() {
  if (plain_ != nullptr) DestroyIcon(plain_);
  if (badged_ != nullptr) DestroyIcon(badged_);
}

void Win32TrayIcon::FollowScale() {
  const UINT dpi = NotificationAreaDpi();
  if (dpi == iconDpi_) return;
  // The shell keeps its own copy of the icon, so ours can go at once.
  if (plain_ != nullptr) DestroyIcon(plain_);
  if (badged_ != nullptr) DestroyIcon(badged_);
  plain_ = nullptr;
  badged_ = nullptr;
  badgeTried_ = false;
  iconDpi_ = dpi;
}

HICON Win32TrayIcon::PlainIcon() {
  if (plain_ == nullptr) plain_ = LoadIconAtSize(instance_, SmallIconSize(iconDpi_));
  return plain_;
}

HICON Win32TrayIcon::BadgedIcon() {
  if (!badgeTried_) {
    badgeTried_ = true;
    if (HICON plain = PlainIcon()) {
      badged_ = MakeBadgedIcon(plain, SmallIconSize(iconDpi_));
      // Without the bitmap the badge is a plain copy of the icon.
      if (badged_ == nullptr) badged_ = CopyIcon(plain);
    }
  }
  return badged_ != nullptr ? badged_ : PlainIcon();
}

std::optional<NOTIFYICONDATAW> Win32TrayIcon::IconData() const {
  HWND window = mainWindow_ ? mainWindow_() : nullptr;
  if (window == nullptr) return std::nullopt;
  NOTIFYICONDATAW data{};
  data.cbSize = sizeof(data);
  data.hWnd = window;
  data.uID = kIconId;
  return data;
}

bool Win32TrayIcon::Notify(DWORD operation, const TrayIconState& state) {
  std::optional<NOTIFYICONDATAW> icon = IconData();
  if (!icon) return false;
  NOTIFYICONDATAW& data = *icon;
  FollowScale();
  data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP | NIF_SHOWTIP;
  data.uCallbackMessage = main_window_message::kTrayIcon;
  data.hIcon = state.updateBadge ? BadgedIcon() : PlainIcon();
  CopyCut(data.szTip, state.tooltip);
  if (state.balloon) {
    data.uFlags |= NIF_INFO;
    CopyCut(data.szInfoTitle, state.balloon->title);
    CopyCut(data.szInfo, state.balloon->text);
    // The system holds it back while the user must not be interrupted.
    data.dwInfoFlags = NIIF_USER | NIIF_LARGE_ICON | NIIF_RESPECT_QUIET_TIME;
  }
  if (!notifier_(operation, data)) return false;
  if (operation == NIM_ADD) {
    data.uVersion = NOTIFYICON_VERSION_4;
    notifier_(NIM_SETVERSION, data);
  }
  return true;
}

bool Win32TrayIcon::Add(const TrayIconState& state) { return Notify(NIM_ADD, state); }

bool Win32TrayIcon::Modify(const TrayIconState& state) { return Notify(NIM_MODIFY, state); }

bool Win32TrayIcon::Remove() {
  std::optional<NOTIFYICONDATAW> icon = IconData();
  return icon && notifier_(NIM_DELETE, *icon);
}

}  // namespace tessary
