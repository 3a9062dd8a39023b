#pragma once

// The program's view of one display, and the ordering and naming rules that turn the
// system's monitor list into it. Pure functions: the platform calls live in Desktop.

#include <functional>
#include <string>
#include <vector>

#include "base/geometry.h"
#include "platform/display_source.h"
#include "platform/ids.h"

namespace tessary {

// One active display. A plain value; `handle` is valid only until the display
// configuration changes and is never stored.
struct Monitor {
  MonitorId handle{};
  Rect bounds;
  Rect work;           // the bounds less task bars
  double scale = 1.0;  // effective DPI / 96; 1.0 when the DPI cannot be read
  // The display key (UTF-8): the monitor's device interface path, or its GDI device name
  // when the configuration gives none. Per-display state is stored under it.
  std::string id;
  std::string name;  // the monitor's model name, or "Display"

  friend bool operator==(const Monitor&, const Monitor&) = default;
};

// The name given to a display whose configuration does not name it.
inline constexpr const char* kUnnamedDisplay = "Display";

// The displays in the program's order: the primary (bounds at the desktop origin) first,
// then from left to right, displays in one column from top to bottom; displays that
// compare equal keep the system's order. Names and ids come from the configuration
// paths; with several paths for one GDI device (duplicated displays) the last one wins.
std::vector<Monitor> OrderedMonitors(const std::vector<RawMonitor>& monitors,
                                     const std::vector<DisplayPath>& paths);
// The same into `out`, reusing its elements and their strings: unchanged displays cost no
// allocation, since each position receives the same display as the last time.
void OrderMonitors(const std::vector<RawMonitor>& monitors, const std::vector<DisplayPath>& paths,
                   std::vector<Monitor>& out);

// Index of the first display whose bounds contain the point (left and top edges
// inclusive), or -1. `displays` may also be a list of records that each hold a display,
// with `monitorOf` picking it out (a member pointer will do).
template <typename Displays, typename MonitorOf = std::identity>
int DisplayAt(const Displays& displays, Point point, MonitorOf monitorOf = {}) {
  int index = 0;
  for (const auto& display : displays) {
    const Monitor& monitor = std::invoke(monitorOf, display);
    if (monitor.bounds.Contains(point)) return index;
    ++index;
  }
  return -1;
}

}  // namespace tessary
