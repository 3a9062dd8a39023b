#include "desktop/monitor.h"

#include <cstddef>
#include <string_view>

namespace tessary {
namespace {

bool AtOrigin(const Rect& r) { return r.x == 0 && r.y == 0; }

// The primary display sits at the desktop origin; the rest go left to right, and top to
// bottom within one column.
bool ComesBefore(const RawMonitor& a, const RawMonitor& b) {
  bool aOrigin = AtOrigin(a.bounds);
  bool bOrigin = AtOrigin(b.bounds);
  if (aOrigin != bOrigin) return aOrigin;
  if (a.bounds.x == b.bounds.x) return a.bounds.y < b.bounds.y;
  return a.bounds.x < b.bounds.x;
}

// Where monitor k goes in the program's order: the monitors before it, counting equal
// ones only when the system listed them first (a stable order). There are a handful of
// displays, and counting needs no buffer, unlike a sort.
std::size_t RankOf(const std::vector<RawMonitor>& monitors, std::size_t k) {
  std::size_t rank = 0;
  for (std::size_t m = 0; m < monitors.size(); ++m) {
    if (m == k) continue;
    if (ComesBefore(monitors[m], monitors[k]) ||
        (m < k && !ComesBefore(monitors[k], monitors[m]))) {
      ++rank;
    }
  }
  return rank;
}

// The last configuration path of the GDI device (a later path replaces an earlier one).
const DisplayPath* PathOf(const std::vector<DisplayPath>& paths, const std::string& gdiName) {
  for (auto it = paths.rbegin(); it != paths.rend(); ++it) {
    if (it->gdiName == gdiName) return &*it;
  }
  return nullptr;
}

}  // namespace

void OrderMonitors(const std::vector<RawMonitor>& monitors, const std::vector<DisplayPath>& paths,
                   std::vector<Monitor>& out) {
  out.resize(monitors.size());
  for (std::size_t k = 0; k < monitors.size(); ++k) {
    const RawMonitor& raw = monitors[k];
    Monitor& m = out[RankOf(monitors, k)];
    m.handle = raw.handle;
    m.bounds = raw.bounds;
    m.work = raw.work;
    m.scale = raw.dpi ? *raw.dpi / 96.0 : 1.0;
    const DisplayPath* path = PathOf(paths, raw.gdiName);
    m.id.assign(path && !path->devicePath.empty() ? path->devicePath : raw.gdiName);
    m.name.assign(path && !path->friendlyName.empty() ? path->friendlyName
                                                      : std::string_view(kUnnamedDisplay));
  }
}

std::vector<Monitor> OrderedMonitors(const std::vector<RawMonitor>& monitors,
                                     const std::vector<DisplayPath>& paths) {
  std::vector<Monitor> result;
  OrderMonitors(monitors, paths, result);
  return result;
}

}  // namespace tessary
