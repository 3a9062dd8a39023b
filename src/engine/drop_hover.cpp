// Hovering a region of the active layout: deciding whether it snaps directly or asks
// through the drop menu, opening the menu after a hold, and following the pointer over
// its tiles. Runs on every drag tick, so the decision for a region is worked out once
// while it stays hovered and the tiles and their previews once per opening.

#include <algorithm>

#include "base/log.h"
#include "engine/coordinator.h"
#include "engine/region_drops.h"
#include "layout/tree_geometry.h"

namespace tessary {
namespace {

constexpr double kHold = 0.18;
constexpr double kWhole = 0.999;

const std::string kNoCaption;
const std::string kHoldSnap = "Hold to snap";
const std::string kReleaseSnap = "Release to snap";
const std::string kHoldPutBack = "Hold to put back";
const std::string kReleasePutBack = "Release to put back";

}  // namespace

const SplitPairs& RegionDrops::SplitsOn(const std::string& display) const {
  static const SplitPairs kNone;
  auto it = splits_.find(display);
  return it == splits_.end() ? kNone : it->second;
}

void RegionDrops::Forget() {
  Hide();
  offer_ = Offer{};
  spans_ = SpanScan{};
}

void RegionDrops::Hide() {
  c_.dropMenu_.Hide();
  menu_.visible = false;
  c_.drag_.menu.reset();
}

const RegionDrops::Offer& RegionDrops::OfferFor(int display, std::int32_t region, bool own) {
  const DragState& drag = c_.drag_;
  if (offer_.display == display && offer_.region == region && offer_.own == own &&
      offer_.span.empty()) {
    return offer_;
  }
  const Coordinator::DragDisplay& d = c_.dragDisplays_[static_cast<std::size_t>(display)];
  const SnapLayout& active = *d.active;
  const double s = d.monitor.scale;
  offer_ = Offer{display, region, own};

  std::vector<WindowId> sharing{drag.window};
  if (auto listed = d.members.find(region); listed != d.members.end()) {
    sharing.insert(sharing.end(), listed->second.begin(), listed->second.end());
  }
  const bool front = sharing.size() > 1;
  const bool homeHere = drag.originRegion >= 0 && drag.originDisplay == d.monitor.id &&
                        d.regions.contains(drag.originRegion);

  std::optional<RejoinedLayout> candidate = RejoinRegion(active, region);
  if (candidate && !KeepRejoinCandidate(*candidate, active, SplitsOn(d.monitor.id))) {
    candidate.reset();
  }
  const RegionMap unit = RegionRects(active.tree, kUnitRect);
  const Rect* shareOf = unit.Get(region);
  const Rect* pixels = d.regions.Get(region);
  if (!shareOf || !pixels) return offer_;

  DropMenuRequest request{.region = region, .scale = s};
  request.fullHeight = shareOf->height > kWhole;
  if (candidate) {
    offer_.overrides.push_back({{kDropWholeColumn, region}, RejoinLabel(*candidate, false)});
    request.rejoinRegion = region;
    if (candidate->axis == Axis::Rows) {
      offer_.overrides.push_back({{kDropSpanColumn, region}, RejoinLabel(*candidate, true)});
      request.spanColumnRegion = region;
    }
  }
  if (!own && !front && !candidate) return offer_;
  if (!own && !front) {
    // An empty region that could be rejoined: snapping into it is one of the choices.
    offer_.overrides.push_back({{kDropAddToStack, region}, "This Spot"});
    request.fullHeight = false;
  } else {
    request.putBack = own;
    request.canSwap = !own && homeHere && !drag.movedOff;
    request.sizeKnown = true;
    request.regionWidth = pixels->width;
    request.regionHeight = pixels->height;
    if (own) sharing.resize(1);
    SizeNeed need = c_.MinimumSizeOf(sharing, s);
    request.neededWidth = need.width;
    request.neededHeight = need.height;
  }
  offer_.area = *pixels;
  offer_.intents = BuildDropActionMenu(request);
  offer_.menu = !(own && offer_.intents.size() == 1);
  offer_.candidate = std::move(candidate);
  return offer_;
}

void RegionDrops::HoverRegion(int display, std::int32_t region, bool own, double now) {
  const Coordinator::DragDisplay& d = c_.dragDisplays_[static_cast<std::size_t>(display)];
  if (menu_.visible && (menu_.display != display || menu_.region != region || menu_.span)) Hide();
  const Offer& offer = OfferFor(display, region, own);
  DragState& drag = c_.drag_;
  const bool held = c_.dwell_.Held({display, DwellTarget::kRegion, region}, kHold, now);
  drag.kind = kTargetRegion;
  c_.SetTargetLayout(*d.active);
  drag.region = region;

  if (!offer.menu) {
    Hide();
    drag.armed = held;
    drag.intent = {own ? kDropPutBack : kDropAddToStack, region};
    const std::string& caption =
        own ? (held ? kReleasePutBack : kHoldPutBack) : (held ? kReleaseSnap : kHoldSnap);
    c_.ShowTarget(d.regions, region, display, caption);
    return;
  }
  drag.intent = {kDropPending, region};
  drag.armed = false;
  c_.ShowTarget(d.regions, region, display, kNoCaption);
  if (held || menu_.visible) Open(display, offer);
}

void RegionDrops::Open(int display, const Offer& offer) {
  const Coordinator::DragDisplay& d = c_.dragDisplays_[static_cast<std::size_t>(display)];
  const double s = d.monitor.scale;
  if (!menu_.visible) {
    DropTileLayout laid = LayOutDropTiles(offer.intents, offer.area, s, offer.overrides);
    menu_ = DropActionMenu{display,   offer.region,        std::move(laid.tiles),
                           laid.rect, !offer.span.empty(), true};
    const std::vector<SnapLayout> catalogue = c_.layouts_.LayoutsForDisplay(d.monitor.id);
    const DropScene scene{*d.active, catalogue, d.monitor.work, s, offer.candidate, offer.span};
    previews_.clear();
    for (const DropTile& tile : menu_.tiles) {
      previews_.push_back(PreviewRect(tile.intent, scene));
      Log("demo tile %s %d %.0f %.0f %.0f %.0f", tile.label.c_str(), tile.intent.region,
          tile.rect.x, tile.rect.y, tile.rect.width, tile.rect.height);
    }
    if (c_.callbacks_.showTip) c_.callbacks_.showTip("dropMenu");
    c_.drag_.menu = menu_;
  }
  c_.dropMenu_.Show(menu_, s, std::nullopt, false);
}

bool RegionDrops::HoverTiles(int display, Point p, double now) {
  if (!menu_.visible || menu_.display != display || !c_.dropMenu_.Visible()) return false;
  const int index = DropTileAt(menu_, p);
  if (index < 0) return false;
  const Coordinator::DragDisplay& d = c_.dragDisplays_[static_cast<std::size_t>(display)];
  const DropTile& tile = menu_.tiles[static_cast<std::size_t>(index)];
  const std::optional<Rect>& preview = previews_[static_cast<std::size_t>(index)];
  DragState& drag = c_.drag_;
  drag.kind = kTargetRegion;
  c_.SetTargetLayout(*d.active);
  drag.region = menu_.region;
  drag.intent = tile.intent;
  if (tile.intent.kind == kDropWholeColumn) {
    kept_ = offer_.candidate;
  } else {
    kept_.reset();
  }
  const bool held = c_.dwell_.Held({display, DwellTarget::kTile, index}, kHold, now);
  drag.armed = held && preview.has_value();
  if (preview) {
    c_.outline_.Show(*preview, d.monitor.scale, kNoCaption, drag.armed, drag.window);
  } else {
    c_.outline_.Hide();
  }
  c_.dropMenu_.Show(menu_, d.monitor.scale, tile.intent, drag.armed);
  return true;
}

}  // namespace tessary
