#pragma once

// Where the divider editor's parts lie, in panel units (the DIPs of the editor's surface,
// which covers a display's work area), and what a pointer, a press or a key selects there.
// Pure, so every rule can be exercised without a window.

#include <cstdint>
#include <vector>

#include "base/geometry.h"
#include "layout/layout_tree.h"

namespace tessary {

struct DividerHandle {
  bool horizontal = false;  // the line runs across: the divider moves up and down (rows)
  Rect grab;                // the grab area across the divider line
};

struct DividerEditorGeometry {
  Rect toolbar;
  Rect evenButton;                     // "50/50"
  Rect doneButton;                     // "Done"
  std::vector<DividerHandle> handles;  // in the order the tree lists its splits
};

// Layouts are laid over the panel inset by 4 on every side.
inline constexpr double kDividerEditorInset = 4;

// A unit-space rectangle of the layout in panel units.
Rect PanelRectOfUnit(const Rect& unit, double width, double height);

// The toolbar at the top centre and one handle per split of `tree`, centred on the
// middle of its divider line.
DividerEditorGeometry LayOutDividerEditor(const NodeRef& tree, double width, double height);

// The first handle whose grab area contains the point; -1 for none.
int HandleAt(const std::vector<DividerHandle>& handles, Point panel);

// Where the pointer puts a dragged divider, as a fraction of the layout's extent along the
// divider's axis (y for a horizontal line). Outside the area it is below 0 or above 1:
// limiting it is the engine's business.
double DragFraction(bool horizontal, Point desktop, const Rect& area, double scale);

// What a press of the left button means.
enum class DividerPressAction {
  kDone,       // on "Done"
  kEvenSplit,  // on "50/50" with a divider selected, or a double click on a handle
  kStartDrag,  // on a handle: it becomes selected and follows the pointer
  kClear,      // elsewhere: the selection is cleared
};

struct DividerPress {
  DividerPressAction action = DividerPressAction::kClear;
  int divider = -1;  // the divider split evenly or dragged
};

// The click remembered for recognising a double click.
struct DividerClick {
  int divider = -1;
  double time = 0;  // seconds
};

// A press at `panel` at time `now`; `last` is the previous click on a handle, forgotten by a
// double click and replaced by a single one. `doubleClickSeconds` is the system's
// double-click time.
DividerPress PressAt(const DividerEditorGeometry& geometry, Point panel, int selected,
                     DividerClick& last, double now, double doubleClickSeconds);

// Escape and Enter close the editor.
bool ClosesDividerEditor(std::uint32_t virtualKey);

// Where a divider stands, measured as DragFraction measures the pointer: the middle of its
// handle across the layout's extent, in a panel of `width` by `height` units.
double DividerPosition(const DividerHandle& handle, double width, double height);

// Without a mouse, Tab selects the next divider and the arrows along the selected divider's
// axis move it by this much (Left and Up towards 0, Right and Down towards 1); 0 for keys
// that do not move it.
inline constexpr double kDividerKeyStep = 0.01;
double DividerKeyStep(const DividerHandle& handle, std::uint32_t virtualKey);

}  // namespace tessary
