#pragma once

// The layout editor's preview: where the layout lies in the canvas (it keeps the
// display's proportions), where its regions and dividers are, what the pointer is over,
// and how the preview is painted. All in canvas units; pure apart from the painting.

#include <cstdint>
#include <string>
#include <vector>

#include "base/geometry.h"
#include "layout/layout_tree.h"
#include "platform/canvas.h"

namespace tessary {

// The theme's colours as the preview uses them.
struct EditorColors {
  Color background = kWhite;
  Color frame{0.8, 0.8, 0.8, 1};
  Color region{0.93, 0.93, 0.93, 1};
  Color selected{0.8, 0.88, 0.97, 1};
  Color selectedBorder{0, 0.47, 0.83, 1};
  Color text = kBlack;
  Color secondaryText{0.4, 0.4, 0.4, 1};
};

struct EditorDivider {
  Axis axis = Axis::Columns;
  Rect band;  // 10 units across the divider line, along its whole length
};

struct EditorCanvasGeometry {
  Rect preview;
  std::vector<std::pair<std::int32_t, Rect>> regions;  // ascending region number
  std::vector<EditorDivider> dividers;                 // in the order the tree lists them
};

// The largest rectangle of the work area's proportions (`aspect` = width / height) that
// fits the canvas less 12 units on every side, centred.
Rect EditorPreviewRect(double canvasWidth, double canvasHeight, double aspect);
EditorCanvasGeometry LayOutEditorCanvas(const NodeRef& tree, double canvasWidth,
                                        double canvasHeight, double aspect);

// The first divider whose band holds the point, else -1.
int EditorDividerAt(const EditorCanvasGeometry& geometry, Point units);
// The region under the point, else -1.
std::int32_t EditorRegionAt(const EditorCanvasGeometry& geometry, Point units);
// The point's position along the divider's axis as a fraction of the preview.
double EditorPreviewFraction(const EditorCanvasGeometry& geometry, Axis axis, Point units);

// What a region shows besides its place.
struct EditorRegionText {
  std::int32_t region = 0;
  int label = 0;         // its position in reading order
  std::string appNames;  // joined with " + ", may be empty
};

void PaintEditorCanvas(Canvas& canvas, const EditorCanvasGeometry& geometry,
                       const std::vector<EditorRegionText>& texts, std::int32_t selected,
                       const EditorColors& colors, double canvasWidth, double canvasHeight);

}  // namespace tessary
