#pragma once

// Where the toast card goes and how big it is: sized to its text, centred 40 DIPs above
// the bottom of the work area of the display under the pointer.

#include <optional>
#include <vector>

#include "base/geometry.h"
#include "platform/canvas.h"
#include "surfaces/toast_text.h"

namespace tessary {

// What the toast needs to know of a display (desktop pixels).
struct ToastDisplay {
  Rect bounds;
  Rect work;
  double scale = 1;
};

struct ToastLayout {
  // The card at full opacity, desktop pixels.
  double x = 0;
  double y = 0;
  double width = 0;
  double height = 0;
  double widthDip = 0;
  double heightDip = 0;
  double scale = 1;
  // The width text is wrapped at, and the measured text, in DIPs.
  double maxText = 0;
  double textWidth = 0;
  double titleHeight = 0;
  double bodyHeight = 0;  // 0 without a body
};

// Left of the text: 14 margin + 26 icon + 11; right of it: 22.
inline constexpr double kToastTextLeft = 51;
inline constexpr double kToastTextRight = 22;

// The display containing the pointer, else the first; none without displays.
std::optional<ToastLayout> LayOutToast(const ToastText& text,
                                       const std::vector<ToastDisplay>& displays, Point cursor,
                                       TextMeasurer& measurer);

}  // namespace tessary
