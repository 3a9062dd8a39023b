#pragma once

// Rules for the names of the user's own layouts. A name is checked on its code points
// with surrounding whitespace ignored; the name is stored as typed, and the trimmed form
// is what the exchange file carries.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tessary {

inline constexpr std::size_t kMaxLayoutNameCodePoints = 60;

// The user-facing rule and the layout editor's hint.
inline constexpr std::string_view kLayoutNameRule =
    "Layout names must be 1\u201360 characters without control characters.";
inline constexpr std::string_view kLayoutNameHint =
    "Give the layout a name of up to 60 characters.";

// One decoded code point and the bytes it took.
struct CodePoint {
  char32_t value = 0;
  std::size_t length = 1;
};

// Lenient decoding: the lead byte alone decides the length (110xxxxx two bytes, 1110xxxx
// three, 11110xxx four, anything else one byte standing for itself); continuation bytes
// are not checked, and a sequence that would run past the end is one byte. Never fails,
// so every byte string has a well-defined code point count.
CodePoint DecodeCodePoint(std::string_view text, std::size_t offset);

bool IsLayoutNameWhitespace(char32_t c);
bool IsForbiddenInLayoutName(char32_t c);

// The trimmed name when `name` is acceptable: after ignoring leading and trailing
// whitespace, 1 to 60 code points, none of them forbidden, and no control byte hidden
// inside a malformed sequence. Empty when it is not.
std::optional<std::string> NormalizeLayoutName(std::string_view name);

// The first `count` code points of `text` as DecodeCodePoint counts them. Used to shorten
// imported names so a suffix still fits; counting with the name check's own decoder means
// a shortened name always passes that check again, even when the text is not valid UTF-8.
std::string TakeCodePoints(std::string_view text, std::size_t count);

}  // namespace tessary
