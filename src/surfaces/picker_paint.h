#pragma once

// Drawing the picker panel: shadow, body, header line and one card per layout.

#include <cstdint>
#include <map>
#include <vector>

#include "layout/layout_tree.h"
#include "platform/canvas.h"
#include "surfaces/picker_geometry.h"
#include "surfaces/picker_input.h"
#include "surfaces/theme.h"

namespace tessary {

// The icons of the windows already in each region: layout index -> region -> icon.
using PickerIcons = std::map<int, std::map<std::int32_t, IconId>>;

// Header texts.
inline constexpr const char* kPickerGalleryTitle = "Choose a layout for this display";
inline constexpr const char* kPickerInteractiveTitle = "Choose a region for this window";
inline constexpr const char* kPickerDragTitle = "Drag into a region";
// The header's title, which also names the panel to screen readers.
inline const char* PickerTitle(bool gallery, bool interactive) {
  return gallery ? kPickerGalleryTitle : interactive ? kPickerInteractiveTitle : kPickerDragTitle;
}
inline constexpr const char* kPickerInteractiveHint = "Esc to cancel";
inline constexpr const char* kPickerDragHint = "Release elsewhere to leave it";

struct PickerPaintInput {
  const PickerGeometry* geometry = nullptr;
  const std::vector<SnapLayout>* layouts = nullptr;
  const PickerIcons* icons = nullptr;
  PickerHit hovered;
  int current = -1;
  bool interactive = false;
  bool gallery = false;
};

// `width` and `height` are the panel's size in DIPs as the surface gives them.
void PaintPicker(Canvas& canvas, const Theme& theme, const PickerPaintInput& input, double width,
                 double height);

}  // namespace tessary
