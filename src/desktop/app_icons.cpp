#include "desktop/app_names.h"
#include "desktop/desktop.h"

namespace tessary {

IconId Desktop::WindowIcon(WindowId window) const {
  IconSource& icons = platform_.icons;
  IconId icon = icons.WindowMessageIcon(window, WindowIconKind::kBig);
  if (icon == kNoIcon) icon = icons.WindowMessageIcon(window, WindowIconKind::kSmall2);
  if (icon == kNoIcon) icon = icons.ClassIcon(window);
  if (icon == kNoIcon) icon = icons.DefaultApplicationIcon();
  return icon;
}

IconId Desktop::IconForApp(const std::string& appId) {
  auto cached = iconCache_.find(appId);
  if (cached != iconCache_.end() && cached->second != kNoIcon) return cached->second;

  IconId icon = kNoIcon;
  if (!appId.empty() && !IsPackagedAppId(appId)) icon = platform_.icons.FileIcon(appId);
  if (icon == kNoIcon && !appId.empty()) {
    for (WindowId window : ManageableWindows()) {
      if (AppIdOf(window) == appId) {
        icon = WindowIcon(window);
        break;
      }
    }
  }
  // A miss is not remembered: the app may open a window later.
  if (icon != kNoIcon) iconCache_[appId] = icon;
  return icon;
}

}  // namespace tessary
