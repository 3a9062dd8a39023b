#pragma once

// Wide text lives only at the system calls: the program's UTF-8 becomes UTF-16 right
// before a call and comes back right after. wchar_t is 16 bits on Windows, so the
// conversions reuse the portable char16_t ones.

#include <windows.h>

#include <cwchar>
#include <string>
#include <string_view>

#include "base/utf.h"

namespace tessary {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows wide characters are UTF-16 units");

inline std::wstring WideFromUtf8(std::string_view text) {
  std::u16string wide = FromUtf8(text);
  return std::wstring(reinterpret_cast<const wchar_t*>(wide.data()), wide.size());
}

inline std::string Utf8FromWide(const wchar_t* text, std::size_t length) {
  return ToUtf8(std::u16string_view(reinterpret_cast<const char16_t*>(text), length));
}

inline std::string Utf8FromWide(std::wstring_view text) {
  return Utf8FromWide(text.data(), text.size());
}

// A fixed buffer filled by the system: up to its first NUL, never past its end.
template <std::size_t N>
std::string Utf8FromBuffer(const wchar_t (&buffer)[N]) {
  std::size_t length = 0;
  while (length < N && buffer[length] != L'\0') ++length;
  return Utf8FromWide(buffer, length);
}

// The same into `out`, whose buffer is reused (a name read again costs no allocation).
template <std::size_t N>
void AssignUtf8FromBuffer(const wchar_t (&buffer)[N], std::string& out) {
  std::size_t length = 0;
  while (length < N && buffer[length] != L'\0') ++length;
  out.clear();
  AppendUtf8(std::u16string_view(reinterpret_cast<const char16_t*>(buffer), length), out);
}

}  // namespace tessary
