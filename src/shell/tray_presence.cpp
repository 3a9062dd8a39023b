// The program's face in the notification area: the icon with its tooltip and badge, the
// balloon that stands in for the toast, and the first-use tips.

#include "shell/shell.h"
#include "shell/tray_texts.h"

namespace tessary {

TrayIconState Shell::IconState() const {
  TrayIconState state;
  const bool paused = coordinator_ && coordinator_->Paused();
  state.tooltip = TrayTooltip(paused, updateAvailable_);
  state.updateBadge = updateAvailable_;
  return state;
}

void Shell::AddTrayIcon() { env_.host.tray.Add(IconState()); }

void Shell::UpdateTrayIcon() { env_.host.tray.Modify(IconState()); }

void Shell::ShowBalloon(const std::string& title, const std::string& text) {
  TrayIconState state = IconState();
  state.balloon = TrayBalloon{title, text};
  env_.host.tray.Modify(state);
}

void Shell::ShowMessage(const std::string& text, double seconds) {
  if (toastAvailable_ && coordinator_) {
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
