#include "surfaces/picker.h"

#include <utility>

#include "surfaces/theme.h"

namespace tessary {

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
  panel_ = PickerPanelRect(geometry_, work, scale_);
  if (!surface_) return;
  surface_->SetInteractive(interactive);
  shown_ = true;
  // The panel appears at once, fully drawn; there is no drop-down animation.
  Paint();
  if (interactive) surface_->TakeFocus();
}

void Picker::Hide() {
  // Cleared first: hiding the focused panel deactivates it at once, and that must not be
  // taken for the user clicking elsewhere.
  shown_ = false;
  if (surface_) surface_->Hide();
  layouts_.clear();
  icons_.clear();
  geometry_ = {};
  hovered_ = {};
}

void Picker::Paint() {
  if (!surface_ || !shown_) return;
  surface_->Present(
      panel_, scale_,
      [this](Canvas& canvas, double width, double height) {
        PickerPaintInput input;
        input.geometry = &geometry_;
        input.layouts = &layouts_;
        input.icons = &icons_;
        input.hovered = hovered_;
        input.current = current_;
        input.interactive = interactive_;
        input.gallery = gallery_;
        PaintPicker(canvas, ReadTheme(theme_), input, width, height);
      },
      SurfaceAnchor::Topmost());
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
