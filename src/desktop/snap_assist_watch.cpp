#include "desktop/snap_assist_watch.h"

#include <utility>

#include "base/log.h"

namespace tessary {
namespace {

constexpr const char* kAssistClass = "XamlExplorerHostIslandWindow";
constexpr const char* kAssistTitle = "Snap Assist";

}  // namespace

SnapAssistWatch::SnapAssistWatch(Desktop& desktop, std::function<WindowId()> ownAssistPanel)
    : desktop_(desktop), ownAssistPanel_(std::move(ownAssistPanel)) {}

void SnapAssistWatch::Start() {
  remaining_ = kTicks;
  desktop_.platform().timers.Start(kTimerId, kPeriodMilliseconds);
}

WindowId SnapAssistWatch::FindSystemAssist() {
  const Platform& p = desktop_.platform();
  for (WindowId window : p.zOrder.TopLevelWindows()) {
    // Class and visibility first: the title is the costlier question.
    if (p.windows.ClassName(window) == kAssistClass && p.windows.IsVisible(window) &&
        p.windows.Title(window) == kAssistTitle) {
      return window;
    }
  }
  return kNoWindow;
}

void SnapAssistWatch::Tick() {
  const Platform& p = desktop_.platform();
  WindowId assist = FindSystemAssist();
  // Escape goes to the foreground window; one in the background is left for a later tick.
  if (assist != kNoWindow && p.zOrder.Foreground() == assist) {
    Log("dismissing Windows Snap Assist");
    p.keys.Send({KeyStroke{Key::kEscape, false}, KeyStroke{Key::kEscape, true}});
  }
  --remaining_;
  if (remaining_ < 1) {
    remaining_ = 0;
    p.timers.Stop(kTimerId);
  }
  if (assist == kNoWindow && ownAssistPanel_) {
    WindowId panel = ownAssistPanel_();
    if (panel != kNoWindow) {
      // Refused (the user's last input went elsewhere), the keys stay with the app in front.
      if (p.zOrder.SetForeground(panel)) p.zOrder.SetFocus(panel);
    }
  }
}

}  // namespace tessary
