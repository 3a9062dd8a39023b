#pragma once

// What each interactive view tells screen readers (platform/accessible_items.h), made from
// the same geometry the view draws and hit-tests, so a name is always where its item is.

#include <optional>
#include <vector>

#include "layout/layout_tree.h"
#include "platform/accessible_items.h"
#include "surfaces/badge_geometry.h"
#include "surfaces/chooser_panel_geometry.h"
#include "surfaces/divider_editor_geometry.h"
#include "surfaces/drop_action_menu.h"
#include "surfaces/picker_geometry.h"
#include "surfaces/picker_input.h"

namespace tessary {

// Where a view's panel lies on the desktop: its top-left in pixels and its scale.
struct PanelPlacement {
  Point origin;
  double scale = 1;
};

// A rectangle in the panel's units, on the desktop (pixels).
Rect OnDesktop(const Rect& units, PanelPlacement placement);

// In gallery mode one item per layout, named by the layout; otherwise one per region of
// every layout, named "Region 2 of 3, " + the layout's name. The hovered one has the focus;
// the display's active layout is current.
struct PickerDescription {
  const PickerGeometry* geometry = nullptr;
  const std::vector<SnapLayout>* layouts = nullptr;
  PickerHit hovered;
  int current = -1;
  bool interactive = false;
  bool gallery = false;
};
AccessibleView DescribePicker(const PickerDescription& picker, PanelPlacement placement);

// The cards named by window title and app, then the tabs and buttons the panel shows.
AccessibleView DescribeChooser(const ChooserGeometry& geometry, const ChooserConfig& config,
                               const std::vector<ChooserChoice>& choices, int focus,
                               PanelPlacement placement);

// A window card's name: the window's title and its app's name, each once.
std::string WindowCardName(const std::string& title, const std::string& appName);

// The members' cards (window pixels from `origin`), named like the chooser's.
struct OverviewEntry;
AccessibleView DescribeStackOverview(const std::vector<OverviewEntry>& entries,
                                     const std::vector<Rect>& cards, int selected, Point origin);

// The tiles by their labels (already in desktop pixels); the highlighted one has the focus.
AccessibleView DescribeDropMenu(const DropActionMenu& menu,
                                const std::optional<DropIntent>& highlight);

// The icons shown, by their apps' names and how far each reaches, then the group's combined
// action ("Bring A and B Forward") and "Show the Whole Stack" where it leads somewhere; the
// part under the pointer has the focus. The grip is for the mouse alone.
struct BadgeDescription {
  const BadgeContent* content = nullptr;
  const BadgeParts* parts = nullptr;
  BadgeHit hovered;
  bool overflowActive = false;
};
AccessibleView DescribeBadge(const BadgeDescription& badge, PanelPlacement placement);

// One slider per divider ("Divider 1 of 2, moves left and right", its position in percent
// of the area as value), then "50/50" and "Done"; the selected divider has the focus.
AccessibleView DescribeDividerEditor(const DividerEditorGeometry& geometry, double panelWidth,
                                     double panelHeight, int selected, PanelPlacement placement);

}  // namespace tessary
