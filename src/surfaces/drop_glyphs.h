#pragma once

// The small pictogram on each drop menu tile, by the intent's kind: what the window would
// take (a half, the whole column, a place in the stack, ...), drawn in a 44 x 36 box.

#include <cstdint>

#include "platform/canvas.h"

namespace tessary {

inline constexpr double kDropGlyphWidth = 44;
inline constexpr double kDropGlyphHeight = 36;

// Kinds without a pictogram draw nothing.
void DrawDropGlyph(Canvas& canvas, std::int32_t kind, const Rect& box, Color color);

}  // namespace tessary
