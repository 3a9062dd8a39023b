#include "engine/elevated_windows.h"

#include <iterator>

namespace tessary {

ElevatedWindows::Reach ElevatedWindows::Check(Desktop& desktop, WindowId window) {
  if (window == kNoWindow || !desktop.IsBlockedByElevation(window)) return Reach::kReachable;
  if (told_.contains(window)) return Reach::kToldBefore;
  // Handles are reused once a window is gone: forget the closed ones before remembering.
  WindowAccess& windows = desktop.platform().windows;
  for (auto it = told_.begin(); it != told_.end();) {
    it = windows.Exists(*it) ? std::next(it) : told_.erase(it);
  }
  told_.insert(window);
  return Reach::kToldNow;
}

std::string ElevatedWindows::Message(const std::string& appName) {
  return appName +
         " is running as administrator, so Tessary can\u2019t arrange it unless Tessary also "
         "runs as administrator.";
}

}  // namespace tessary
