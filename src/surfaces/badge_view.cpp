#include "surfaces/badge_view.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>

#include "surfaces/accessible_views.h"
#include "surfaces/badge_paint.h"
#include "surfaces/theme.h"

namespace tessary {
namespace {

constexpr double kGrowSeconds = 0.16;
constexpr double kShrinkSeconds = 0.2;
constexpr double kFadeInSeconds = 0.2;
constexpr double kFadeOutSeconds = 0.15;
// How far outside the grown badge the pointer still counts as near, and how far a press
// must travel to become a drag (DIPs).
constexpr double kNearUnits = 10;
constexpr double kDragUnits = 4;

double EaseOutCubic(double t) { return 1 - std::pow(1 - t, 3); }
double EaseOutQuad(double t) { return 1 - (1 - t) * (1 - t); }
double EaseInQuad(double t) { return t * t; }

// A member wider or taller than the front window says how far it reaches.
std::string IconTooltip(const BadgeIcon& icon) {
  const std::string note = SpanNote(icon);
  if (note.empty() || icon.name.empty()) return icon.name + note;
  return icon.name + "\n" + note;
}

}  // namespace

// The value of an animation now; it ends (and its record is written) at its last step.
double Badge::Advance(Animation& a, double now, double (*ease)(double)) {
  const double t = a.seconds > 0 ? std::clamp((now - a.start) / a.seconds, 0.0, 1.0) : 1.0;
  if (t >= 1) {
    a.running = false;
    if (a.record) a.record->Finish();
    a.record.reset();
  }
  return a.from + (a.to - a.from) * ease(t);
}


Badge::~Badge() {
  if (surface_) surface_->Destroy();
}

bool Badge::Create(SurfaceFactory& factory) {
  SurfaceOptions options;
  options.title = kBadgeTitle;
  options.className = kBadgeClass;
  options.clickable = true;
  options.topmost = false;
  options.input = this;
  surface_ = CreateSurface(factory, options);
  return surface_ != nullptr;
}

bool Badge::Shown() const { return surface_ && surface_->Visible(); }

Rect Badge::Bounds() const {
  const double width = BadgeWidth(growth_) * scale_;
  const double height = BadgeHeight(static_cast<int>(content_.icons.size()), content_.maxShown,
                                    growth_, content_.groupCount >= 2) *
                        scale_;
  Point origin = BadgeOrigin(anchor_, width, height, scale_);
  return {origin.x + dragOffset_.x, origin.y + dragOffset_.y, width, height};
}

bool Badge::Update(WindowId front, const BadgeContent& content, const BadgeAnchor& anchor,
                   double scale, WindowId above, bool animations) {
  if (!surface_) return false;
  const bool fadingOut = fading_.running && fading_.to == 0;
  if (Shown() && !fadingOut && front == front_ && content == content_ && anchor == anchor_ &&
      scale == scale_ && above == above_) {
    return false;
  }
  if (content.icons != content_.icons) Hover({});
  front_ = front;
  content_ = content;
  anchor_ = anchor;
  scale_ = scale;
  above_ = above;
  animations_ = animations;
  if (!Shown() || fadingOut) Animate(fading_, fade_, 1, kFadeInSeconds, "badge-fade-in");
  Present();
  const Rect r = Bounds();
  const int middle = content_.groupCount >= 2 ? content_.groupCount / 2 : -1;
  Log("demo badge %p %p %.0f %.0f %.0f %.0f %d %d", static_cast<const void*>(this),
      reinterpret_cast<void*>(static_cast<std::uintptr_t>(ToNumber(front))), r.x, r.y, r.width,
      r.height, middle,
      static_cast<int>(std::min<std::size_t>(content_.icons.size(),
                                             static_cast<std::size_t>(content_.maxShown))));
  return true;
}

void Badge::Hide() {
  if (!Shown() || (fading_.running && fading_.to == 0)) return;
  // Shown again later, the pointer coming onto the same part must find it new.
  Hover({});
  Animate(fading_, fade_, 0, kFadeOutSeconds, "badge-fade-out");
}

void Badge::TrackPointer(Point desktop) {
  if (!Shown()) {
    near_ = false;
    return;
  }
  if (dragging_) return;
  const double width = BadgeWidth(1) * scale_;
  const double height = BadgeHeight(static_cast<int>(content_.icons.size()), content_.maxShown, 1,
                                    content_.groupCount >= 2) *
                        scale_;
  const Point origin = BadgeOrigin(anchor_, width, height, scale_);
  const double near = kNearUnits * scale_;
  const Rect zone{origin.x - near, origin.y - near, width + 2 * near, height + 2 * near};
  near_ = zone.Contains(desktop);
  const double target = near_ ? 1 : 0;
  if (target == 0 && hovered_ != BadgeHit{}) Hover({});
  const double heading = grow_.running ? grow_.to : growth_;
  if (heading == target) return;
  Animate(grow_, growth_, target, target > 0 ? kGrowSeconds : kShrinkSeconds,
          target > 0 ? "badge-grow" : "badge-shrink");
  Present();
}

void Badge::Animate(Animation& animation, double current, double target, double seconds,
                    const char* record) {
  if (animation.record) animation.record->Finish();
  animation = {current, target, clock_.Now(), animations_ ? seconds : 0, true, std::nullopt};
  animation.record.emplace(record);
  if (Step()) surface_->SubscribeFrames();
}

bool Badge::Step() {
  const double now = clock_.Now();
  if (grow_.running) growth_ = Advance(grow_, now, EaseOutCubic);
  if (fading_.running) {
    fade_ = Advance(fading_, now, fading_.to > fading_.from ? EaseOutQuad : EaseInQuad);
  }
  if (fade_ <= 0 && !fading_.running && surface_->Visible()) surface_->Hide();
  const bool running = grow_.running || fading_.running;
  if (!running) surface_->UnsubscribeFrames();
  if (surface_->Visible()) surface_->SetOpacity((0.5 + 0.5 * growth_) * fade_);
  return running;
}

void Badge::Present() {
  if (!surface_ || content_.icons.empty()) return;
  if (fade_ <= 0 && !(fading_.running && fading_.to > 0)) return;
  const Rect rect = Bounds();
  const BadgeParts parts = LayOutBadge(content_, growth_);
  const double growth = growth_;
  const BadgeHit hovered = hovered_;
  surface_->SetOpacity((0.5 + 0.5 * growth_) * fade_);
  surface_->Present(
      rect, scale_,
      [this, parts, growth, hovered](Canvas& canvas, double, double) {
        PaintBadge(canvas, ReadTheme(theme_),
                   {.content = &content_,
                    .parts = &parts,
                    .growth = growth,
                    .hovered = hovered,
                    .overflowActive = static_cast<bool>(callbacks_.showWholeStack)});
      },
      above_ == kNoWindow ? SurfaceAnchor::Top() : SurfaceAnchor::Below(above_));
  surface_->Describe(DescribeBadge({.content = &content_,
                                    .parts = &parts,
                                    .hovered = hovered,
                                    .overflowActive = static_cast<bool>(callbacks_.showWholeStack)},
                                   {{rect.x, rect.y}, scale_}));
}

void Badge::OnTimer(int id) {
  if (id != kFrameTimerId) return;
  Step();
  Present();
}

BadgeHit Badge::HitAt(Point desktop) const {
  const Rect r = Bounds();
  const Point local{(desktop.x - r.x) / scale_, (desktop.y - r.y) / scale_};
  return HitTestBadge(LayOutBadge(content_, growth_), local, growth_, content_.groupCount >= 2);
}

void Badge::OnPointerPress(Point desktop) {
  pressed_ = true;
  dragging_ = false;
  pressPoint_ = desktop;
}

void Badge::OnPointerMove(Point desktop) {
  // The system tells a surface only about the pointer over it; leaving is noticed by
  // TrackPointer, which runs from the first arrival until the pointer is gone.
  if (!near_) {
    near_ = true;
    if (callbacks_.pointerArrived) callbacks_.pointerArrived();
  }
  if (pressed_) {
    const double dx = desktop.x - pressPoint_.x;
    const double dy = desktop.y - pressPoint_.y;
    if (!dragging_ && std::hypot(dx, dy) > kDragUnits * scale_) {
      dragging_ = true;
      surface_->SetTooltip("", {});  // it would stay behind while the badge moves
    }
    if (dragging_) {
      dragOffset_ = {dx, dy};
      Present();
      return;
    }
  }
  const BadgeHit hit = HitAt(desktop);
  if (hit == hovered_) return;
  Hover(hit);
  Present();
}

void Badge::Hover(BadgeHit hit) {
  hovered_ = hit;
  const BadgeParts parts = Parts();
  std::optional<Rect> part;
  std::string text;
  switch (hit.part) {
    case BadgePart::kIcon:
      part = parts.icons[static_cast<std::size_t>(hit.icon)];
      text = IconTooltip(content_.icons[static_cast<std::size_t>(hit.icon)]);
      break;
    case BadgePart::kGroupButton:
      part = parts.groupButton;
      text = kBringThemForwardText;
      break;
    case BadgePart::kOverflow:
      part = parts.overflowButton;
      if (callbacks_.showWholeStack) text = kShowWholeStackText;  // else greyed
      break;
    case BadgePart::kGrip:
      part = parts.grip;
      // A badge standing on the edge goes back there when let go.
      if (!anchor_.onEdge) text = "Drag to move the badge";
      break;
    case BadgePart::kNone:
      break;
  }
  const Rect badge = Bounds();
  surface_->SetTooltip(text, part ? OnDesktop(*part, {{badge.x, badge.y}, scale_}) : Rect{});
}

void Badge::OnPointerRelease(Point desktop) {
  const bool wasDragging = dragging_;
  pressed_ = false;
  dragging_ = false;
  if (wasDragging) {
    const Rect dropped = Bounds();
    dragOffset_ = {};
    // A badge standing on the edge has no other place: it goes back.
    if (!anchor_.onEdge && callbacks_.moved) {
      callbacks_.moved(dropped);
    } else {
      Present();
    }
    return;
  }
  const BadgeHit hit = HitAt(desktop);
  switch (hit.part) {
    case BadgePart::kIcon:
      if (callbacks_.bringForward) {
        callbacks_.bringForward(content_.icons[static_cast<std::size_t>(hit.icon)].window);
      }
      return;
    case BadgePart::kGroupButton:
      if (callbacks_.bringGroupForward) callbacks_.bringGroupForward();
      return;
    case BadgePart::kOverflow:
      if (callbacks_.showWholeStack) callbacks_.showWholeStack();
      return;
    default:
      return;
  }
}

void Badge::OnSecondaryRelease(Point, bool alt) {
  if (!alt) {
    if (callbacks_.showOverview) callbacks_.showOverview();
    return;
  }
  // Only a floating badge has a position of its own to take back.
  if (!anchor_.onEdge && callbacks_.showMenu) callbacks_.showMenu();
}

void Badge::OnCaptureLost() {
  if (!pressed_ && !dragging_) return;
  pressed_ = false;
  dragging_ = false;
  dragOffset_ = {};
  Present();
}

}  // namespace tessary
