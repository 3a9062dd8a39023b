#include "desktop/monitor.h"

#include <algorithm>
#include <map>
#include <utility>

namespace tessary {
namespace {

bool AtOrigin(const Rect& r) { return r.x == 0 && r.y == 0; }

// The primary display sits at the desktop origin; the rest go left to right, and top to
// bottom within one column.
bool ComesBefore(const Monitor& a, const Monitor& b) {
  bool aOrigin = AtOrigin(a.bounds);
  bool bOrigin = AtOrigin(b.bounds);
  if (aOrigin != bOrigin) return aOrigin;
  if (a.bounds.x == b.bounds.x) return a.bounds.y < b.bounds.y;
  return a.bounds.x < b.bounds.x;
}

}  // namespace

std::vector<Monitor> OrderedMonitors(const std::vector<RawMonitor>& monitors,
                                     const std::vector<DisplayPath>& paths) {
  // GDI device name -> (device path, friendly name); a later path replaces an earlier one.
  std::map<std::string, std::pair<std::string, std::string>> names;
  for (const DisplayPath& path : paths) {
    names[path.gdiName] = {path.devicePath, path.friendlyName};
  }

  std::vector<Monitor> result;
  result.reserve(monitors.size());
  for (const RawMonitor& raw : monitors) {
    Monitor m;
    m.handle = raw.handle;
    m.bounds = raw.bounds;
    m.work = raw.work;
    m.scale = raw.dpi ? *raw.dpi / 96.0 : 1.0;
    m.id = raw.gdiName;
    m.name = kUnnamedDisplay;
    auto found = names.find(raw.gdiName);
    if (found != names.end()) {
      if (!found->second.first.empty()) m.id = found->second.first;
      if (!found->second.second.empty()) m.name = found->second.second;
    }
    result.push_back(std::move(m));
  }
  std::stable_sort(result.begin(), result.end(), ComesBefore);
  return result;
}

}  // namespace tessary
