#pragma once

// The system's raw view of the displays. Ordering, naming and containment are done by
// portable code (desktop/displays.h); this interface only reports what the system says.

#include <optional>
#include <string>
#include <vector>

#include "base/geometry.h"
#include "platform/ids.h"

namespace tessary {

// One monitor as GetMonitorInfoW (MONITORINFOEXW) and GetDpiForMonitor report it.
struct RawMonitor {
  MonitorId handle{};
  Rect bounds;  // rcMonitor
  Rect work;    // rcWork: the bounds less task bars
  // Effective horizontal DPI (MDT_EFFECTIVE_DPI); absent when it cannot be read.
  std::optional<double> dpi;
  std::string gdiName;  // szDevice, e.g. "\\.\DISPLAY1" (UTF-8)
};

// One active path of the display configuration whose source and target names were both
// read: the GDI device name of its source, the target's device interface path and its
// friendly (model) name. Either string may be empty.
struct DisplayPath {
  std::string gdiName;
  std::string devicePath;
  std::string friendlyName;
};

class DisplaySource {
 public:
  virtual ~DisplaySource() = default;

  // EnumDisplayMonitors over the whole desktop, each with GetMonitorInfoW and
  // GetDpiForMonitor, in the system's enumeration order. A monitor whose information
  // cannot be read is left out. `out` is replaced; its elements and their strings are
  // reused, so that asking again about unchanged displays allocates nothing.
  virtual void Monitors(std::vector<RawMonitor>& out) = 0;

  // GetDisplayConfigBufferSizes + QueryDisplayConfig(QDC_ONLY_ACTIVE_PATHS), then
  // DisplayConfigGetDeviceInfo for each path's source name and target name. Paths whose
  // requests fail are skipped; empty when the query itself fails. In the system's order
  // (with duplicated displays several paths name one GDI device). `out` is reused as above.
  virtual void ActivePaths(std::vector<DisplayPath>& out) = 0;

  // The same answers as new vectors.
  std::vector<RawMonitor> Monitors() {
    std::vector<RawMonitor> monitors;
    Monitors(monitors);
    return monitors;
  }
  std::vector<DisplayPath> ActivePaths() {
    std::vector<DisplayPath> paths;
    ActivePaths(paths);
    return paths;
  }

  // MonitorFromRect(MONITOR_DEFAULTTONEAREST) + GetMonitorInfoW: the display nearest to
  // the rectangle; absent when its information cannot be read.
  virtual std::optional<RawMonitor> NearestMonitor(const Rect& rect) = 0;
};

}  // namespace tessary
