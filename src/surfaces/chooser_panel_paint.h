#pragma once

// Drawing the window chooser panel: body, header, the switcher's furniture, the cards
// with their captions and the buttons. The live previews are drawn by the system over the
// preview areas; a card without one shows its app's icon large in that area instead.

#include <vector>

#include "platform/canvas.h"
#include "surfaces/chooser_panel_geometry.h"
#include "surfaces/theme.h"

namespace tessary {

inline constexpr const char* kChooserNoChoicesText = "No other windows on this display";
inline constexpr const char* kChooserLeaveEmptyText = "Leave empty";

struct ChooserPaintInput {
  const ChooserGeometry* geometry = nullptr;
  const ChooserConfig* config = nullptr;
  const std::vector<ChooserChoice>* choices = nullptr;
  // Per card: the system draws a live thumbnail over its preview area.
  const std::vector<bool>* liveThumbnails = nullptr;
  int focus = 0;
  int hovered = chooser_item::kNothing;
  bool hasFocus = false;  // the panel has the keyboard focus (the focus mark shows)
};

// The solid colour the panel is cleared to.
Color ChooserBackground(const Theme& theme);

// The square in which a card without a live preview shows its app's icon: centred in the
// preview area, half its shorter side, at most 96 units.
Rect ChooserFallbackIconRect(const Rect& preview);

void PaintChooser(Canvas& canvas, const Theme& theme, const ChooserPaintInput& input,
                  double width, double height);

}  // namespace tessary
