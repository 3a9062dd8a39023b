#include "surfaces/picker.h"

#include <cstdint>
#include <utility>

#include "base/log.h"
#include "layout/builtin_layouts.h"
#include "surfaces/accessible_views.h"
#include "surfaces/theme.h"

namespace tessary {
namespace {

constexpr int kDrawAheadTimerId = 2;
// Soon enough to be done before a pointer crosses to the top of the display, late enough
// that the message which asked for it has been answered.
constexpr std::uint32_t kDrawAheadMilliseconds = 10;
// After a drag the placed window glides into place on the same thread; the redraw waits
// until that is over. A drag starting sooner asks for its own drawing anyway.
constexpr std::uint32_t kRedrawAfterHideMilliseconds = 1000;

}  // namespace

bool Picker::Drawing::operator==(const Drawing& other) const {
  if (layouts.size() != other.layouts.size()) return false;
  for (std::size_t i = 0; i < layouts.size(); ++i) {
    if (!LayoutsEqual(layouts[i], other.layouts[i])) return false;
  }
  return icons == other.icons && work == other.work && scale == other.scale &&
         current == other.current && hovered == other.hovered && interactive == other.interactive &&
         gallery == other.gallery && theme == other.theme;
}

Picker::~Picker() {
  if (surface_) surface_->Destroy();
}

bool Picker::Create(SurfaceFactory& factory) {
  SurfaceOptions options;
  options.title = kPickerTitle;
  options.interactive = false;
  options.topmost = true;
  options.input = this;
  surface_ = CreateSurface(factory, options);
  return surface_ != nullptr;
}

bool Picker::Visible() const { return shown_ && surface_ && surface_->Visible(); }

void Picker::Show(std::vector<SnapLayout> layouts, int current, const Rect& work, double scale,
                  bool interactive, PickerIcons icons) {
  layouts_ = std::move(layouts);
  icons_ = std::move(icons);
  current_ = current;
  hovered_ = {};
  interactive_ = interactive;
  gallery_ = false;
  scale_ = SanitizeScale(scale);
  geometry_ = PickerGeometryForDisplay(layouts_, work, scale_);
  work_ = work;
  panel_ = PickerPanelRect(geometry_, work, scale_);
  MarkPerformance("geometry");
  if (!surface_) return;
  surface_->SetInteractive(interactive);
  shown_ = true;
  ahead_.reset();
  // The panel appears at once, fully drawn; there is no drop-down animation. Most often
  // it was drawn ahead and only has to be handed over.
  const bool drawnAlready = drawn_ && *drawn_ == Now() &&
                            surface_->PresentAgain(panel_, scale_, SurfaceAnchor::Topmost());
  if (drawnAlready) Describe();
  if (!drawnAlready) Paint();
  keysReach_ = interactive && surface_->TakeFocus();
}

void Picker::Prepare(std::vector<SnapLayout> layouts, int current, const Rect& work, double scale,
                     PickerIcons icons) {
  if (!surface_ || Visible()) return;
  Drawing drawing;
  drawing.layouts = std::move(layouts);
  drawing.icons = std::move(icons);
  drawing.work = work;
  drawing.scale = SanitizeScale(scale);
  drawing.current = current;
  drawing.theme = ReadTheme(theme_);
  if (drawn_ && *drawn_ == drawing) {
    ahead_.reset();  // whatever was waiting is older than this
    return;
  }
  ahead_ = std::move(drawing);
  surface_->StartTimer(kDrawAheadTimerId, kDrawAheadMilliseconds);
}

void Picker::OnTimer(int id) {
  if (id != kDrawAheadTimerId) return;
  if (surface_) surface_->StopTimer(kDrawAheadTimerId);
  DrawAhead();
}

void Picker::DrawAhead() {
  if (!ahead_ || !surface_ || Visible()) {
    ahead_.reset();
    return;
  }
  // Timed like a show: the first one carries what drawing creates on first use.
  PerformanceRecord record("picker-prepare");
  PerformanceMarkScope marks(&record);
  Drawing drawing = std::move(*ahead_);
  ahead_.reset();
  drawing.theme = ReadTheme(theme_);
  const PickerGeometry geometry =
      PickerGeometryForDisplay(drawing.layouts, drawing.work, drawing.scale);
  const Rect panel = PickerPanelRect(geometry, drawing.work, drawing.scale);
  surface_->Prepare(panel, drawing.scale, Painter(drawing, geometry));
  drawn_ = std::move(drawing);
  record.Finish();
}

void Picker::Hide() {
  // Cleared first: hiding the focused panel deactivates it at once, and that must not be
  // taken for the user clicking elsewhere.
  const bool wasShown = shown_;
  shown_ = false;
  if (surface_) surface_->Hide();
  // The next drag most likely offers the same layouts: the panel as it will open (nothing
  // hovered) is drawn while nobody is waiting for it.
  if (wasShown && drawn_ && !(drawn_->hovered == PickerHit{})) {
    Drawing rest = *drawn_;
    rest.hovered = {};
    ahead_ = std::move(rest);
    if (surface_) surface_->StartTimer(kDrawAheadTimerId, kRedrawAfterHideMilliseconds);
  }
  layouts_.clear();
  icons_.clear();
  geometry_ = {};
  hovered_ = {};
}

Picker::Drawing Picker::Now() const {
  return {.layouts = layouts_,
          .icons = icons_,
          .work = work_,
          .scale = scale_,
          .current = current_,
          .hovered = hovered_,
          .interactive = interactive_,
          .gallery = gallery_,
          .theme = ReadTheme(theme_)};
}

PaintFunction Picker::Painter(const Drawing& drawing, const PickerGeometry& geometry) {
  return [&drawing, &geometry](Canvas& canvas, double width, double height) {
    PickerPaintInput input;
    input.geometry = &geometry;
    input.layouts = &drawing.layouts;
    input.icons = &drawing.icons;
    input.hovered = drawing.hovered;
    input.current = drawing.current;
    input.interactive = drawing.interactive;
    input.gallery = drawing.gallery;
    PaintPicker(canvas, drawing.theme, input, width, height);
  };
}

void Picker::Paint() {
  if (!surface_ || !shown_) return;
  Drawing drawing = Now();
  surface_->Present(panel_, scale_, Painter(drawing, geometry_), SurfaceAnchor::Topmost());
  drawn_ = std::move(drawing);
  Describe();
}

void Picker::Describe() {
  surface_->Describe(DescribePicker({.geometry = &geometry_,
                                     .layouts = &layouts_,
                                     .hovered = hovered_,
                                     .current = current_,
                                     .interactive = interactive_,
                                     .gallery = gallery_},
                                    {{panel_.x, panel_.y}, scale_}));
}

void Picker::SetHovered(PickerHit hit) {
  if (hit == hovered_) return;
  hovered_ = hit;
  Paint();
}

PickerHit Picker::HitTest(Point desktop) {
  if (!Visible()) return {};
  const Point local{(desktop.x - panel_.x) / scale_, (desktop.y - panel_.y) / scale_};
  const PickerHit hit = PickerHitAt(geometry_, local, gallery_);
  SetHovered(hit);
  return hit;
}

void Picker::OnKeyDown(std::uint32_t virtualKey) {
  if (!interactive_ || !Visible()) return;
  const PickerKeyResult result = PickerKey(geometry_, hovered_, virtualKey);
  switch (result.action) {
    case PickerKeyAction::kDismiss:
      if (onDismiss_) onDismiss_();
      break;
    case PickerKeyAction::kChoose:
      if (onChoose_) onChoose_(result.hit.layout, result.hit.region);
      break;
    case PickerKeyAction::kHover:
      SetHovered(result.hit);
      break;
    case PickerKeyAction::kNone:
      break;
  }
}

void Picker::OnPointerMove(Point desktop) {
  if (interactive_) HitTest(desktop);
}

void Picker::OnPointerRelease(Point desktop) {
  if (!interactive_) return;
  const PickerHit hit = HitTest(desktop);
  if (hit.IsReal() && onChoose_) onChoose_(hit.layout, hit.region);
}

void Picker::OnDeactivate() {
  // Clicking elsewhere closes an interactive picker.
  if (interactive_ && Visible() && onDismiss_) onDismiss_();
}

}  // namespace tessary
