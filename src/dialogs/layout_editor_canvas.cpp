#include "dialogs/layout_editor_canvas.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "layout/tree_geometry.h"

namespace tessary {
namespace {

constexpr double kPreviewMargin = 12;
constexpr double kDividerBand = 10;
constexpr double kFrameOutset = 6;
constexpr double kFrameRadius = 10;
constexpr double kRegionInset = 3;
constexpr double kRegionRadius = 8;
constexpr double kLabelSize = 20;
constexpr double kLabelBand = 30;
constexpr double kAppsSize = 12;
constexpr double kAppsBand = 22;

Rect InPreview(const Rect& unit, const Rect& preview) {
  return {preview.x + unit.x * preview.width, preview.y + unit.y * preview.height,
          unit.width * preview.width, unit.height * preview.height};
}

Rect Inset(const Rect& rect, double by) {
  return {rect.x + by, rect.y + by, std::max(0.0, rect.width - 2 * by),
          std::max(0.0, rect.height - 2 * by)};
}

}  // namespace

Rect EditorPreviewRect(double canvasWidth, double canvasHeight, double aspect) {
  const double availableWidth = std::max(0.0, canvasWidth - 2 * kPreviewMargin);
  const double availableHeight = std::max(0.0, canvasHeight - 2 * kPreviewMargin);
  if (!(aspect > 0) || !std::isfinite(aspect)) aspect = 16.0 / 9.0;
  double width = availableWidth;
  double height = width / aspect;
  if (height > availableHeight) {
    height = availableHeight;
    width = height * aspect;
  }
  return {kPreviewMargin + (availableWidth - width) / 2,
          kPreviewMargin + (availableHeight - height) / 2, width, height};
}

EditorCanvasGeometry LayOutEditorCanvas(const NodeRef& tree, double canvasWidth,
                                        double canvasHeight, double aspect) {
  EditorCanvasGeometry geometry;
  geometry.preview = EditorPreviewRect(canvasWidth, canvasHeight, aspect);
  for (const auto& [region, unit] : RegionRects(tree, kUnitRect)) {
    geometry.regions.emplace_back(region, InPreview(unit, geometry.preview));
  }
  for (const DividerInfo& divider : ListDividers(tree, kUnitRect)) {
    const Rect along = InPreview(divider.rect, geometry.preview);
    EditorDivider band{divider.axis, {}};
    if (divider.axis == Axis::Columns) {
      const double x = geometry.preview.x + divider.position * geometry.preview.width;
      band.band = {x - kDividerBand / 2, along.y, kDividerBand, along.height};
    } else {
      const double y = geometry.preview.y + divider.position * geometry.preview.height;
      band.band = {along.x, y - kDividerBand / 2, along.width, kDividerBand};
    }
    geometry.dividers.push_back(band);
  }
  return geometry;
}

int EditorDividerAt(const EditorCanvasGeometry& geometry, Point units) {
  for (std::size_t i = 0; i < geometry.dividers.size(); ++i) {
    if (geometry.dividers[i].band.Contains(units)) return static_cast<int>(i);
  }
  return -1;
}

std::int32_t EditorRegionAt(const EditorCanvasGeometry& geometry, Point units) {
  for (const auto& [region, rect] : geometry.regions) {
    if (rect.Contains(units)) return region;
  }
  return -1;
}

double EditorPreviewFraction(const EditorCanvasGeometry& geometry, Axis axis, Point units) {
  const Rect& preview = geometry.preview;
  if (axis == Axis::Columns) {
    return preview.width > 0 ? (units.x - preview.x) / preview.width : 0.5;
  }
  return preview.height > 0 ? (units.y - preview.y) / preview.height : 0.5;
}

void PaintEditorCanvas(Canvas& canvas, const EditorCanvasGeometry& geometry,
                       const std::vector<EditorRegionText>& texts, std::int32_t selected,
                       const EditorColors& colors, double canvasWidth, double canvasHeight) {
  canvas.FillRounded({0, 0, canvasWidth, canvasHeight}, 0, colors.background);
  const Rect& preview = geometry.preview;
  canvas.StrokeRounded({preview.x - kFrameOutset, preview.y - kFrameOutset,
                        preview.width + 2 * kFrameOutset, preview.height + 2 * kFrameOutset},
                       kFrameRadius, colors.frame, 1);
  for (const auto& [region, rect] : geometry.regions) {
    const Rect inner = Inset(rect, kRegionInset);
    const bool isSelected = region == selected;
    canvas.FillRounded(inner, kRegionRadius, isSelected ? colors.selected : colors.region);
    if (isSelected) canvas.StrokeRounded(inner, kRegionRadius, colors.selectedBorder, 2);
    const auto text = std::find_if(texts.begin(), texts.end(),
                                   [&](const EditorRegionText& t) { return t.region == region; });
    if (text == texts.end()) continue;
    const double middle = inner.y + inner.height / 2;
    canvas.DrawLabel(std::to_string(text->label), {inner.x, middle - kLabelBand, inner.width, kLabelBand},
                     colors.text, kLabelSize, true, TextAlign::kCenter);
    if (!text->appNames.empty()) {
      const double width = std::max(0.0, inner.width - 12);
      canvas.DrawLabel(text->appNames, {inner.x + (inner.width - width) / 2, middle, width, kAppsBand},
                       colors.secondaryText, kAppsSize, false, TextAlign::kCenter);
    }
  }
}

}  // namespace tessary
