#include "surfaces/chooser_panel.h"

#include <cmath>

#include "base/log.h"
#include "surfaces/accessible_views.h"
#include "surfaces/theme.h"

namespace tessary {
namespace {

void* AsPointer(WindowId window) {
  return reinterpret_cast<void*>(static_cast<std::uintptr_t>(ToNumber(window)));
}

constexpr std::uint32_t kCardPreviewDelay = 140;
constexpr std::uint32_t kOtherPreviewDelay = 60;

}  // namespace

ChooserPanel::~ChooserPanel() { Destroy(); }

bool ChooserPanel::Create(const Rect& rect, double scale, std::vector<ChooserChoice> choices,
                          ChooserConfig config, ChooserCallbacks callbacks) {
  Destroy();
  config_ = std::move(config);
  callbacks_ = std::move(callbacks);
  scale_ = SanitizeScale(scale);
  rect_ = {std::trunc(rect.x), std::trunc(rect.y), std::trunc(rect.width), std::trunc(rect.height)};
  focus_ = config_.initialFocus;
  Log("panel create %.0f,%.0f %.0fx%.0f choices=%d", rect_.x, rect_.y, rect_.width, rect_.height,
      static_cast<int>(choices.size()));
  surface_ = CreateSurface(factory_, {.kind = SurfaceKind::kWindow,
                                      .darkFrame = ReadTheme(theme_).dark,
                                      .title = config_.header,
                                      .className = kChooserClassName,
                                      .interactive = true,
                                      .topmost = true,
                                      .input = this});
  if (!surface_) return false;
  Log("panel rt=%p", AsPointer(surface_->Window()));
  SetChoices(std::move(choices));
  Log("panel choices set");
  Log("panel shown");
  return true;
}

void ChooserPanel::SetChoices(std::vector<ChooserChoice> choices) {
  choices_ = std::move(choices);
  const int n = static_cast<int>(choices_.size());
  if (focus_ < 0 || focus_ >= n) focus_ = 0;
  const PixelSize pixels = SurfacePixelSize(rect_);
  geometry_ = LayOutChooser(config_, n, pixels.width / scale_, pixels.height / scale_);
  for (int i = 0; i < n; ++i) {
    const Rect c =
        OnDesktop(geometry_.cards[static_cast<std::size_t>(i)], {{rect_.x, rect_.y}, scale_});
    Log("demo card %p %p %.0f %.0f %.0f %.0f", AsPointer(Window()),
        AsPointer(choices_[static_cast<std::size_t>(i)].window), c.x, c.y, c.width, c.height);
  }
  // The window must be shown before the system draws thumbnails into it.
  Paint();
  RegisterThumbnails();
  Paint();
}

bool ChooserPanel::Focus() { return surface_ && surface_->TakeFocus(); }

void ChooserPanel::Destroy() {
  if (!surface_) return;
  UnregisterThumbnails();
  surface_->StopTimer(kHoverPreviewTimerId);
  std::unique_ptr<Surface> surface = std::move(surface_);
  surface->Destroy();
  hovered_ = pressed_ = chooser_item::kNothing;
  hasFocus_ = false;
}

void ChooserPanel::RegisterThumbnails() {
  UnregisterThumbnails();
  live_.assign(choices_.size(), false);
  WindowThumbnails* thumbnails = factory_.Thumbnails();
  if (!thumbnails || !surface_) return;
  for (std::size_t i = 0; i < choices_.size(); ++i) {
    const Rect& preview = geometry_.previews[i];
    if (!(preview.width > 0 && preview.height > 0)) continue;
    const ThumbnailId id = thumbnails->Register(surface_->Window(), choices_[i].window);
    if (id == kNoThumbnail) continue;
    thumbnails_.push_back(id);
    const ThumbnailSourceSize size = thumbnails->SourceSize(id);
    live_[i] = thumbnails->Show(id, ThumbnailDestination(preview, size.width, size.height, scale_));
  }
}

void ChooserPanel::UnregisterThumbnails() {
  WindowThumbnails* thumbnails = factory_.Thumbnails();
  for (ThumbnailId id : thumbnails_) {
    if (thumbnails) thumbnails->Unregister(id);
  }
  thumbnails_.clear();
  live_.assign(choices_.size(), false);
}

void ChooserPanel::Paint() {
  if (!surface_) return;
  if (++paints_ % 50 == 0) Log("panel paint #%d", paints_);
  const Theme theme = ReadTheme(theme_);
  const ChooserPaintInput input{.geometry = &geometry_,
                                .config = &config_,
                                .choices = &choices_,
                                .liveThumbnails = &live_,
                                .focus = focus_,
                                .hovered = hovered_,
                                .hasFocus = hasFocus_};
  // Copied: a window surface keeps the paint for WM_PAINT after this returns.
  surface_->Present(
      rect_, scale_,
      [theme, input](Canvas& canvas, double width, double height) {
        PaintChooser(canvas, theme, input, width, height);
      },
      SurfaceAnchor::Topmost());
  surface_->Describe(DescribeChooser(geometry_, config_, choices_, focus_, {{rect_.x, rect_.y}, scale_}));
}

Point ChooserPanel::PanelPoint(Point desktop) const {
  return {(desktop.x - rect_.x) / scale_, (desktop.y - rect_.y) / scale_};
}

Rect ChooserPanel::ItemRect(int item) const {
  namespace id = chooser_item;
  auto at = [](const std::vector<Rect>& rects, int i) {
    return i >= 0 && i < static_cast<int>(rects.size()) ? rects[static_cast<std::size_t>(i)] : Rect{};
  };
  if (item >= id::kTabBase) return at(geometry_.tabs, item - id::kTabBase);
  if (item >= id::kStretchBase) return at(geometry_.stretch, item - id::kStretchBase);
  if (item >= 0) return at(geometry_.cards, item);
  switch (item) {
    case id::kLeaveEmpty:
      return geometry_.leaveEmpty;
    case id::kPrimary:
      return geometry_.primary;
    case id::kActionB:
      return geometry_.actionB;
    case id::kPrevious:
      return geometry_.previous;
    case id::kNext:
      return geometry_.next;
    default:
      return {};
  }
}

Point ChooserPanel::ItemCentre(int item) const {
  const Rect r = ItemRect(item);
  return {rect_.x + (r.x + r.width / 2) * scale_, rect_.y + (r.y + r.height / 2) * scale_};
}

void ChooserPanel::Act(int item) {
  namespace id = chooser_item;
  const int n = static_cast<int>(choices_.size());
  auto windowOf = [&](int i) { return choices_[static_cast<std::size_t>(i)].window; };
  if (item >= id::kTabBase) {
    if (callbacks_.tab) callbacks_.tab(item - id::kTabBase);
  } else if (item >= id::kStretchBase) {
    if (callbacks_.stretch && item - id::kStretchBase < n) callbacks_.stretch(windowOf(item - id::kStretchBase));
  } else if (item >= 0) {
    if (callbacks_.choose && item < n) callbacks_.choose(windowOf(item));
  } else if (item == id::kLeaveEmpty) {
    if (callbacks_.leaveEmpty && config_.leaveEmpty) callbacks_.leaveEmpty();
  } else if (item == id::kPrimary) {
    if (callbacks_.done) callbacks_.done();
  } else if (item == id::kActionB) {
    if (callbacks_.actionB && config_.actionB) callbacks_.actionB();
  } else if (item == id::kPrevious || item == id::kNext) {
    if (callbacks_.page) callbacks_.page(item == id::kNext ? 1 : -1);
  }
}

void ChooserPanel::SetHovered(int item) {
  if (item == hovered_) return;
  hovered_ = item;
  Paint();
  if (surface_) {
    surface_->SetTooltip(ChooserTooltip(config_, choices_, item, hasFocus_),
                         OnDesktop(ItemRect(item), {{rect_.x, rect_.y}, scale_}));
  }
  if (callbacks_.hoverPreview && surface_) {
    const bool card = item >= 0 && item < static_cast<int>(choices_.size());
    surface_->StartTimer(kHoverPreviewTimerId, card || item == chooser_item::kActionB
                                                   ? kCardPreviewDelay
                                                   : kOtherPreviewDelay);
  }
}

void ChooserPanel::OnTimer(int id) {
  if (id != kHoverPreviewTimerId || !surface_) return;
  surface_->StopTimer(kHoverPreviewTimerId);
  if (!callbacks_.hoverPreview) return;
  std::vector<WindowId> windows;
  if (hovered_ >= 0 && hovered_ < static_cast<int>(choices_.size())) {
    windows.push_back(choices_[static_cast<std::size_t>(hovered_)].window);
  } else if (hovered_ == chooser_item::kActionB) {
    windows = config_.actionBWindows;
  }
  callbacks_.hoverPreview(windows);
}

void ChooserPanel::OnKeyDown(std::uint32_t virtualKey) {
  const ChooserKeyResult result = ChooserKey(geometry_, config_, focus_, virtualKey);
  switch (result.action) {
    case ChooserKeyAction::kDone:
      if (callbacks_.done) callbacks_.done();
      return;
    case ChooserKeyAction::kChoose:
      Act(result.card);
      return;
    case ChooserKeyAction::kFocus:
      focus_ = result.card;
      Paint();
      return;
    case ChooserKeyAction::kActionB:
      Act(chooser_item::kActionB);
      return;
    case ChooserKeyAction::kRepaint:
      Paint();
      return;
    case ChooserKeyAction::kNone:
      return;
  }
}

void ChooserPanel::OnPointerMove(Point desktop) {
  SetHovered(ChooserHitTest(geometry_, config_, PanelPoint(desktop)));
}

void ChooserPanel::OnPointerPress(Point desktop) {
  pressed_ = ChooserHitTest(geometry_, config_, PanelPoint(desktop));
}

void ChooserPanel::OnPointerRelease(Point desktop) {
  const int item = ChooserHitTest(geometry_, config_, PanelPoint(desktop));
  if (item != pressed_) return;
  pressed_ = chooser_item::kNothing;
  if (surface_) surface_->StopTimer(kHoverPreviewTimerId);
  Act(item);
}

void ChooserPanel::OnWheel(int delta) {
  if (callbacks_.wheel) {
    callbacks_.wheel(delta);
  } else if (callbacks_.page && delta != 0) {
    // A turn towards the user (negative) pages forward.
    callbacks_.page(delta < 0 ? 1 : -1);
  }
}

void ChooserPanel::OnPointerLeave() {
  const bool changed = hovered_ != chooser_item::kNothing;
  SetHovered(chooser_item::kNothing);
  if (!changed) Paint();
}

void ChooserPanel::OnFocusChange(bool focused) {
  hasFocus_ = focused;
  Paint();
}

}  // namespace tessary
