#pragma once

// The notification-area icon through Shell_NotifyIconW, with the program's icon resource 1
// and, while an update is available, a badged copy of it, both made at the small-icon
// size for the notification area's current scale and made again when the scale changes.

#include <windows.h>
// After windows.h, which it builds on.
#include <shellapi.h>

#include <functional>
#include <optional>

#include "platform/tray_icon.h"

namespace tessary {

class Win32TrayIcon : public TrayIcon {
 public:
  // Hands one record to the notification area (Shell_NotifyIconW).
  using Notifier = std::function<bool(DWORD operation, const NOTIFYICONDATAW& data)>;

  Win32TrayIcon(HINSTANCE instance, std::function<HWND()> mainWindow);
  // With another notifier in place of the shell's (one that keeps the records, say).
  Win32TrayIcon(HINSTANCE instance, std::function<HWND()> mainWindow, Notifier notifier)
      : instance_(instance), mainWindow_(std::move(mainWindow)), notifier_(std::move(notifier)) {}
  ~Win32TrayIcon() override;
  Win32TrayIcon(const Win32TrayIcon&) = delete;
  Win32TrayIcon& operator=(const Win32TrayIcon&) = delete;

  bool Add(const TrayIconState& state) override;
  bool Modify(const TrayIconState& state) override;
  bool Remove() override;

 private:
  // The record that names our icon (main window and id); none without a main window.
  std::optional<NOTIFYICONDATAW> IconData() const;
  bool Notify(DWORD operation, const TrayIconState& state);
  HICON PlainIcon();
  HICON BadgedIcon();
  // Drops the icons made for another scale than the notification area's now.
  void FollowScale();

  HINSTANCE instance_;
  std::function<HWND()> mainWindow_;
  Notifier notifier_;
  HICON plain_ = nullptr;
  HICON badged_ = nullptr;
  bool badgeTried_ = false;
  UINT iconDpi_ = 0;  // the DPI the icons above were made for
};

}  // namespace tessary
