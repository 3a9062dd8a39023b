#pragma once

// Drawing the stack overview: the blurred, darkened screen behind, then each card with
// its shadow, its app's icon (which the live preview covers once the system draws one),
// the selection ring and its label, all zoomed and faded with the opening's progress.

#include <string>
#include <vector>

#include "platform/canvas.h"
#include "surfaces/theme.h"

namespace tessary {

struct OverviewPaintCard {
  Rect rect;  // pixels of the overview window
  IconId icon = kNoIcon;
  std::string label;
};

struct OverviewPaintInput {
  const std::vector<OverviewPaintCard>* cards = nullptr;
  double scale = 1;
  double progress = 1;  // 0 closed, 1 open
  int hovered = -1;
  int selected = 0;
  bool closing = false;
};

// `width` and `height` in units (pixels / scale).
void PaintOverview(Canvas& canvas, const Theme& theme, const OverviewPaintInput& input,
                   double width, double height);

}  // namespace tessary
