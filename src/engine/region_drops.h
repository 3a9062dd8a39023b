#pragma once

// Drops onto occupied regions: while a window is dragged over a region of the active
// layout that already holds windows (or over its own region again, or an empty region
// that could be rejoined with its neighbour), a menu of tiles asks what the drop should
// do; the tile under the pointer is previewed by the outline and carried out on release.
// This class owns the menu that is open, the decision for the hovered region, the
// rejoin candidate of the previewed tile and each display's record of the splits that
// half drops made. It works on the Coordinator's drag, surfaces and placing (it is the
// Coordinator's friend); drop_hover.cpp, drop_span.cpp, drop_carry_out.cpp and
// drop_split.cpp hold the stages. Main thread only.

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "base/geometry.h"
#include "engine/drop_plans.h"
#include "engine/placement_request.h"
#include "layout/layout_derivations.h"
#include "platform/ids.h"
#include "surfaces/drop_action_menu.h"
#include "surfaces/drop_tiles.h"

namespace tessary {

class Coordinator;

class RegionDrops {
 public:
  explicit RegionDrops(Coordinator& coordinator) : c_(coordinator) {}

  // The pointer over the open menu of this display: the nearest tile is hovered,
  // previewed and, after a hold, armed. False when the pointer is not on the menu.
  bool HoverTiles(int display, Point p, double now);
  // The pointer over region `region` of the display's active layout (`own`: the dragged
  // window's home region, after the pointer had left it): a plain snap target, or the
  // menu after a hold.
  void HoverRegion(int display, std::int32_t region, bool own, double now);
  // The pointer over a window that spans several regions and stands in front of the
  // windows of the region under the pointer: the span's menu after a hold. False when no
  // such window is there.
  bool HoverSpan(int display, Point p, std::int32_t region, double now);
  // Hides the menu (another target, the top band, the end of the drag).
  void Hide();
  // A new drag (or new displays): what was worked out for the last one no longer holds.
  void Forget();

  // Carries out the intent of a drag that ended over a region of the active layout.
  void CarryOut(const PlacementRequest& request, int displayIndex);

  // The pairs of regions that half drops split on the display (for the run only).
  const SplitPairs& SplitsOn(const std::string& display) const;

 private:
  // What the hovered region offers, worked out once while it stays hovered.
  struct Offer {
    int display = -1;
    std::int32_t region = -1;
    bool own = false;
    bool menu = false;
    std::vector<DropIntent> intents;
    std::vector<DropLabelOverride> overrides;
    std::optional<RejoinedLayout> candidate;
    SpanSet span;  // a span menu's regions
    Rect area;     // what the menu is centred on
  };
  // A window spanning several regions of a display's active layout.
  struct Spanning {
    WindowId window = kNoWindow;
    SpanSet span;
    Rect bounds;
  };
  // The spanning windows and the z-order, read once per drag (at the first hover).
  struct SpanScan {
    bool done = false;
    std::vector<std::vector<Spanning>> byDisplay;
    std::vector<WindowId> frontFirst;
  };
  // One window's part in a drop: where it goes and the region it is then assigned to
  // (-1: none, it spans).
  struct Move {
    WindowId window = kNoWindow;
    Rect target;
    std::int32_t region = -1;
  };

  const Offer& OfferFor(int display, std::int32_t region, bool own);
  void Open(int display, const Offer& offer);
  const SpanScan& Spans();
  // The moves of each family of intents; false when there is nothing to do (a missing
  // region, candidate, span, plan or division).
  bool RegionMoves(const PlacementRequest& request, int displayIndex, const SnapLayout& active,
                   std::vector<Move>& moves);
  bool ColumnMoves(const PlacementRequest& request, int displayIndex, const SnapLayout& active,
                   SnapLayout& layout, std::vector<Move>& moves);
  bool SpanMoves(const PlacementRequest& request, int displayIndex, const SnapLayout& active,
                 SnapLayout& layout, std::vector<Move>& moves);

  bool FromMenu(const PlacementRequest& request) const;
  // The windows other than the dragged one listed in each of `regions` of the layout.
  std::vector<WindowId> ListedIn(int displayIndex, const SnapLayout& layout,
                                 const std::vector<std::int32_t>& regions, WindowId except);
  // Moves the windows in one batch (under `layout` when it differs from `active`), then
  // undoes everything if a window ended larger than its target.
  void Run(const PlacementRequest& request, int displayIndex, const SnapLayout& active,
           const SnapLayout& layout, const std::vector<Move>& moves);
  void SplitDrop(const PlacementRequest& request, int displayIndex, const SnapLayout& active);

  Coordinator& c_;
  Offer offer_;
  DropActionMenu menu_;                        // the open menu; `visible` while it is shown
  std::vector<std::optional<Rect>> previews_;  // per tile of the open menu
  std::optional<RejoinedLayout> kept_;         // the candidate of the last previewed rejoin tile
  std::map<std::string, SplitPairs> splits_;
  SpanScan spans_;
};

}  // namespace tessary
