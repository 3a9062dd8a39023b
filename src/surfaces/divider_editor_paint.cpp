#include "surfaces/divider_editor_paint.h"

#include "layout/tree_geometry.h"

namespace tessary {
namespace {

void PaintRegions(Canvas& canvas, const Theme& theme, double width, double height,
                  const NodeRef& tree) {
  for (const auto& [region, unit] : RegionRects(tree, {0, 0, 1, 1})) {
    const Rect r = PanelRectOfUnit(unit, width, height);
    canvas.StrokeRounded({r.x + 4, r.y + 4, r.width - 8, r.height - 8}, 8,
                         WithAlpha(theme.accent, 0.55), 2);
  }
}

void PaintHandles(Canvas& canvas, const Theme& theme, const DividerEditorGeometry& geometry,
                  const DividerHighlights& highlights) {
  for (std::size_t i = 0; i < geometry.handles.size(); ++i) {
    const DividerHandle& handle = geometry.handles[i];
    const Rect& g = handle.grab;
    // The visible handle is the middle of the grab area across the line.
    const Rect bar = handle.horizontal ? Rect{g.x, g.y + 5, g.width, g.height - 10}
                                       : Rect{g.x + 5, g.y, g.width - 10, g.height};
    canvas.FillRounded({bar.x - 1, bar.y - 1, bar.width + 2, bar.height + 2}, 4,
                       theme.highContrast ? theme.background : WithAlpha(kWhite, 0.9));
    const int index = static_cast<int>(i);
    const bool lit =
        index == highlights.hovered || index == highlights.dragged || index == highlights.selected;
    // A contrast theme has no faint accent: handles at rest take the text colour.
    const Color rest = theme.highContrast ? theme.text : WithAlpha(theme.accent, 0.6);
    canvas.FillRounded(bar, 3, lit ? theme.accent : rest);
  }
}

void PaintToolbar(Canvas& canvas, const Theme& theme, const DividerEditorGeometry& geometry,
                  bool hasSelection) {
  const Rect& bar = geometry.toolbar;
  canvas.DrawShadow(bar, 12, theme.dark);
  canvas.FillRounded(bar, 12, theme.background);
  canvas.DrawLabel(kDividerEditorHint, {bar.x + 16, bar.y, bar.width - 190, bar.height}, theme.text,
                   13, false, TextAlign::kLeading);
  canvas.FillRounded(geometry.evenButton, 6,
                     hasSelection ? theme.regionFill
                                  : SeeThrough(theme, theme.regionFill, theme.regionFill.a * 0.4));
  canvas.DrawLabel(kDividerEvenText, geometry.evenButton, hasSelection ? theme.text : theme.secondaryText,
                   12.5, false, TextAlign::kCenter);
  canvas.FillRounded(geometry.doneButton, 6, theme.accent);
  canvas.DrawLabel(kDividerDoneText, geometry.doneButton, theme.highlightText, 12.5, true,
                   TextAlign::kCenter);
}

}  // namespace

void PaintDividerEditor(Canvas& canvas, const Theme& theme, double width, double height,
                        const NodeRef& tree, const DividerEditorGeometry& geometry,
                        const DividerHighlights& highlights) {
  canvas.FillRounded({0, 0, width, height}, 0, WithAlpha(kBlack, 0.18));
  PaintRegions(canvas, theme, width, height, tree);
  PaintHandles(canvas, theme, geometry, highlights);
  PaintToolbar(canvas, theme, geometry, highlights.selected >= 0);
}

}  // namespace tessary
