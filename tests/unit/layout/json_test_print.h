#pragma once

// Lets GoogleTest show JSON values as text in failure messages.

#include <ostream>

#include "layout/json_value.h"

namespace tessary {

inline void PrintTo(const JsonValue& value, std::ostream* os) { *os << WriteJsonCompact(value); }

}  // namespace tessary
