#include "surfaces/toast.h"

#include <algorithm>
#include <cmath>

#include "surfaces/theme.h"
#include "surfaces/toast_paint.h"

namespace tessary {
namespace {

constexpr double kFadeInSeconds = 0.28;
constexpr double kFadeOutSeconds = 0.22;
constexpr double kRiseUnits = 12;
// The longest a system timer can wait (USER_TIMER_MAXIMUM).
constexpr double kLongestTimerMs = 2147483647.0;

}  // namespace

Toast::~Toast() {
  if (surface_) surface_->Destroy();
}

bool Toast::Create(SurfaceFactory& factory) {
  SurfaceOptions options;
  options.title = kToastTitle;
  options.className = kToastClass;
  options.interactive = false;
  options.clickable = true;
  options.topmost = true;
  options.input = this;
  surface_ = CreateSurface(factory, options);
  measurer_ = &factory.Text();
  return surface_ != nullptr;
}

ToastPhase Toast::Phase() const {
  if (!surface_ || !surface_->Visible()) return ToastPhase::kHidden;
  if (fadingOut_) return ToastPhase::kFadingOut;
  return opacity_ < 1 ? ToastPhase::kFadingIn : ToastPhase::kHolding;
}

double Toast::RiseOffset() const {
  return animations_ ? std::round((1 - opacity_) * kRiseUnits * layout_.scale) : 0;
}

void Toast::Paint(double offset) {
  surface_->Present(
      {layout_.x, layout_.y + offset, layout_.width, layout_.height}, layout_.scale,
      [this](Canvas& canvas, double width, double height) {
        PaintToast(canvas, ReadTheme(theme_), width, height, text_, tone_, layout_);
      },
      SurfaceAnchor::Topmost());
}

void Toast::StartHold(double now) {
  surface_->UnsubscribeFrames();
  const double ms = std::clamp((hideAt_ - now) * 1000, 1.0, kLongestTimerMs);
  surface_->StartTimer(kToastHoldTimerId, static_cast<std::uint32_t>(std::lround(ms)));
}

bool Toast::Show(std::string_view text, double seconds, const std::vector<ToastDisplay>& displays,
                 Point cursor, bool animations) {
  if (!surface_ || !measurer_) return false;
  const ToastText split = SplitToastText(text);
  const std::optional<ToastLayout> layout = LayOutToast(split, displays, cursor, *measurer_);
  if (!layout) return false;
  text_ = split;
  tone_ = ChooseToastTone(text);
  layout_ = *layout;

  const double now = clock_.Now();
  if (!(seconds >= 0)) seconds = 0;  // also NaN, which would otherwise never hide
  shownAt_ = now;
  hideAt_ = now + seconds;
  fadingOut_ = false;
  animations_ = animations;
  // A message replacing a visible one keeps its opacity, so the card does not flash.
  if (!animations) {
    opacity_ = 1;
  } else if (!surface_->Visible()) {
    opacity_ = 0;
  }
  surface_->SetOpacity(opacity_);
  Paint(RiseOffset());
  surface_->Describe({.name = std::string(text), .role = AccessibleRole::kAlert});
  if (opacity_ >= 1) {
    StartHold(now);
  } else {
    surface_->StopTimer(kToastHoldTimerId);
    surface_->SubscribeFrames();
  }
  return true;
}

void Toast::Step() {
  if (!surface_) return;
  if (!surface_->Visible()) {
    surface_->UnsubscribeFrames();
    surface_->StopTimer(kToastHoldTimerId);
    return;
  }
  const double now = clock_.Now();
  if (!fadingOut_) {
    if (now < hideAt_) {
      if (opacity_ < 1) {
        const double t = std::clamp((now - shownAt_) / kFadeInSeconds, 0.0, 1.0);
        opacity_ = std::max(1 - std::pow(1 - t, 3), opacity_);
        surface_->SetOpacity(opacity_);
        surface_->MoveTo({layout_.x, layout_.y + RiseOffset()});
        if (opacity_ >= 1) StartHold(now);
      } else {
        // Holding, and a tick came before the time was up (timers may fire a little
        // early): wait out the rest.
        StartHold(now);
      }
      return;
    }
    shownAt_ = now;
    fadingOut_ = true;
    surface_->StopTimer(kToastHoldTimerId);
    surface_->SubscribeFrames();
  }
  const double t = animations_ ? std::clamp((now - shownAt_) / kFadeOutSeconds, 0.0, 1.0) : 1.0;
  opacity_ = 1 - t;
  surface_->SetOpacity(opacity_);
  if (t >= 1) {
    surface_->UnsubscribeFrames();
    surface_->StopTimer(kToastHoldTimerId);
    surface_->Hide();
    opacity_ = 0;
  }
}

void Toast::OnTimer(int id) {
  if (id == kFrameTimerId || id == kToastHoldTimerId) Step();
}

void Toast::OnPointerRelease(Point) {
  if (!surface_ || !surface_->Visible() || fadingOut_) return;
  // Dismissing at once: while the card holds, no frame tick would come before the hold
  // timer, so merely marking the time as up would leave it on screen until then.
  hideAt_ = clock_.Now();
  Step();
}

}  // namespace tessary
