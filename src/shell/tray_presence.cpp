// The program's face in the notification area: the icon with its tooltip and badge, the
// balloon that stands in for the toast, and the first-use tips.

#include <algorithm>

#include "platform/main_window_timers.h"
#include "shell/shell.h"
#include "shell/tray_texts.h"

namespace tessary {
namespace {

// At sign-in the notification area may not take icons yet, and nothing announces when it
// does (TaskbarCreated comes only with a new taskbar): the add is tried again, at first
// soon, then less and less often, so a program without a taskbar costs nothing.
constexpr std::uint32_t kFirstTrayRetryMilliseconds = 1000;
constexpr std::uint32_t kLongestTrayRetryMilliseconds = 60000;

}  // namespace

TrayIconState Shell::IconState() const {
  TrayIconState state;
  const bool paused = coordinator_ && coordinator_->Paused();
  state.tooltip = TrayTooltip(paused, updateAvailable_);
  state.updateBadge = updateAvailable_;
  return state;
}

void Shell::AddTrayIcon() {
  if (env_.host.tray.Add(IconState())) {
    if (trayRetryMilliseconds_ != 0) platform().timers.Stop(main_window_timer::kTrayRetry);
    trayRetryMilliseconds_ = 0;
    return;
  }
  trayRetryMilliseconds_ = trayRetryMilliseconds_ == 0 ? kFirstTrayRetryMilliseconds
                                                       : std::min(trayRetryMilliseconds_ * 2,
                                                                  kLongestTrayRetryMilliseconds);
  platform().timers.Start(main_window_timer::kTrayRetry, trayRetryMilliseconds_);
}

void Shell::UpdateTrayIcon() { env_.host.tray.Modify(IconState()); }

void Shell::ShowBalloon(const std::string& title, const std::string& text) {
  TrayIconState state = IconState();
  state.balloon = TrayBalloon{title, text};
  env_.host.tray.Modify(state);
}

void Shell::ShowMessage(const std::string& text, double seconds) {
  // Over a full-screen game, a video or a presentation a topmost toast would be in the
  // way: the message becomes a balloon, which the system holds until the user is free.
  if (toastAvailable_ && coordinator_ && !platform().systemSettings.UserBusy()) {
    std::vector<ToastDisplay> displays;
    for (const Monitor& display : coordinator_->Displays()) {
      displays.push_back(ToastDisplay{display.bounds, display.work, display.scale});
    }
    if (toast_->Show(text, seconds, displays, desktop_->CursorPosition(),
                     desktop_->AnimationsEnabled())) {
      return;
    }
  }
  ShowBalloon(kBalloonTitle, text);
}

void Shell::Notify(const std::string& text) { ShowMessage(text, kToastSeconds); }

void Shell::ShowTip(const std::string& key) {
  if (!settings_) return;
  settings_->ShowTipOnce(key, [this, &key] {
    // Paused, the tip still counts as shown: it would only interrupt later.
    if (coordinator_ && coordinator_->Paused()) return;
    const std::optional<std::string_view> text = TipText(key);
    if (!text) return;
    ShowMessage(std::string(kTipPrefix) + std::string(*text), kToastLongSeconds);
  });
}

void Shell::SetUpdateAvailable(const std::string& version) {
  const bool changed = !updateAvailable_ || availableVersion_ != version;
  updateAvailable_ = true;
  availableVersion_ = version;
  if (changed) UpdateTrayIcon();
}

void Shell::SetPaused(bool paused) {
  if (!coordinator_) return;
  const bool was = coordinator_->Paused();
  coordinator_->SetPaused(paused);
  // Pausing ends a drag in progress at once.
  if (paused && !was && coordinator_->DragActive()) coordinator_->CancelDrag();
  if (paused != was) UpdateTrayIcon();
}

}  // namespace tessary
