#pragma once

// System-wide hotkeys of the main window, and the one question about the installed
// keyboard layouts that decides whether a Ctrl+Alt combination may be a hotkey at all.

#include <cstdint>

namespace tessary {

// MOD_NOREPEAT: holding the keys down does not repeat the hotkey. The other modifier bits
// (1 Alt, 2 Ctrl, 4 Shift, 8 Win) are the settings' own (state/settings.h).
inline constexpr std::uint32_t kModNoRepeat = 0x4000;

class Hotkeys {
 public:
  virtual ~Hotkeys() = default;

  // RegisterHotKey(main window, id, modifiers, virtualKey), the modifier bits passed
  // through unchanged (the caller adds kModNoRepeat). False when the system refuses (the
  // keys belong to another program). A hotkey arrives as WM_HOTKEY with wParam = id
  // through the main window's procedure (platform/main_window.h).
  virtual bool Register(int id, std::uint32_t modifiers, std::uint32_t virtualKey) = 0;
  // UnregisterHotKey(main window, id); nothing when the id is not registered.
  virtual void Unregister(int id) = 0;
};

class KeyboardLayouts {
 public:
  virtual ~KeyboardLayouts() = default;

  // Whether AltGr (+ Shift) with the key types something on any installed layout.
  // Windows: a 256-byte key state with VK_CONTROL, VK_MENU, VK_LCONTROL and VK_RMENU at
  // 0x80 (and VK_SHIFT, VK_LSHIFT when `shift`); for each layout of
  // GetKeyboardLayoutList (at most 32): ToUnicodeEx(key, MapVirtualKeyExW(key,
  // MAPVK_VK_TO_VSC, layout), state, buffer of 8, flags 4, layout). True at the first
  // layout answering negative (a dead key) or giving any character of 0x20 or above.
  virtual bool AltGrTypesCharacter(std::uint32_t virtualKey, bool shift) = 0;
};

}  // namespace tessary
