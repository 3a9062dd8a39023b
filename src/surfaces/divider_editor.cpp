#include "surfaces/divider_editor.h"

#include <utility>

#include "base/log.h"
#include "surfaces/accessible_views.h"
#include "surfaces/theme.h"

namespace tessary {

DividerEditor::~DividerEditor() {
  if (surface_) surface_->Destroy();
}

bool DividerEditor::Create(SurfaceFactory& factory) {
  surface_ = CreateSurface(factory, {.title = kDividerEditorTitle,
                                     .className = kDividerEditorClass,
                                     .interactive = false,
                                     .topmost = true,
                                     .input = this});
  return surface_ != nullptr;
}

void DividerEditor::Show(const Rect& area, double scale, NodeRef tree, double doubleClickSeconds) {
  if (!surface_) return;
  const bool wasVisible = surface_->Visible();
  area_ = area;
  scale_ = SanitizeScale(scale);
  doubleClickSeconds_ = doubleClickSeconds;
  hovered_ = dragged_ = selected_ = -1;
  lastClick_ = {};
  Refresh(std::move(tree));
  if (!wasVisible) {
    // Otherwise a click-through overlay: now it must take clicks and keys.
    surface_->SetInteractive(true);
    // Refused by Windows, Escape and Enter still go to the app in front; every action has
    // its mouse form here ("Done", the handles), and a click on the editor gives it the keys.
    if (!surface_->TakeFocus()) Log("divider editor: keys stay with the app in front");
  }
}

void DividerEditor::Refresh(NodeRef tree) {
  tree_ = std::move(tree);
  geometry_ = LayOutDividerEditor(tree_, area_.width / scale_, area_.height / scale_);
  Paint();
}

void DividerEditor::Hide() {
  if (!surface_) return;
  dragged_ = -1;
  surface_->Hide();
  surface_->SetInteractive(false);
}

bool DividerEditor::Visible() const { return surface_ && surface_->Visible(); }

void DividerEditor::Paint() {
  if (!surface_ || !tree_) return;
  const Theme theme = ReadTheme(theme_);
  const DividerHighlights highlights = Highlights();
  surface_->Present(
      area_, scale_,
      [&](Canvas& canvas, double width, double height) {
        PaintDividerEditor(canvas, theme, width, height, tree_, geometry_, highlights);
      },
      SurfaceAnchor::Topmost());
  surface_->Describe(DescribeDividerEditor(geometry_, area_.width / scale_, area_.height / scale_,
                                           dragged_ >= 0 ? dragged_ : selected_,
                                           {{area_.x, area_.y}, scale_}));
}

Point DividerEditor::PanelPoint(Point desktop) const {
  return {(desktop.x - area_.x) / scale_, (desktop.y - area_.y) / scale_};
}

void DividerEditor::OnKeyDown(std::uint32_t virtualKey) {
  if (ClosesDividerEditor(virtualKey)) {
    if (callbacks_.done) callbacks_.done();
    return;
  }
  const int count = static_cast<int>(geometry_.handles.size());
  if (virtualKey == surface_key::kTab && count > 0 && dragged_ < 0) {
    selected_ = (selected_ + 1) % count;
    Paint();
    return;
  }
  if (selected_ < 0 || selected_ >= count || dragged_ >= 0) return;
  const DividerHandle& handle = geometry_.handles[static_cast<std::size_t>(selected_)];
  const double step = DividerKeyStep(handle, virtualKey);
  if (step == 0 || !callbacks_.drag) return;
  // A key press is a whole drag: moved, then let go (the windows follow at its end).
  const int divider = selected_;
  callbacks_.drag(divider, DividerPosition(handle, area_.width / scale_, area_.height / scale_) + step);
  if (callbacks_.dragEnd) callbacks_.dragEnd(divider);
}

void DividerEditor::OnPointerMove(Point desktop) {
  if (!Visible()) return;
  if (dragged_ >= 0) {
    const bool horizontal = geometry_.handles[static_cast<std::size_t>(dragged_)].horizontal;
    if (callbacks_.drag)
      callbacks_.drag(dragged_, DragFraction(horizontal, desktop, area_, scale_));
    return;
  }
  const int hovered = HandleAt(geometry_.handles, PanelPoint(desktop));
  if (hovered == hovered_) return;
  hovered_ = hovered;
  Paint();
}

void DividerEditor::OnPointerPress(Point desktop) {
  if (!Visible()) return;
  const DividerPress press = PressAt(geometry_, PanelPoint(desktop), selected_, lastClick_,
                                     clock_.Now(), doubleClickSeconds_);
  switch (press.action) {
    case DividerPressAction::kDone:
      if (callbacks_.done) callbacks_.done();
      return;
    case DividerPressAction::kEvenSplit:
      if (callbacks_.evenSplit) callbacks_.evenSplit(press.divider);
      break;
    case DividerPressAction::kStartDrag:
      selected_ = dragged_ = press.divider;
      break;
    case DividerPressAction::kClear:
      selected_ = -1;
      break;
  }
  Paint();
}

void DividerEditor::OnPointerRelease(Point /*desktop*/) { EndDrag(); }

// The capture can go elsewhere mid-drag (another window activated): the divider stays
// where the user last saw it.
void DividerEditor::OnCaptureLost() { EndDrag(); }

void DividerEditor::EndDrag() {
  if (dragged_ < 0) return;
  const int divider = dragged_;
  dragged_ = -1;
  if (callbacks_.dragEnd) callbacks_.dragEnd(divider);
}

PointerShape DividerEditor::Shape() const {
  const int handle = dragged_ >= 0 ? dragged_ : hovered_;
  if (handle < 0 || handle >= static_cast<int>(geometry_.handles.size())) {
    return PointerShape::kArrow;
  }
  return geometry_.handles[static_cast<std::size_t>(handle)].horizontal
             ? PointerShape::kSizeNorthSouth
             : PointerShape::kSizeWestEast;
}

}  // namespace tessary
