#pragma once

// Conversions between UTF-16 (the platform's wide text) and UTF-8 (all text inside the
// program). Invalid input never fails: each ill-formed part becomes U+FFFD, the way the
// platform's own UTF-8 converter does it, so text from any source can be carried through.

#include <cstddef>
#include <string>
#include <string_view>

namespace tessary {

// UTF-16 to UTF-8. Lone surrogates become U+FFFD. NUL units are converted like any other.
std::string ToUtf8(std::u16string_view text);

// Appends the UTF-8 form of `text` to `out` (same rules as ToUtf8).
void AppendUtf8(std::u16string_view text, std::string& out);

// UTF-8 to UTF-16. Each maximal ill-formed subpart (invalid, overlong, surrogate or
// truncated sequences, code points above U+10FFFF) becomes one U+FFFD.
std::u16string FromUtf8(std::string_view text);

// One character of UTF-8 text, read leniently: the lead byte alone decides the length
// (110xxxxx two bytes, 1110xxxx three, 11110xxx four, anything else one byte standing for
// itself); continuation bytes are not checked, and a sequence that would run past the end
// is one byte. Never fails, so every byte string has a well-defined count of characters;
// counting, cutting and the layout-name rule all read text this one way.
struct CodePoint {
  char32_t value = 0;
  std::size_t length = 1;
};
CodePoint DecodeCodePoint(std::string_view text, std::size_t offset);

// The first `characters` characters of `text` as DecodeCodePoint counts them, so the cut
// never splits a sequence: what a fixed buffer of the system's keeps of a longer text,
// and a prefix that reads as the same characters on its own.
std::string CutToCharacters(std::string_view text, std::size_t characters);

}  // namespace tessary
