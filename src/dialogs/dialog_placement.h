#pragma once

// Where a dialog-like window opens: centered on a point of a display, at that display's
// scale, with a dark caption in the dark theme.

#include "base/geometry.h"

namespace tessary {

struct DialogPlacement {
  double scale = 1;
  Point center;  // desktop pixels
  bool dark = false;
};

}  // namespace tessary
