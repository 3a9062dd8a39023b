#pragma once

// The window chooser panel's content and where each part of it lies, in panel units
// (DIPs), and what a point in the panel refers to. Snap Assist uses the simple form (cards
// in a grid, "Leave empty" and a primary button); the stack switcher adds tabs, paging
// arrows, groups of cards with "Stretch Across the Span" buttons and an action-B area.

#include <cstdint>
#include <string>
#include <vector>

#include "base/geometry.h"
#include "platform/ids.h"

namespace tessary {

// One window offered by the panel.
struct ChooserChoice {
  WindowId window = kNoWindow;
  std::string title;
  std::string appName;
  IconId icon = kNoIcon;

  friend bool operator==(const ChooserChoice&, const ChooserChoice&) = default;
};

// Cards shown together under a name (the switcher groups a span's windows by region).
struct ChooserGroup {
  std::string name;
  std::vector<int> cards;  // indices into the choices
  bool spanMark = false;   // its cards carry a "Stretch Across the Span" button
};

// One region of the layout miniature drawn in the action-B area, in fractions of it.
struct ChooserMiniRegion {
  Rect fraction;
  IconId icon = kNoIcon;
};

struct ChooserConfig {
  std::string header;
  std::string primaryText;
  bool leaveEmpty = false;  // the "Leave empty" button; off, cards show their digit keys
  std::vector<ChooserGroup> groups;
  std::vector<std::string> tabs;  // layout names under the header
  int currentTab = -1;
  bool paging = false;
  bool actionB = false;
  std::string actionBLabel;
  std::string actionBShortcut;       // "" when none is bound
  bool actionBDone = false;          // the action's state flag ("✓ In front")
  std::vector<WindowId> actionBWindows;  // what its hover preview shows
  std::vector<ChooserMiniRegion> actionBMiniature;
  std::string previousShortcut;  // for the arrows' tooltips
  std::string nextShortcut;
  WindowId current = kNoWindow;  // the owner's current window, marked with a tick
  int initialFocus = 0;
};

// Item ids: what a point or a key refers to.
namespace chooser_item {
inline constexpr int kStretchBase = 1000;  // + card index
inline constexpr int kTabBase = 2000;      // + tab index
inline constexpr int kLeaveEmpty = -2;
inline constexpr int kPrimary = -3;
inline constexpr int kActionB = -4;
inline constexpr int kPrevious = -5;
inline constexpr int kNext = -6;
inline constexpr int kNothing = -10;
}  // namespace chooser_item

struct ChooserGeometry {
  double width = 0;
  double height = 0;
  std::vector<Rect> cards;     // one per choice; all zero when a card has no room
  std::vector<Rect> previews;  // the live thumbnail's area of each card
  std::vector<Rect> stretch;   // each card's stretch button; all zero when it has none
  std::vector<Rect> tabs;
  std::vector<Rect> groupAreas;  // one per group
  Rect previous;
  Rect next;
  Rect actionB;
  Rect leaveEmpty;
  Rect primary;
};

// Lays out `count` cards and the furniture the configuration asks for in a panel of
// `width` by `height` units.
ChooserGeometry LayOutChooser(const ChooserConfig& config, int count, double width,
                              double height);

// The item under a panel point; chooser_item::kNothing over nothing.
int ChooserHitTest(const ChooserGeometry& geometry, const ChooserConfig& config, Point point);

// Where a live thumbnail of a source window of that size goes in `preview` (units): as
// large as fits with its proportions kept, centred, converted to pixels at `scale`.
Rect ThumbnailDestination(const Rect& preview, double sourceWidth, double sourceHeight,
                          double scale);

}  // namespace tessary
