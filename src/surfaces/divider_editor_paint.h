#pragma once

// Drawing the divider editor: a light veil over the work area, the layout's regions
// outlined, a handle on every divider and the toolbar with "50/50" and "Done".

#include "layout/layout_tree.h"
#include "platform/canvas.h"
#include "surfaces/divider_editor_geometry.h"
#include "surfaces/theme.h"

namespace tessary {

inline constexpr const char* kDividerEditorHint = "Drag a divider";
inline constexpr const char* kDividerEvenText = "50/50";
inline constexpr const char* kDividerDoneText = "Done";

// Which handle is under the pointer, being dragged or selected (-1 for none).
struct DividerHighlights {
  int hovered = -1;
  int dragged = -1;
  int selected = -1;
};

// `width` x `height` DIPs: the whole work area.
void PaintDividerEditor(Canvas& canvas, const Theme& theme, double width, double height,
                        const NodeRef& tree, const DividerEditorGeometry& geometry,
                        const DividerHighlights& highlights);

}  // namespace tessary
