#include "desktop/desktop.h"

namespace tessary {

std::vector<Monitor> Desktop::EnumerateDisplays() const {
  // The configuration paths first, as the system does: they only add names.
  std::vector<DisplayPath> paths = platform_.displays.ActivePaths();
  return OrderedMonitors(platform_.displays.Monitors(), paths);
}

Point Desktop::CursorPosition() const { return platform_.input.CursorPosition(); }

}  // namespace tessary
