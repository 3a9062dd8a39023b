// The shortcut rows: a hotkey field per command (a new combination counts only with Ctrl
// or Alt; an emptied field turns the shortcut off) and a mouse box that waits for the
// next middle or side button click, which the shell's mouse hook captures.

#include "shell/settings_window.h"
#include "shell/settings_window_layout.h"
#include "state/shortcut_text.h"

namespace tessary {
namespace {

namespace id = settings_control;

constexpr const char* kClickAButton = "Click a button\u2026";

}  // namespace

bool SettingsWindow::OnShortcutCommand(int controlId, DialogEvent event) {
  if (controlId == id::kRestoreDefaults) {
    RestoreDefaults();
    return true;
  }
  if (const int command = id::CommandOfHotkey(controlId);
      command >= 0 && event == DialogEvent::kHotkeyChanged) {
    OnHotkeyChanged(command);
    return true;
  }
  if (const int command = id::CommandOfMouseBox(controlId); command >= 0) {
    OnMouseBoxClicked(command);
    return true;
  }
  return false;
}

void SettingsWindow::OnHotkeyChanged(int command) {
  const DialogHotkey entered = window_->Hotkey(id::HotkeyOf(command));
  KeyShortcut chosen;  // an empty field: off
  if (entered.virtualKey != 0) {
    // Without Ctrl or Alt the keys would take a plain key from every app; the field
    // keeps showing them but nothing changes.
    if ((entered.modifiers & (kModCtrl | kModAlt)) == 0) return;
    chosen = KeyShortcut{entered.virtualKey, entered.modifiers & (kModAlt | kModCtrl | kModShift)};
    // The field cannot take Win; the moves always have it (see kMoveKeysNote).
    if (command >= kShortcutCount) chosen.modifiers |= kModWin;
  }
  Settings next = host_.settings.Current();
  KeyShortcut& slot = CommandKeys(next, command);
  if (slot == chosen) return;
  slot = chosen;
  Apply(std::move(next));
}

void SettingsWindow::OnMouseBoxClicked(int command) {
  if (waiting_ == command) {
    // The same box again while it waits: the row gets no button.
    StopWaiting();
    Settings next = host_.settings.Current();
    next.mouseShortcuts[static_cast<std::size_t>(command)] = MouseShortcut{};
    Apply(std::move(next));
  } else {
    waiting_ = command;
    if (host_.beginMouseCapture) host_.beginMouseCapture(command);
  }
  ShowMouseBoxes();
}

void SettingsWindow::OnMouseCaptured() {
  waiting_.reset();
  if (!IsOpen()) return;
  ShowMouseBoxes();
  ShowConflicts();
  ShowSaveOutcome();
}

void SettingsWindow::ShowMouseBoxes() {
  const Settings& s = host_.settings.Current();
  for (int command = 0; command < kShortcutCount; ++command) {
    const MouseShortcut& mouse = s.mouseShortcuts[static_cast<std::size_t>(command)];
    const std::string text = waiting_ == command ? std::string(kClickAButton)
                                                 : MouseShortcutText(mouse.button, mouse.modifiers);
    window_->SetText(id::MouseBoxOf(command), text);
    // The box is a button, named by its text alone: without this a screen reader would
    // read "None" for every row and never say which command the button is for.
    window_->SetAccessibleName(
        id::MouseBoxOf(command),
        std::string(CommandShortcutInfo(command).displayName) + " mouse button: " + text);
  }
}

void SettingsWindow::RestoreDefaults() {
  StopWaiting();
  Settings next = host_.settings.Current();
  next.shortcuts = DefaultShortcuts();
  next.moveShortcuts = DefaultMoveShortcuts();
  next.mouseShortcuts = {};
  Apply(std::move(next));
  ShowRecord();
}

void SettingsWindow::StopWaiting() {
  if (!waiting_) return;
  waiting_.reset();
  if (host_.endMouseCapture) host_.endMouseCapture();
}

}  // namespace tessary
