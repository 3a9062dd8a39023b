#include "platform/win32/key_names_win32.h"

#include <windows.h>

#include <cwchar>

#include "platform/win32/wide_text.h"

namespace tessary {

bool IsExtendedKey(std::uint32_t virtualKey) {
  return (virtualKey >= VK_PRIOR && virtualKey <= VK_DOWN) || virtualKey == VK_INSERT ||
         virtualKey == VK_DELETE;
}

std::string Win32KeyNames::KeyName(std::uint32_t virtualKey) const {
  UINT scanCode = MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC);
  // A key the layout has no scan code for cannot be named (some systems answer a NUL).
  if (scanCode == 0) return {};
  LONG parameter = static_cast<LONG>((scanCode & 0xFF) << 16);
  if (IsExtendedKey(virtualKey)) parameter |= 1L << 24;
  wchar_t name[64] = {};
  int length = GetKeyNameTextW(parameter, name, 64);
  if (length <= 0) return {};
  return Utf8FromWide(name, wcsnlen(name, static_cast<std::size_t>(length)));
}

}  // namespace tessary
