#pragma once

// What a drawn view tells screen readers: its name and role, the items the user can point
// at or move the keyboard to (each with a name, a role and where it is), and which of them
// has the focus. Views draw themselves, so nothing of this can be read from the pixels;
// each view fills it in when it presents or its focus moves and hands it to its surface
// (Surface::Describe), which answers the system's accessibility questions with it.

#include <cstdint>
#include <string>
#include <vector>

#include "base/geometry.h"

namespace tessary {

enum class AccessibleRole : std::uint8_t {
  kDialog,      // a panel the user works in
  kMenu,        // a panel of actions
  kListItem,    // a card or a region to choose
  kPushButton,
  kPageTab,
  kMenuItem,    // an action in a menu
  kSlider,      // something moved along one axis (a divider)
  kAlert,       // a message that comes by itself (a toast): read out each time it is given
};

struct AccessibleItem {
  std::string name;  // UTF-8, what a screen reader says
  AccessibleRole role = AccessibleRole::kListItem;
  Rect rect;           // desktop pixels
  std::string value;   // e.g. where a divider stands; empty for none
  bool current = false;  // the one in use (the display's layout, the owner's window)

  friend bool operator==(const AccessibleItem&, const AccessibleItem&) = default;
};

struct AccessibleView {
  std::string name;
  AccessibleRole role = AccessibleRole::kDialog;
  std::vector<AccessibleItem> items;
  int focused = -1;  // index into items; -1: none of them

  const AccessibleItem* Focused() const {
    return focused >= 0 && focused < static_cast<int>(items.size())
               ? &items[static_cast<std::size_t>(focused)]
               : nullptr;
  }
  friend bool operator==(const AccessibleView&, const AccessibleView&) = default;
};

}  // namespace tessary
