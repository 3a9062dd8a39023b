#include "engine/region_moves.h"

#include "base/log.h"
#include "engine/coordinator.h"
#include "layout/tree_geometry.h"

namespace tessary {
namespace {

const char* DirectionName(MoveDirection direction) {
  switch (direction) {
    case MoveDirection::kLeft:
      return "left";
    case MoveDirection::kRight:
      return "right";
    case MoveDirection::kUp:
      return "up";
    case MoveDirection::kDown:
      return "down";
  }
  return "?";
}

Point Centre(const Rect& rect) { return {rect.x + rect.width / 2, rect.y + rect.height / 2}; }

RegionMap PixelRects(const SnapLayout& layout, const Monitor& display) {
  return PixelRegionRects(layout, display.work, RegionGap(display.scale));
}

}  // namespace

bool RegionMoves::Move(WindowId window, MoveDirection direction) {
  if (c_.paused_ || c_.dragActive_) return false;
  Prompts& prompts = c_.platform().prompts;
  c_.RefreshDisplays();
  const int index = c_.DisplayOfWindow(window);
  const std::optional<Rect> frame = c_.desktop_.FrameBounds(window);
  if (index < 0 || !frame) {
    prompts.InformationBeep();
    return false;
  }
  const Monitor& display = c_.displays_[static_cast<std::size_t>(index)];
  const std::optional<SnapLayout> active = c_.layouts_.ActiveLayout(display.id);
  if (!active) {
    Log("region move %s: display %d has no layout", DirectionName(direction), index);
    prompts.WarningBeep();
    return false;
  }
  const RegionMap pixels = PixelRects(*active, display);
  std::int32_t current = -1;
  for (const auto& [region, rect] : pixels) {
    if (InRegion(*frame, rect)) {
      current = region;
      break;
    }
  }
  std::optional<Destination> destination;
  if (current < 0) {
    // Not in a region yet: the first move only puts it into one.
    destination = Destination{index, RegionNearest(pixels, Centre(*frame))};
  } else {
    destination =
        Next(index, RegionRects(active->tree, kUnitRect), current, *pixels.Get(current), direction);
  }
  if (!destination || destination->region < 0) {
    Log("region move %s: nothing beyond region %d", DirectionName(direction), current);
    prompts.WarningBeep();
    return false;
  }
  Log("region move %s: region %d of display %d to region %d of display %d",
      DirectionName(direction), current, index, destination->region, destination->display);
  return PlaceInto(window, *frame, *destination);
}

std::optional<RegionMoves::Destination> RegionMoves::Next(int display, const RegionMap& unit,
                                                          std::int32_t region, const Rect& from,
                                                          MoveDirection direction) {
  // Within the display the rule works on the layout's own shares, where neighbours touch
  // exactly; the gaps and whole pixels of the rectangles on screen would blur that.
  const std::int32_t neighbour = NeighbourRegion(unit, region, direction);
  if (neighbour >= 0) return Destination{display, neighbour};
  return OntoDisplayBeside(display, from, direction);
}

std::optional<RegionMoves::Destination> RegionMoves::OntoDisplayBeside(int display,
                                                                       const Rect& from,
                                                                       MoveDirection direction) {
  const std::vector<Monitor>& displays = c_.displays_;
  const Rect& bounds = displays[static_cast<std::size_t>(display)].bounds;
  RegionMap beside;  // display index -> its bounds, for the displays lying that way
  for (std::size_t i = 0; i < displays.size(); ++i) {
    if (static_cast<int>(i) != display && LiesBeyond(displays[i].bounds, bounds, direction)) {
      beside.emplace(static_cast<std::int32_t>(i), displays[i].bounds);
    }
  }
  const std::int32_t next = NearestFrom(beside, from, direction);
  if (next < 0) return std::nullopt;
  const Monitor& target = displays[static_cast<std::size_t>(next)];
  const std::optional<SnapLayout> active = c_.layouts_.ActiveLayout(target.id);
  if (!active) return std::nullopt;
  const RegionMap entry = EntryRegions(PixelRects(*active, target), direction);
  return Destination{next, NearestFrom(entry, from, direction)};
}

bool RegionMoves::PlaceInto(WindowId window, const Rect& frame, const Destination& destination) {
  const std::string display = c_.displays_[static_cast<std::size_t>(destination.display)].id;
  // Exactly what a drop onto the region does: the window joins whatever stands there.
  PlacementRequest request;
  request.window = window;
  request.kind = kTargetRegion;
  request.startRect = frame;
  request.endRect = frame;
  request.display = display;
  request.region = destination.region;
  request.intent = {kDropAddToStack, destination.region};
  c_.priorRects_.try_emplace(window, frame);
  c_.drops_.CarryOut(request, destination.display);
  c_.ScheduleRefresh(0.15);
  const std::optional<PlacementRecord> placed = c_.PlacementOf(window);
  return placed && placed->display == display && placed->region == destination.region;
}

}  // namespace tessary
