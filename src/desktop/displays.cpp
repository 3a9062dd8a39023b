#include "desktop/desktop.h"

namespace tessary {

std::vector<Monitor> Desktop::EnumerateDisplays() const {
  // The configuration paths first, as the system does: they only add names.
  std::vector<DisplayPath> paths = platform_.displays.ActivePaths();
  return OrderedMonitors(platform_.displays.Monitors(), paths);
}

void Desktop::EnumerateDisplays(std::vector<Monitor>& out) {
  platform_.displays.ActivePaths(displayPaths_);
  platform_.displays.Monitors(rawMonitors_);
  OrderMonitors(rawMonitors_, displayPaths_, out);
}

Point Desktop::CursorPosition() const { return platform_.input.CursorPosition(); }

}  // namespace tessary
