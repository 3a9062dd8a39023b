#pragma once

// Drawing the badge: the translucent pill, its grip, the group of covered fronts, the
// icons with their span bars, the group button and the overflow count.

#include "platform/canvas.h"
#include "surfaces/badge_geometry.h"
#include "surfaces/theme.h"

namespace tessary {

struct BadgePaintInput {
  const BadgeContent* content = nullptr;
  const BadgeParts* parts = nullptr;
  double growth = 0;
  BadgeHit hovered;
  // Whether the overflow button leads anywhere yet; without it the count is shown greyed
  // and never highlights.
  bool overflowActive = false;
};

void PaintBadge(Canvas& canvas, const Theme& theme, const BadgePaintInput& input);

}  // namespace tessary
