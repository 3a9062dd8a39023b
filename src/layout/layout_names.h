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

bool IsLayoutNameWhitespace(char32_t c);
bool IsForbiddenInLayoutName(char32_t c);

// The trimmed name when `name` is acceptable for a new, imported or exported layout:
// after ignoring leading and trailing whitespace, 1 to 60 code points, none of them
// forbidden, and no control byte hidden inside a malformed sequence. Empty when it is not.
std::optional<std::string> NormalizeLayoutName(std::string_view name);

// Whether a name already stored with one of the user's layouts is kept at load: the code
// point rule alone. Names saved before the hidden-control-byte check was added must not
// cost the user the layout.
bool IsAcceptableStoredLayoutName(std::string_view name);

}  // namespace tessary
