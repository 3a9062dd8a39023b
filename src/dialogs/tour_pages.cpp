#include "dialogs/tour_pages.h"

#include <algorithm>
#include <array>

namespace tessary {
namespace {

constexpr std::array<TourPage, kTourPageCount> kPages{{
    {"Drop windows into place",
     "Drag a window to the top center of a display and drop it into a region of a layout. "
     "Once windows are placed, drag another onto one of them and pick from the tiles: add it "
     "to the stack, take a half, rejoin a split, or swap. Escape closes the tiles and keeps "
     "the drag.",
     "Show the Layouts", TourAction::kShowGallery},
    {"Stack windows in one spot",
     "Windows that share a region form a stack. The badge on the front window's left edge "
     "shows what's behind it; click an icon to switch, or “+N” for all of them. Ctrl+Alt+S "
     "opens the full switcher, and the mouse wheel flips through.",
     "Open This Window's Stack", TourAction::kShowStack},
    {"Span across regions",
     "Hold Ctrl while dragging a window's edge across its neighbors, and it covers whole "
     "regions. The windows underneath stay stacked behind it; the button on its badge, or "
     "Ctrl+Alt+B, brings them forward.",
     "", TourAction::kNone},
    {"Your layouts, with their apps",
     "Design layouts for the parts of your day and choose the apps that live in each spot. "
     "Applying one opens and places them; Ctrl+Alt+1–9 switch between your layouts.",
     "Create a Layout", TourAction::kCreateLayout},
    {"Keys and mouse buttons",
     "Every action has a keyboard shortcut you can change, and any of them can take your "
     "mouse's middle or side button: middle-click a stacked window to open its stack, for "
     "example.",
     "Open Shortcuts", TourAction::kOpenSettings},
}};

}  // namespace

const TourPage& TourPageAt(int index) {
  return kPages[static_cast<std::size_t>(std::clamp(index, 0, kTourPageCount - 1))];
}

}  // namespace tessary
