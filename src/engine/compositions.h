#pragma once

// Applying a layout with its apps to a display (a composition): the running windows of
// the layout's apps go to their regions, the other free regions are filled with the
// display's remaining windows, missing apps are started, and their windows are placed as
// they appear (timer 6, until every one has settled or 20 s have passed). Ctrl+Alt+1..9
// apply the user's own layouts by position. The Coordinator owns one and lends it its
// state: windows are moved, remembered and assigned exactly as placing does it.

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "base/geometry.h"
#include "engine/coordinator_types.h"
#include "layout/layout_tree.h"
#include "layout/region_map.h"
#include "platform/ids.h"

namespace tessary {

class Coordinator;

inline constexpr int kCompositionTimerId = main_window_timer::kCompositionSettle;
inline constexpr std::uint32_t kCompositionMilliseconds = 250;

// The windows of started apps still awaited for one applied layout.
struct PendingArrivals {
  struct Entry {
    std::int32_t region = -1;
    std::string app;
    bool firstApp = false;  // the region's first app: its window is the region's main one
    std::int32_t placements = 0;
    WindowId window = kNoWindow;
    double placedAt = 0;
  };
  // A window seen while waiting: when it appeared, and when its frame last moved.
  struct Sighting {
    double firstSeen = 0;
    double lastChange = 0;
    Rect frame;
  };
  std::string display;
  SnapLayout layout;
  double deadline = 0;
  std::vector<Entry> entries;
  std::map<WindowId, Sighting> seen;
  // The windows the apply itself put into regions: a started app's second window is
  // awaited, the first one already has its place.
  std::set<WindowId> placed;
};

// Names joined for a sentence: "Notes, Paint".
std::string JoinedNames(const std::vector<std::string>& names);

class Compositions {
 public:
  explicit Compositions(Coordinator& coordinator) : c_(coordinator) {}

  bool SwitchTo(int index, WindowId target);
  bool Apply(const std::string& display, const SnapLayout& layout);
  // Timer 6.
  void Tick();
  // The display's layouts were reset: nothing more is placed there for an earlier apply.
  void ForgetDisplay(const std::string& display);

 private:
  struct Claims;
  Claims Claim(const SnapLayout& layout, int displayIndex, const RegionMap& rects);
  // Both add the windows that arrived to `placed` and their regions to `filled`.
  void MoveClaimed(const Claims& claims, const std::string& display, const RegionMap& rects,
                   std::set<WindowId>& placed, std::set<std::int32_t>& filled);
  void FillFreeRegions(const Claims& claims, int displayIndex, const RegionMap& rects,
                       std::set<WindowId>& placed, std::set<std::int32_t>& filled);
  void StartMissing(const std::vector<PendingArrivals::Entry>& missing, const SnapLayout& layout,
                    const std::string& display, std::set<WindowId> placed);
  void AssignToRegion(WindowId window, const std::string& display, std::int32_t region);

  // Timer 6, step by step.
  void Track(const std::vector<WindowId>& windows, double now);
  void PlaceArrival(PendingArrivals::Entry& entry, const Rect& rect,
                    const std::vector<WindowId>& windows, std::set<WindowId>& taken, double now);
  void End(bool stillShown);

  Coordinator& c_;
  std::optional<PendingArrivals> pending_;
};

}  // namespace tessary
