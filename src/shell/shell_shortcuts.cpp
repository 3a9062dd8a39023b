// The shell's side of shortcuts: registering them when the settings are applied, keeping
// the mouse hook running exactly while something needs it, and the button capture of the
// settings window.

#include "base/log.h"
#include "shell/shell.h"
#include "shell/shortcuts.h"
#include "state/shortcut_text.h"

namespace tessary {

std::map<int, std::string> Shell::RegisterShortcuts() {
  if (!settings_) return {};
  std::map<int, std::string> conflicts = tessary::RegisterShortcuts(
      env_.host.hotkeys, env_.host.keyboardLayouts, settings_->Current().shortcuts);
  RegisterMoveShortcuts(env_.host.hotkeys, env_.host.keyboardLayouts,
                        settings_->Current().moveShortcuts, conflicts);
  return conflicts;
}

void Shell::RefreshMouseHook() {
  if (!settings_ || shutDown_) return;
  const auto& shortcuts = settings_->Current().mouseShortcuts;
  mouseShared_.SetBindings(MouseBindingsOf(shortcuts));
  const bool capturing = capturingCommand_.has_value();
  mouseShared_.capturing.store(capturing);
  mouseShared_.wheelWanted.store(wheelWanted_);
  MouseHook& hook = env_.host.mouseHook;
  // The hover spots need the pointer's moves as the switcher needs the wheel.
  const bool needed =
      MouseHookNeeded(shortcuts, capturing, wheelWanted_ || mouseShared_.HasHoverSpots());
  if (needed && !hook.Running()) {
    if (!hook.Start(mouseShared_)) Log("mouse hook could not be started");
  } else if (!needed && hook.Running()) {
    hook.Stop();
  }
}

void Shell::BeginMouseCapture(int command) {
  if (command < 0 || command >= kShortcutCount) return;
  capturingCommand_ = command;
  RefreshMouseHook();
}

void Shell::EndMouseCapture() {
  if (!capturingCommand_) return;
  capturingCommand_.reset();
  RefreshMouseHook();
}

void Shell::OnMouseCaptured(std::uint32_t button, std::uint32_t modifiers) {
  if (!capturingCommand_ || !settings_) return;
  const int command = *capturingCommand_;
  capturingCommand_.reset();
  tessary::Settings next = settings_->Current();
  AssignMouseShortcut(next.mouseShortcuts, command, MouseShortcut{button, modifiers});
  // Applying re-registers the shortcuts and refreshes the hook with the new bindings.
  settings_->Apply(std::move(next));
  RefreshMouseHook();
  if (settingsWindow_) settingsWindow_->OnMouseCaptured();
}

void Shell::SetWheelWanted(bool wanted) {
  wheelWanted_ = wanted;
  RefreshMouseHook();
}

std::string Shell::ShortcutLabel(int command) const {
  if (!settings_ || command < 0 || command >= kShortcutCount) return {};
  const KeyShortcut& shortcut = settings_->Current().shortcuts[static_cast<std::size_t>(command)];
  if (shortcut.key == 0) return {};
  return ShortcutText(env_.keyNames, shortcut.key, shortcut.modifiers);
}

}  // namespace tessary
