#pragma once

// The picture of the desktop that a diagnostics recording takes at its start and at its
// end: displays with their layouts and regions, the manageable windows front to back, and
// the switches that change what the program does. Windows are named by handle and app,
// never by title, so the user can send the file without reading it line by line.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/geometry.h"
#include "layout/region_map.h"

namespace tessary {

struct SnapshotDisplay {
  std::string name;
  Rect bounds;
  Rect work;
  double scale = 1.0;
  std::optional<std::string> layoutId;  // none: no layout is active there
  RegionMap regions;                    // the active layout's regions on the work area
};

struct SnapshotWindow {
  std::uint64_t handle = 0;
  std::string app;  // the app's display name
  Rect frame;
};

struct SnapshotFacts {
  std::vector<SnapshotDisplay> displays;  // in the display list's order
  std::vector<SnapshotWindow> windows;    // front to back
  int rememberedSizes = 0;                // apps with a remembered minimum size
  bool movedBadges = false;
  bool paused = false;
  bool stacks = true;
  bool badges = true;
  bool badgesOnEdge = true;
};

// The snapshot as it goes into the file, CR LF line ends.
std::string SnapshotText(const SnapshotFacts& facts);

}  // namespace tessary
