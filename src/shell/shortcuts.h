#pragma once

// Keyboard and mouse shortcuts: registering the hotkeys with their conflicts, the AltGr
// test, whether the mouse hook is needed, and moving a captured mouse button.

#include <array>
#include <cstdint>
#include <map>
#include <string>

#include "platform/hotkeys.h"
#include "platform/mouse_hook.h"
#include "state/settings.h"

namespace tessary {

inline constexpr const char* kConflictAltGr =
    "Types a character with AltGr on your keyboard: choose other keys";
inline constexpr const char* kConflictTaken = "Another app already uses these keys";

// Hotkey ids: command index + 1 for the 11 commands, 20 + n for Ctrl+Alt+(n + 1).
inline constexpr int kFirstCommandHotkey = 1;
inline constexpr int kFirstLayoutHotkey = 20;
inline constexpr int kLayoutHotkeyCount = 9;
// The moves to a neighbouring region: 30 + their index in the move table.
inline constexpr int kFirstMoveHotkey = 30;

// Only Ctrl+Alt (Shift allowed, Win not) can be AltGr; those ask the keyboard layouts.
bool TypesWithAltGr(KeyboardLayouts& layouts, std::uint32_t key, std::uint32_t modifiers);

// Unregisters and re-registers the 11 command hotkeys (id = index + 1, MOD_NOREPEAT
// added). The conflict text per command index that could not be registered.
std::map<int, std::string> RegisterShortcuts(Hotkeys& hotkeys, KeyboardLayouts& layouts,
                                             const std::array<KeyShortcut, kShortcutCount>& keys);

// Unregisters and re-registers the 4 move hotkeys (ids 30 to 33) as the 11 above are;
// their conflicts go into `conflicts` under their command index (11 to 14).
void RegisterMoveShortcuts(Hotkeys& hotkeys, KeyboardLayouts& layouts,
                           const std::array<KeyShortcut, kMoveShortcutCount>& keys,
                           std::map<int, std::string>& conflicts);

// Ctrl+Alt+1 to 9 (ids 20 to 28), each unless AltGr types with it; failures are silent.
void RegisterLayoutHotkeys(Hotkeys& hotkeys, KeyboardLayouts& layouts);

std::array<MouseBinding, kMouseBindingCount> MouseBindingsOf(
    const std::array<MouseShortcut, kShortcutCount>& shortcuts);

// The hook is needed while capturing, while the switcher wants the wheel, or while any
// binding has a button of 3 or more.
bool MouseHookNeeded(const std::array<MouseShortcut, kShortcutCount>& shortcuts, bool capturing,
                     bool wheelWanted);

// A button captured for `command`: every binding equal to it is cleared first, so the
// same button and modifiers never trigger two commands.
void AssignMouseShortcut(std::array<MouseShortcut, kShortcutCount>& shortcuts, int command,
                         MouseShortcut captured);

}  // namespace tessary
