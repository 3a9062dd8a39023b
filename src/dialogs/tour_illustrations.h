#pragma once

// The pictures of the tour's pages, drawn with the surfaces' toolkit: a display with the
// picker and regions, a stack with its badge, a span, a layout with its apps, and the keys
// and mouse buttons. Each fits the area it is given and uses only the palette's colours.

#include "platform/canvas.h"

namespace tessary {

struct TourPalette {
  Color backdrop;   // the picture's background
  Color screen;     // a display
  Color region;     // an empty region
  Color window;     // an app window
  Color ink;        // text and keycap letters
  Color muted;      // secondary lines
  Color accent;     // the region a window goes to, highlights
  Color accentSoft; // tinted fills
  Color line;       // outlines and keycap borders
  Color caption;    // the tour's small caption, on the window's own background
};

// Page 0 to 4 (others draw nothing) into (0, 0, width, height).
void PaintTourIllustration(Canvas& canvas, int page, double width, double height,
                           const TourPalette& palette);

}  // namespace tessary
