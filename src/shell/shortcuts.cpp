#include "shell/shortcuts.h"

namespace tessary {

bool TypesWithAltGr(KeyboardLayouts& layouts, std::uint32_t key, std::uint32_t modifiers) {
  if ((modifiers & (kModAlt | kModCtrl | kModWin)) != (kModAlt | kModCtrl)) return false;
  return layouts.AltGrTypesCharacter(key, (modifiers & kModShift) != 0);
}

namespace {

// One command's hotkey under `id`; its conflict, if any, under `command`.
void RegisterOne(Hotkeys& hotkeys, KeyboardLayouts& layouts, int id, int command,
                 const KeyShortcut& shortcut, std::map<int, std::string>& conflicts) {
  hotkeys.Unregister(id);
  if (shortcut.key == 0) return;
  if (TypesWithAltGr(layouts, shortcut.key, shortcut.modifiers)) {
    conflicts[command] = kConflictAltGr;
    return;
  }
  if (!hotkeys.Register(id, shortcut.modifiers | kModNoRepeat, shortcut.key)) {
    conflicts[command] = kConflictTaken;
  }
}

}  // namespace

std::map<int, std::string> RegisterShortcuts(Hotkeys& hotkeys, KeyboardLayouts& layouts,
                                             const std::array<KeyShortcut, kShortcutCount>& keys) {
  std::map<int, std::string> conflicts;
  for (int i = 0; i < kShortcutCount; ++i) {
    RegisterOne(hotkeys, layouts, kFirstCommandHotkey + i, i, keys[static_cast<std::size_t>(i)],
                conflicts);
  }
  return conflicts;
}

void RegisterMoveShortcuts(Hotkeys& hotkeys, KeyboardLayouts& layouts,
                           const std::array<KeyShortcut, kMoveShortcutCount>& keys,
                           std::map<int, std::string>& conflicts) {
  for (int i = 0; i < kMoveShortcutCount; ++i) {
    RegisterOne(hotkeys, layouts, kFirstMoveHotkey + i, kShortcutCount + i,
                keys[static_cast<std::size_t>(i)], conflicts);
  }
}

void RegisterLayoutHotkeys(Hotkeys& hotkeys, KeyboardLayouts& layouts) {
  constexpr std::uint32_t kCtrlAlt = kModCtrl | kModAlt;
  for (int n = 0; n < kLayoutHotkeyCount; ++n) {
    const std::uint32_t digit = '1' + static_cast<std::uint32_t>(n);
    if (TypesWithAltGr(layouts, digit, kCtrlAlt)) continue;
    hotkeys.Register(kFirstLayoutHotkey + n, kCtrlAlt | kModNoRepeat, digit);
  }
}

std::array<MouseBinding, kMouseBindingCount> MouseBindingsOf(
    const std::array<MouseShortcut, kShortcutCount>& shortcuts) {
  std::array<MouseBinding, kMouseBindingCount> bindings{};
  for (std::size_t i = 0; i < bindings.size() && i < shortcuts.size(); ++i) {
    bindings[i] = MouseBinding{shortcuts[i].button, shortcuts[i].modifiers};
  }
  return bindings;
}

bool MouseHookNeeded(const std::array<MouseShortcut, kShortcutCount>& shortcuts, bool capturing,
                     bool wheelWanted) {
  if (capturing || wheelWanted) return true;
  for (const MouseShortcut& shortcut : shortcuts) {
    if (shortcut.button >= kMouseMiddle) return true;
  }
  return false;
}

void AssignMouseShortcut(std::array<MouseShortcut, kShortcutCount>& shortcuts, int command,
                         MouseShortcut captured) {
  if (command < 0 || command >= kShortcutCount) return;
  for (MouseShortcut& shortcut : shortcuts) {
    if (shortcut == captured) shortcut = MouseShortcut{};
  }
  shortcuts[static_cast<std::size_t>(command)] = captured;
}

}  // namespace tessary
