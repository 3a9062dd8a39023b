#pragma once

// Stacks as the desktop shows them: which windows share a region (or a span of regions),
// in what order, which of them stand in front, and what the badge of a front window
// lists. Derived afresh on every pass; nothing here is stored.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "base/geometry.h"
#include "engine/region_membership.h"
#include "layout/region_map.h"
#include "surfaces/badge_geometry.h"

namespace tessary {

// A display whose layout is active, with the layout's pixel rectangles on its work area.
struct StackDisplay {
  std::string id;
  Rect bounds;
  Rect work;
  double scale = 1;
  RegionMap regions;
};

struct StackInfo {
  std::string display;
  Rect bounds;
  Rect work;
  double scale = 1;
  Rect area;
  std::vector<WindowId> members;  // by ascending use sequence
  std::vector<Rect> frames;       // one per member
  std::vector<std::int32_t> regions;
  std::vector<Rect> regionRects;        // one per region
  std::vector<WindowId> regionFronts;   // the front-most window listed in each region
  std::vector<WindowId> spanning;       // members whose frame covers several regions
  std::vector<WindowId> fronts;         // members that stand in front (badge candidates)
};

// Manageable windows with readable frames, front-most first.
using FramesFrontFirst = std::vector<WindowFrame>;

// Finds the stacks of every display. The pass runs after every burst of window events, so
// the finder keeps its buffers between runs: an unchanged desktop allocates nothing.
class StackFinder {
 public:
  // Members found without a use number receive one. The answer lives until the next call.
  const std::vector<StackInfo>& Find(const std::vector<StackDisplay>& displays,
                                     const FramesFrontFirst& windows, UseSequence& uses);

 private:
  void CollectDisplay(const StackDisplay& display, const FramesFrontFirst& windows);
  StackInfo& NextStack(const StackDisplay& display);
  void MergeEqualAreas(std::size_t first, double tolerance);
  void Finish(StackInfo& stack, const FramesFrontFirst& windows, UseSequence& uses);

  std::vector<StackInfo> stacks_;
  std::size_t count_ = 0;
  std::vector<std::int32_t> regionOf_;  // per window: the region listing it, or -1
  std::vector<char> spans_;             // per window: it spans regions
  std::vector<std::int32_t> covered_;
};

// The regions a rectangle spans: each region at least half of whose area it covers.
void RegionsCovered(const Rect& frame, const RegionMap& regions, std::vector<std::int32_t>& out);

// The bounding rectangle of the listed regions (those the map holds).
Rect BoundingRect(const RegionMap& regions, const std::vector<std::int32_t>& listed);

// A window that belongs to no region spans when it covers two or more regions (written to
// `covered`) and its frame equals their bounding rectangle (written to `area`) within
// 5 px x scale.
bool SpansRegions(const Rect& frame, const RegionMap& regions, double scale,
                  std::vector<std::int32_t>& covered, Rect& area);
// The same, when only the regions matter.
inline bool SpansRegions(const Rect& frame, const RegionMap& regions, double scale,
                         std::vector<std::int32_t>& covered) {
  Rect area;
  return SpansRegions(frame, regions, scale, covered, area);
}

// Whether member `m` counts as behind front window `f` (frames, desktop pixels).
bool CoveredBy(const Rect& m, const Rect& f, double scale);

// The order icons appear in: front-most first by `zIndex` (missing windows last), or by
// app name and then title. Stable.
enum class StackOrder { kLastUsed, kName };
struct StackOrderKeys {
  std::function<int(WindowId)> zIndex;  // -1 when absent
  std::function<std::string(WindowId)> appName;
  std::function<std::string(WindowId)> title;
};
void OrderStack(std::vector<WindowId>& members, StackOrder order, const StackOrderKeys& keys);

// The badge content for front window `front` of `stack`, its members behind it already
// ordered in `behind`. `onEdge` limits the icons shown to what fits on the window.
// Written into `content`, whose buffers are reused.
void BuildBadgeContent(const StackInfo& stack, WindowId front, const std::vector<WindowId>& behind,
                       bool onEdge, const std::function<IconId(WindowId)>& iconOf,
                       const std::function<std::string(WindowId)>& appName,
                       BadgeContent& content);

// "Bring A Forward", "Bring A and B Forward", "Bring A, B, and C Forward".
std::string GroupLabel(const std::vector<std::string>& names);

}  // namespace tessary
