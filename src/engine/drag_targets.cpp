// The move step: deciding, at every tick of a move, what releasing would do (a corner,
// a region in the picker, the column under the top band, a region of the active layout
// or its drop menu (drop_hover.cpp), or the window's previous position) and showing it.
// A tick with an unchanged target reads only what it must and allocates nothing.

#include <algorithm>
#include <cmath>
#include <string>

#include "base/log.h"
#include "engine/coordinator.h"
#include "engine/drag_geometry.h"
#include "layout/layout_derivations.h"
#include "layout/tree_geometry.h"

namespace tessary {
namespace {

constexpr double kEscapeDeadZone = 40;
constexpr double kDisplayHysteresis = 24;
constexpr double kCornerProbe = 32;
constexpr double kCornerBorderHold = 0.28;
constexpr double kHotZoneRise = 10;
constexpr double kRegionHold = 0.18;
constexpr double kReturnHold = 0.16;
constexpr double kOriginMargin = 8;
constexpr double kTopBand = 6;
constexpr double kTopBandInset = 4;

// Captions, made once: the outline is shown on every tick and must not build strings.
const std::string kReleaseSnap = "Release to snap";
const std::string kHoldColumn = "Hold to fill the column";
const std::string kReleaseColumn = "Release to fill the column";
const std::string kPreviousPosition = "Previous position";
const std::string kReleaseReturn = "Release to return";

}  // namespace

void Coordinator::HideTargets() {
  picker_.Hide();
  followers_.Hide();
  drops_.Hide();
}

void Coordinator::SetTargetLayout(const SnapLayout& layout) {
  SnapLayout& current = drag_.layout;
  if (current.tree == layout.tree && current.id == layout.id && current.name == layout.name &&
      current.apps == layout.apps) {
    return;
  }
  current = layout;
}

void Coordinator::MoveStep(Point cursor, double now, const Rect& frame) {
  if (platform().input.IsKeyDown(Key::kAlt)) {
    // Alt lets the window move freely.
    HideTargets();
    dwell_.Clear();
    drag_.kind = kTargetNone;
    return;
  }
  bool storedValid = drag_.display >= 0 && drag_.display < static_cast<int>(dragDisplays_.size());
  double scale =
      storedValid ? dragDisplays_[static_cast<std::size_t>(drag_.display)].monitor.scale : 1.0;
  if (escaped_) {
    if (Distance(cursor, escapePoint_) <= kEscapeDeadZone * scale) return;
    escaped_ = false;
  }

  int index = DisplayAt(dragDisplays_, cursor, &DragDisplay::monitor);
  if (index < 0) {
    HideTargets();
    dwell_.Clear();
    drag_.kind = kTargetNone;
    drag_.display = -1;
    return;
  }
  // Near a display's border the target stays on the display it was on.
  if (drag_.kind != kTargetNone && storedValid && drag_.display != index &&
      DistanceToRect(cursor,
                     dragDisplays_[static_cast<std::size_t>(drag_.display)].monitor.bounds) <=
          kDisplayHysteresis * scale) {
    index = drag_.display;
  }
  if (picker_.Visible() && index != drag_.display) picker_.Hide();
  drag_.display = index;

  const DragDisplay& display = dragDisplays_[static_cast<std::size_t>(index)];
  const Monitor& m = display.monitor;
  double s = m.scale;
  Point p = ClampInto(cursor, m.work);

  if (CornerStep(index, p, s, now)) return;

  if (!picker_.Visible()) {
    bool startedInZone = InHotZone(drag_.startCursor, m.bounds, m.work, s);
    if (InHotZone(p, m.bounds, m.work, s) &&
        (!startedInZone || drag_.startCursor.y - kHotZoneRise * s >= p.y)) {
      OpenPickerForDrag(index, p, s);
    }
  }

  if (!picker_.Visible()) {
    if (!display.active || !RegionTargeting(index, p, cursor, s, now, frame)) {
      drag_.kind = kTargetNone;
      dwell_.Clear();
      outline_.Hide();
      drops_.Hide();
    }
    return;
  }

  drops_.Hide();
  PickerHit hit = picker_.HitTest(cursor);
  drag_.kind = kTargetPicker;
  drag_.intent = {kDropAddToStack, 0};
  const std::vector<SnapLayout>& offered = picker_.Layouts();
  if (hit.IsReal() && hit.layout < static_cast<int>(offered.size())) {
    const SnapLayout& picked = offered[static_cast<std::size_t>(hit.layout)];
    PickerTargetCache& cache = pickerTargetCache_;
    if (cache.display != index || cache.layout != hit.layout || cache.region != hit.region) {
      RegionMap rects = PixelRegionRects(picked, m.work, RegionGap(s));
      cache = {index, hit.layout, hit.region, rects};
    }
    SetTargetLayout(picked);
    drag_.region = hit.region;
    drag_.armed = true;
    ShowTarget(cache.rects, drag_.region, index, kReleaseSnap);
  } else {
    drag_.region = -1;
    drag_.armed = false;
    outline_.Hide();
  }
}

bool Coordinator::CornerStep(int index, Point p, double s, double now) {
  const DragDisplay& display = dragDisplays_[static_cast<std::size_t>(index)];
  const Monitor& m = display.monitor;
  if (!m.bounds.Contains(p)) return false;
  int corner = CornerAt(p, m.bounds, m.work, s);
  if (corner < 0) return false;

  picker_.Hide();
  drops_.Hide();
  // A corner next to another display is where the cursor crosses over: it counts only
  // once it has been held there.
  const Point probes[] = {{p.x - kCornerProbe * s, p.y},
                          {p.x + kCornerProbe * s, p.y},
                          {p.x, p.y - kCornerProbe * s},
                          {p.x, p.y + kCornerProbe * s}};
  bool bordersAnother = false;
  for (Point probe : probes) {
    int at = DisplayAt(dragDisplays_, probe, &DragDisplay::monitor);
    if (at >= 0 && at != index) bordersAnother = true;
  }
  if (bordersAnother &&
      !dwell_.Held({index, DwellTarget::kCorner, corner}, kCornerBorderHold, now)) {
    outline_.Hide();
    drag_.kind = kTargetNone;
    return true;
  }

  if (cornerCache_.display != index || cornerCache_.corner != corner) {
    std::vector<SnapLayout> catalogue = layouts_.LayoutsForDisplay(m.id);
    PlacedLayout placed =
        CornerLayout(display.active ? &*display.active : nullptr, corner, catalogue);
    RegionMap rects = PixelRegionRects(placed.layout, m.work, RegionGap(s));
    cornerCache_ = {index, corner, std::move(placed), rects};
  }
  drag_.kind = kTargetCorner;
  drag_.intent = {kDropAddToStack, 0};
  SetTargetLayout(cornerCache_.placed.layout);
  drag_.region = cornerCache_.placed.region;
  drag_.armed = true;
  ShowTarget(cornerCache_.rects, drag_.region, index, kReleaseSnap);
  return true;
}

Coordinator::DragPicker Coordinator::DragPickerOn(int index) {
  const DragDisplay& display = dragDisplays_[static_cast<std::size_t>(index)];
  DragPicker picker;
  picker.layouts = layouts_.LayoutsForDisplay(display.monitor.id);
  MarkPerformance("layouts");
  if (display.active) {
    for (std::size_t i = 0; i < picker.layouts.size(); ++i) {
      if (picker.layouts[i].id == display.active->id) {
        picker.current = static_cast<int>(i);
        break;
      }
    }
  }
  picker.icons = IconsFor(picker.layouts, picker.current, &display.members, drag_.window);
  MarkPerformance("icons");
  return picker;
}

void Coordinator::PreparePickerForDrag() {
  const int index = DisplayAt(dragDisplays_, drag_.startCursor, &DragDisplay::monitor);
  if (index < 0) return;
  const Monitor& m = dragDisplays_[static_cast<std::size_t>(index)].monitor;
  DragPicker picker = DragPickerOn(index);
  picker_.Prepare(std::move(picker.layouts), picker.current, m.work, m.scale,
                  std::move(picker.icons));
}

void Coordinator::OpenPickerForDrag(int index, Point /*p*/, double s) {
  PerformanceRecord record("picker-show");
  PerformanceMarkScope marks(&record);
  pickerTargetCache_ = {};
  DragPicker picker = DragPickerOn(index);
  picker_.Show(std::move(picker.layouts), picker.current,
               dragDisplays_[static_cast<std::size_t>(index)].monitor.work, s, false,
               std::move(picker.icons));
  record.Finish();
}

PickerIcons Coordinator::IconsFor(const std::vector<SnapLayout>& catalogue, int activeIndex,
                                  const RegionLists* members, WindowId except) {
  PickerIcons icons;
  for (std::size_t i = 0; i < catalogue.size(); ++i) {
    for (const auto& [region, apps] : catalogue[i].apps) {
      for (const std::string& app : apps) {
        IconId icon = desktop_.IconForApp(app);
        if (icon != kNoIcon) {
          icons[static_cast<int>(i)][region] = icon;
          break;
        }
      }
    }
  }
  if (activeIndex >= 0 && members) {
    for (const auto& [region, windows] : *members) {
      for (WindowId window : windows) {
        if (window == except) continue;
        icons[activeIndex][region] = desktop_.WindowIcon(window);
        break;
      }
    }
  }
  return icons;
}

bool Coordinator::RegionTargeting(int index, Point p, Point cursor, double s, double now,
                                  const Rect& frame) {
  const DragDisplay& display = dragDisplays_[static_cast<std::size_t>(index)];
  const RegionMap& rects = display.regions;

  const Rect* originRect = nullptr;
  if (drag_.originRegion >= 0 && drag_.originDisplay == display.monitor.id) {
    originRect = rects.Get(drag_.originRegion);
  }
  if (originRect && !Inflate(*originRect, kOriginMargin * s).Contains(p)) {
    drag_.leftOrigin = true;
  }

  // An open drop menu keeps the pointer while it is over its tiles.
  if (drops_.HoverTiles(index, p, now)) return true;
  if (TopBandTargeting(index, p, s, now, originRect != nullptr)) return true;

  int region = RegionAtPoint(p, rects, display.monitor.bounds, s);
  if (region < 0) return false;
  if (drops_.HoverSpan(index, p, region, now)) return true;
  auto listed = display.members.find(region);
  drag_.occupant = listed != display.members.end() && !listed->second.empty()
                       ? listed->second.front()
                       : kNoWindow;
  bool own = originRect && region == drag_.originRegion;
  if (own && !drag_.leftOrigin) {
    return PreviousPositionTargeting(index, region, frame, cursor, s, now);
  }
  drops_.HoverRegion(index, region, own, now);
  return true;
}

// The top band fills the column under the cursor, unless that column is only the
// window's own region.
bool Coordinator::TopBandTargeting(int index, Point p, double s, double now, bool hasOrigin) {
  const DragDisplay& display = dragDisplays_[static_cast<std::size_t>(index)];
  const SnapLayout& layout = *display.active;
  const Rect& work = display.monitor.work;
  if (!work.Contains(p) || p.y > work.y + kTopBand * s) return false;
  double fraction = (p.x - (work.x + kTopBandInset * s)) / (work.width - 2 * kTopBandInset * s);
  fraction = std::clamp(fraction, 0.0, 1.0);
  std::optional<TreeColumn> column = ColumnUnder(layout.tree, fraction);
  if (!column) return false;
  if (columnCache_.display != index || !(columnCache_.unit == column->rect)) {
    columnCache_ = {index, column->rect, WholeColumn(layout, fraction), Rect{}};
    if (columnCache_.whole) {
      RegionMap filled = PixelRegionRects(columnCache_.whole->layout, work, RegionGap(s));
      if (const Rect* r = filled.Get(columnCache_.whole->region)) columnCache_.pixels = *r;
    }
  }
  if (!columnCache_.whole) return false;
  const WholeColumnLayout& whole = *columnCache_.whole;
  bool ownSingleRegion =
      whole.affected.size() == 1 && hasOrigin && *whole.affected.begin() == drag_.originRegion;
  if (ownSingleRegion) return false;

  drops_.Hide();
  bool held = dwell_.Held({index, DwellTarget::kColumn, whole.region}, kRegionHold, now);
  drag_.kind = kTargetRegion;
  SetTargetLayout(layout);
  drag_.region = whole.region;
  drag_.intent = {kDropWholeColumn, whole.region};
  drag_.armed = held;
  drag_.occupant = kNoWindow;
  outline_.Show(columnCache_.pixels, s, held ? kReleaseColumn : kHoldColumn, held, drag_.window);
  return true;
}

// Over its own region before ever leaving it, the window offers its previous position once
// the return detector sees it coming back.
bool Coordinator::PreviousPositionTargeting(int index, std::int32_t region, const Rect& frame,
                                            Point cursor, double s, double now) {
  ReturnDetector& detector = drag_.previousPosition;
  UpdateReturnDetector(detector, frame, cursor, s);
  if (!detector.active) return false;
  drops_.Hide();
  bool held = dwell_.Held({index, DwellTarget::kReturn, region}, kReturnHold, now);
  drag_.kind = kTargetRegion;
  SetTargetLayout(*dragDisplays_[static_cast<std::size_t>(index)].active);
  drag_.region = region;
  drag_.intent = {kDropPutBack, region};
  drag_.armed = held || detector.immediate;
  outline_.Show(detector.origin, s, drag_.armed ? kReleaseReturn : kPreviousPosition, drag_.armed,
                drag_.window);
  return true;
}

void Coordinator::ShowTarget(const RegionMap& rects, std::int32_t region, int index,
                             const std::string& caption) {
  const Monitor& m = dragDisplays_[static_cast<std::size_t>(index)].monitor;
  const Rect* rect = rects.Get(region);
  if (!rect) {
    outline_.Hide();
    return;
  }
  outline_.Show(*rect, m.scale, caption, drag_.armed, drag_.window);
}

}  // namespace tessary
