#include "platform/win32/hotkeys_win32.h"

namespace tessary {

bool Win32Hotkeys::Register(int id, std::uint32_t modifiers, std::uint32_t virtualKey) {
  HWND window = mainWindow_ ? mainWindow_() : nullptr;
  if (window == nullptr) return false;
  return RegisterHotKey(window, id, modifiers, virtualKey) != FALSE;
}

void Win32Hotkeys::Unregister(int id) {
  HWND window = mainWindow_ ? mainWindow_() : nullptr;
  if (window != nullptr) UnregisterHotKey(window, id);
}

bool Win32KeyboardLayouts::AltGrTypesCharacter(std::uint32_t virtualKey, bool shift) {
  BYTE state[256] = {};
  // AltGr is Ctrl + right Alt to the layouts.
  state[VK_CONTROL] = 0x80;
  state[VK_MENU] = 0x80;
  state[VK_LCONTROL] = 0x80;
  state[VK_RMENU] = 0x80;
  if (shift) {
    state[VK_SHIFT] = 0x80;
    state[VK_LSHIFT] = 0x80;
  }
  HKL layouts[32];
  const int count = GetKeyboardLayoutList(32, layouts);
  for (int i = 0; i < count; ++i) {
    const UINT scanCode = MapVirtualKeyExW(virtualKey, MAPVK_VK_TO_VSC, layouts[i]);
    wchar_t buffer[8] = {};
    // Flag 4: leave the keyboard state alone, so asking never swallows a pending dead key
    // the user is typing.
    const int produced = ToUnicodeEx(virtualKey, scanCode, state, buffer, 8, 4, layouts[i]);
    if (produced < 0) return true;  // a dead key: AltGr+key starts a character
    for (int c = 0; c < produced && c < 8; ++c) {
      if (buffer[c] >= 0x20) return true;
    }
  }
  return false;
}

}  // namespace tessary
