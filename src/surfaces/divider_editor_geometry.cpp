#include "surfaces/divider_editor_geometry.h"

#include <algorithm>

#include "layout/tree_geometry.h"
#include "platform/surface.h"

namespace tessary {
namespace {

// The grab area of a handle: thick enough to hit without aiming (the painter draws the
// middle 10 units of it), and long enough to see, yet short of the divider's ends so that
// handles of dividers meeting at a corner stay apart.
constexpr double kHandleThickness = 20;
constexpr double kHandleLength = 96;

}  // namespace

Rect PanelRectOfUnit(const Rect& unit, double width, double height) {
  const double spanX = width - 2 * kDividerEditorInset;
  const double spanY = height - 2 * kDividerEditorInset;
  return {kDividerEditorInset + unit.x * spanX, kDividerEditorInset + unit.y * spanY,
          unit.width * spanX, unit.height * spanY};
}

DividerEditorGeometry LayOutDividerEditor(const NodeRef& tree, double width, double height) {
  DividerEditorGeometry g;
  g.toolbar = {width / 2 - 230, 16, 460, 44};
  g.evenButton = {g.toolbar.x + 300, 23, 70, 30};
  g.doneButton = {g.toolbar.x + 378, 23, 70, 30};
  for (const DividerInfo& divider : ListDividers(tree, {0, 0, 1, 1})) {
    const Rect split = PanelRectOfUnit(divider.rect, width, height);
    DividerHandle handle{.horizontal = divider.axis == Axis::Rows};
    // Both coordinates of the divider line; only the one across the line is used.
    const Rect line = PanelRectOfUnit({divider.position, divider.position, 0, 0}, width, height);
    if (handle.horizontal) {
      const double length = std::min(kHandleLength, split.width / 2);
      handle.grab = {split.x + (split.width - length) / 2, line.y - kHandleThickness / 2, length,
                     kHandleThickness};
    } else {
      const double length = std::min(kHandleLength, split.height / 2);
      handle.grab = {line.x - kHandleThickness / 2, split.y + (split.height - length) / 2,
                     kHandleThickness, length};
    }
    g.handles.push_back(std::move(handle));
  }
  return g;
}

int HandleAt(const std::vector<DividerHandle>& handles, Point panel) {
  for (std::size_t i = 0; i < handles.size(); ++i) {
    if (handles[i].grab.Contains(panel)) return static_cast<int>(i);
  }
  return -1;
}

double DragFraction(bool horizontal, Point desktop, const Rect& area, double scale) {
  const double inset = kDividerEditorInset * scale;
  if (horizontal) return (desktop.y - (area.y + inset)) / (area.height - 2 * inset);
  return (desktop.x - (area.x + inset)) / (area.width - 2 * inset);
}

DividerPress PressAt(const DividerEditorGeometry& geometry, Point panel, int selected,
                     DividerClick& last, double now, double doubleClickSeconds) {
  if (geometry.doneButton.Contains(panel)) return {DividerPressAction::kDone, -1};
  if (geometry.evenButton.Contains(panel) && selected >= 0) {
    return {DividerPressAction::kEvenSplit, selected};
  }
  const int handle = HandleAt(geometry.handles, panel);
  if (handle < 0) return {DividerPressAction::kClear, -1};
  if (handle == last.divider && now - last.time <= doubleClickSeconds) {
    last = {};
    return {DividerPressAction::kEvenSplit, handle};
  }
  last = {handle, now};
  return {DividerPressAction::kStartDrag, handle};
}

bool ClosesDividerEditor(std::uint32_t virtualKey) {
  return virtualKey == surface_key::kEscape || virtualKey == surface_key::kEnter;
}

double DividerPosition(const DividerHandle& handle, double width, double height) {
  const Rect& grab = handle.grab;
  const double centre = handle.horizontal ? grab.y + grab.height / 2 : grab.x + grab.width / 2;
  const double extent = (handle.horizontal ? height : width) - 2 * kDividerEditorInset;
  return extent > 0 ? (centre - kDividerEditorInset) / extent : 0;
}

double DividerKeyStep(const DividerHandle& handle, std::uint32_t virtualKey) {
  namespace k = surface_key;
  const std::uint32_t back = handle.horizontal ? k::kUp : k::kLeft;
  const std::uint32_t on = handle.horizontal ? k::kDown : k::kRight;
  return virtualKey == back ? -kDividerKeyStep : virtualKey == on ? kDividerKeyStep : 0;
}

}  // namespace tessary
