#include "layout/layout_names.h"

#include "base/utf.h"

namespace tessary {

bool IsLayoutNameWhitespace(char32_t c) {
  return c == 0x20 || (c >= 0x09 && c <= 0x0D) || c == 0x85 || c == 0xA0 || c == 0x1680 ||
         (c >= 0x2000 && c <= 0x200A) || c == 0x2028 || c == 0x2029 || c == 0x202F || c == 0x205F ||
         c == 0x3000;
}

bool IsForbiddenInLayoutName(char32_t c) {
  return c <= 0x1F || (c >= 0x7F && c <= 0x9F) || c == 0xAD || (c >= 0x600 && c <= 0x605) ||
         c == 0x61C || c == 0x6DD || c == 0x70F || c == 0x180E || (c >= 0x200B && c <= 0x200F) ||
         (c >= 0x202A && c <= 0x202E) || (c >= 0x2060 && c <= 0x2064) ||
         (c >= 0x2066 && c <= 0x206F) || c == 0xFEFF || (c >= 0xFFF9 && c <= 0xFFFB) ||
         (c >= 0xE0001 && c <= 0xE007F);
}

namespace {

// The trimmed name when it has 1 to 60 code points and none of them is forbidden.
std::optional<std::string_view> TrimAndCheck(std::string_view name) {
  // Byte range of the text between the first and the last non-whitespace code point.
  std::size_t begin = name.size();
  std::size_t end = 0;
  for (std::size_t offset = 0; offset < name.size();) {
    const CodePoint cp = DecodeCodePoint(name, offset);
    if (!IsLayoutNameWhitespace(cp.value)) {
      if (begin == name.size()) begin = offset;
      end = offset + cp.length;
    }
    offset += cp.length;
  }
  if (begin >= end) return std::nullopt;
  const std::string_view trimmed = name.substr(begin, end - begin);
  std::size_t count = 0;
  for (std::size_t offset = 0; offset < trimmed.size(); ++count) {
    const CodePoint cp = DecodeCodePoint(trimmed, offset);
    if (IsForbiddenInLayoutName(cp.value)) return std::nullopt;
    offset += cp.length;
  }
  if (count > kMaxLayoutNameCodePoints) return std::nullopt;
  return trimmed;
}

}  // namespace

std::optional<std::string> NormalizeLayoutName(std::string_view name) {
  const std::optional<std::string_view> trimmed = TrimAndCheck(name);
  if (!trimmed) return std::nullopt;
  // The lenient decoder lets a lead byte swallow the next bytes unchecked, so a control
  // byte (even NUL, which the stored JSON cannot keep) could hide inside a "character".
  // No such byte belongs to any character of a well-formed name.
  for (const char byte : *trimmed) {
    if (static_cast<unsigned char>(byte) < 0x20 || byte == 0x7F) return std::nullopt;
  }
  return std::string(*trimmed);
}

bool IsAcceptableStoredLayoutName(std::string_view name) { return TrimAndCheck(name).has_value(); }

}  // namespace tessary
