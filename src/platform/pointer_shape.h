#pragma once

#include <cstdint>

namespace tessary {

// The pointer shapes a view asks for (the system's IDC_ARROW, IDC_SIZENS, IDC_SIZEWE).
enum class PointerShape : std::uint8_t { kArrow, kSizeNorthSouth, kSizeWestEast };

}  // namespace tessary
