#include "surfaces/stack_overview_view.h"

#include <algorithm>
#include <cmath>

#include "base/log.h"
#include "surfaces/accessible_views.h"
#include "surfaces/theme.h"

namespace tessary {
namespace {

constexpr double kOpenSeconds = 0.18;
constexpr double kCloseSeconds = 0.12;
constexpr std::uint32_t kNumpad1 = 0x61;  // VK_NUMPAD1; VK_NUMPAD9 is 0x69
constexpr std::uint32_t kNumpad9 = 0x69;

void* AsPointer(WindowId window) {
  return reinterpret_cast<void*>(static_cast<std::uintptr_t>(ToNumber(window)));
}

}  // namespace

StackOverviewView::~StackOverviewView() { Destroy(); }

bool StackOverviewView::Open(const Rect& area, double scale, std::vector<OverviewEntry> entries,
                             bool animations, OverviewCallbacks callbacks) {
  Destroy();
  entries_ = std::move(entries);
  callbacks_ = std::move(callbacks);
  scale_ = SanitizeScale(scale);
  area_ = {std::round(area.x), std::round(area.y), std::round(area.width), std::round(area.height)};
  std::vector<OverviewFrameSize> frames;
  for (const OverviewEntry& entry : entries_) frames.push_back(entry.frame);
  cards_ = LayOutOverviewCards(area_.width, area_.height, scale_, frames);
  if (cards_.size() != entries_.size() || entries_.empty()) return false;
  surface_ = CreateSurface(factory_, {.kind = SurfaceKind::kWindow,
                                      .backdrop = true,
                                      .title = kOverviewTitle,
                                      .className = kOverviewClassName,
                                      .interactive = true,
                                      .topmost = false,
                                      .input = this});
  if (!surface_) return false;
  paintCards_.clear();
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    paintCards_.push_back(
        {cards_[i], entries_[i].icon, OverviewLabel(entries_[i].title, entries_[i].appName)});
  }
  closing_ = false;
  hovered_ = -1;
  selected_ = 0;
  animating_ = animations;
  progress_ = animating_ ? 0 : 1;
  startProgress_ = progress_;
  startTime_ = clock_.Now();
  // Shown first: the system draws previews only into a window that is on the screen.
  Paint();
  thumbnails_.assign(entries_.size(), kNoThumbnail);
  live_.assign(entries_.size(), false);
  if (WindowThumbnails* thumbnails = factory_.Thumbnails()) {
    for (std::size_t i = 0; i < entries_.size(); ++i) {
      thumbnails_[i] = thumbnails->Register(surface_->Window(), entries_[i].window);
      live_[i] = thumbnails_[i] != kNoThumbnail;
    }
  }
  UpdateThumbnails();
  surface_->TakeFocus();
  if (animating_) SubscribeFrames(true);
  Log("overview open %.0f,%.0f %.0fx%.0f windows=%d", area_.x, area_.y, area_.width, area_.height,
      static_cast<int>(entries_.size()));
  for (std::size_t i = 0; i < cards_.size(); ++i) {
    const Rect& c = cards_[i];
    Log("demo overview %p %p %.0f %.0f %.0f %.0f", AsPointer(Window()), AsPointer(entries_[i].window),
        area_.x + c.x, area_.y + c.y, c.width, c.height);
  }
  return true;
}

void StackOverviewView::Close() {
  if (!surface_ || closing_) return;
  closing_ = true;
  surface_->SetInteractive(false);
  startProgress_ = progress_;
  startTime_ = clock_.Now();
  if (!animating_) {
    progress_ = 0;
    UpdateThumbnails();
    Finish();
    return;
  }
  SubscribeFrames(true);
}

void StackOverviewView::Destroy() {
  if (!surface_) return;
  std::unique_ptr<Surface> surface = std::move(surface_);
  surface->UnsubscribeFrames();
  ticking_ = false;
  if (WindowThumbnails* thumbnails = factory_.Thumbnails()) {
    for (ThumbnailId id : thumbnails_) {
      if (id != kNoThumbnail) thumbnails->Unregister(id);
    }
  }
  thumbnails_.clear();
  live_.clear();
  surface->Destroy();
}

Point StackOverviewView::CardCentre(int index) const {
  if (index < 0 || index >= static_cast<int>(cards_.size())) return {};
  const Rect& c = cards_[static_cast<std::size_t>(index)];
  return {area_.x + c.x + c.width / 2, area_.y + c.y + c.height / 2};
}

void StackOverviewView::SubscribeFrames(bool on) {
  ticking_ = on;
  if (on) {
    surface_->SubscribeFrames();
  } else {
    surface_->UnsubscribeFrames();
  }
}

void StackOverviewView::OnTimer(int id) {
  // Ticks the pacer posted before the unsubscription may still arrive.
  if (id != kFrameTimerId || !surface_ || !ticking_) return;
  const double target = closing_ ? 0 : 1;
  if (progress_ != target) {
    const double t = std::min((clock_.Now() - startTime_) / (closing_ ? kCloseSeconds : kOpenSeconds), 1.0);
    // Opening eases out (fast, then settling); closing eases in (slow, then gone).
    const double eased = closing_ ? t * t : 1 - std::pow(1 - t, 3);
    progress_ = t >= 1 ? target : startProgress_ + (target - startProgress_) * eased;
    UpdateThumbnails();
    Paint();
  }
  if (progress_ == target) Finish();
}

void StackOverviewView::Finish() {
  SubscribeFrames(false);
  if (!closing_) return;
  surface_->Hide();
  if (callbacks_.closed) callbacks_.closed();
}

void StackOverviewView::UpdateThumbnails() {
  WindowThumbnails* thumbnails = factory_.Thumbnails();
  if (!thumbnails) return;
  const double p = std::clamp(progress_, 0.0, 1.0);
  for (std::size_t i = 0; i < thumbnails_.size(); ++i) {
    if (thumbnails_[i] == kNoThumbnail) continue;
    const Rect r = ScaleAboutCentre(cards_[i], 0.9 + 0.1 * p);
    const Rect destination{std::round(r.x), std::round(r.y), std::round(r.width), std::round(r.height)};
    thumbnails->Update(thumbnails_[i], {.destination = destination,
                                        .source = entries_[i].frameInWindow,
                                        .opacity = p,
                                        .visible = p > 0.01});
  }
}

void StackOverviewView::Paint() {
  if (!surface_) return;
  const Theme theme = ReadTheme(theme_);
  const OverviewPaintInput input{.cards = &paintCards_,
                                 .scale = scale_,
                                 .progress = progress_,
                                 .hovered = hovered_,
                                 .selected = selected_,
                                 .closing = closing_};
  // Copied: a window surface keeps the paint for WM_PAINT after this returns.
  surface_->Present(
      area_, scale_,
      [theme, input](Canvas& canvas, double width, double height) {
        PaintOverview(canvas, theme, input, width, height);
      },
      SurfaceAnchor::Top());
  surface_->Describe(DescribeStackOverview(entries_, cards_, selected_, {area_.x, area_.y}));
}

Point StackOverviewView::WindowPoint(Point desktop) const {
  return {desktop.x - area_.x, desktop.y - area_.y};
}

void StackOverviewView::Choose(int card) {
  if (card < 0 || card >= static_cast<int>(entries_.size())) return;
  if (callbacks_.choose) callbacks_.choose(entries_[static_cast<std::size_t>(card)].window);
}

void StackOverviewView::Dismiss() {
  if (callbacks_.dismiss) callbacks_.dismiss();
}

void StackOverviewView::OnKeyDown(std::uint32_t key) {
  if (closing_) return;
  namespace k = surface_key;
  int dx = 0, dy = 0;
  switch (key) {
    case k::kEnter:
    case k::kSpace:
      Choose(selected_);
      return;
    case k::kEscape:
      Dismiss();
      return;
    case k::kLeft: dx = -1; break;
    case k::kRight: dx = 1; break;
    case k::kUp: dy = -1; break;
    case k::kDown: dy = 1; break;
    default:
      if (key >= k::kDigit1 && key <= k::kDigit9) Choose(static_cast<int>(key - k::kDigit1));
      if (key >= kNumpad1 && key <= kNumpad9) Choose(static_cast<int>(key - kNumpad1));
      return;
  }
  selected_ = MoveOverviewSelection(cards_, selected_, dx, dy);
  hovered_ = -1;
  Paint();
}

void StackOverviewView::OnPointerMove(Point desktop) {
  if (closing_) return;
  const int card = OverviewCardAt(cards_, WindowPoint(desktop));
  if (card == hovered_) return;
  hovered_ = card;
  if (card >= 0) selected_ = card;
  Paint();
}

void StackOverviewView::OnPointerRelease(Point desktop) {
  if (closing_) return;
  const int card = OverviewCardAt(cards_, WindowPoint(desktop));
  if (card >= 0) {
    Choose(card);
  } else {
    Dismiss();
  }
}

void StackOverviewView::OnSecondaryRelease(Point /*desktop*/, bool /*alt*/) {
  if (!closing_) Dismiss();
}

void StackOverviewView::OnPointerLeave() {
  if (closing_ || hovered_ < 0) return;
  hovered_ = -1;
  Paint();
}

void StackOverviewView::OnDeactivate() {
  if (!closing_) Dismiss();
}

}  // namespace tessary
