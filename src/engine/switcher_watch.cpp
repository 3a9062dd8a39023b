// The switcher's part of timer 8: the rules that close an open switcher, and the watch of
// the pointer resting on a stacked window's minimise button that opens one. The watch
// starts only when the mouse hook reports the pointer on such a button, or on the caption
// band of a window that draws its own caption (browsers and the like), whose own hit test
// then says where its minimise button is.

#include <algorithm>

#include "base/log.h"
#include "engine/coordinator.h"
#include "engine/switcher.h"

namespace tessary {
namespace {

constexpr double kHoverLeaveSeconds = 0.4;
constexpr double kHoverRestSeconds = 0.5;
// How far down a drawn caption may reach, in pixels at scale 1.
constexpr double kDrawnCaptionHeight = 48;

}  // namespace

bool StackSwitcher::IsFront(WindowId window) const {
  const std::vector<WindowId>& fronts = c_.stacks_.Fronts();
  return std::find(fronts.begin(), fronts.end(), window) != fronts.end();
}

bool StackSwitcher::PointerNear(double scale) const {
  const Point p = c_.desktop_.CursorPosition();
  const Rect b = panel_->Bounds();
  const double m = 16 * scale;
  return Rect{b.x - m, b.y - m, b.width + 2 * m, b.height + 2 * m}.Contains(p) ||
         hoverZone_.Contains(p);
}

double StackSwitcher::ScaleOf(WindowId window) const {
  const int display = c_.DisplayOfWindow(window);
  return display >= 0 ? c_.displays_[static_cast<std::size_t>(display)].scale : 1.0;
}

std::optional<StackSwitcher::HoverSpot> StackSwitcher::HoverSpotOf(WindowId window) const {
  if (std::optional<Rect> button = MinimiseButton(window)) return HoverSpot{*button, false};
  const std::optional<Rect> frame = c_.desktop_.FrameBounds(window);
  if (!frame) return std::nullopt;
  const double height = std::min(frame->height, kDrawnCaptionHeight * ScaleOf(window));
  return HoverSpot{{frame->x, frame->y, frame->width, height}, true};
}

std::optional<Rect> StackSwitcher::MinimiseButton(WindowId window) const {
  const Platform& p = c_.platform();
  const std::optional<Rect> buttons = p.windows.CaptionButtonBounds(window);
  if (!buttons || buttons->width <= 0) return std::nullopt;
  // Minimise comes first: of three buttons with a maximise box, else of two.
  const double count = (p.windows.Style(window) & window_style::kMaximizeBox) ? 3 : 2;
  return Rect{buttons->x, buttons->y, buttons->width / count, buttons->height};
}

void StackSwitcher::PublishHoverSpots() {
  std::vector<Rect> spots;
  if (!c_.paused_ && c_.stackSwitches_.windowStacks) {
    for (WindowId front : c_.stacks_.Fronts()) {
      if (std::optional<HoverSpot> spot = HoverSpotOf(front)) spots.push_back(spot->rect);
    }
  }
  if (spots == spots_) return;
  spots_ = spots;
  if (c_.callbacks_.setHoverSpots) c_.callbacks_.setHoverSpots(std::move(spots));
}

bool StackSwitcher::WatchHover(double now) {
  if (c_.paused_ || c_.dragActive_ || !c_.stackSwitches_.windowStacks) return false;
  const Platform& p = c_.platform();
  const Point pointer = c_.desktop_.CursorPosition();
  const WindowId under = p.windows.Root(p.zOrder.WindowAt(pointer));
  const std::optional<HoverSpot> spot = IsFront(under) ? HoverSpotOf(under) : std::nullopt;
  if (!spot || !spot->rect.Contains(pointer)) {
    watched_ = kNoWindow;
    return false;
  }
  // On a drawn caption the window says (within 50 ms) whether the pointer is on its
  // minimise button. The watch goes on over the whole band: the hook reports only the
  // pointer's arrival on it, not its coming onto the button.
  if (spot->askWindow && p.windows.HitTest(under, pointer) != kHitMinimiseButton) {
    watched_ = kNoWindow;
    return true;
  }
  if (watched_ != under) {
    watched_ = under;
    watchedSince_ = now;
    return true;
  }
  if (now - watchedSince_ < kHoverRestSeconds) return true;
  watched_ = kNoWindow;
  const double s = ScaleOf(under);
  const Rect zone{pointer.x - 40 * s, pointer.y - 24 * s, 80 * s, 48 * s};
  Log("hover switcher %p", reinterpret_cast<void*>(static_cast<std::uintptr_t>(ToNumber(under))));
  return Show(under, &zone);
}

bool StackSwitcher::Tick(double now) {
  if (!panel_) return WatchHover(now);
  if (hovering_) {
    if (PointerNear(panel_->Scale())) {
      leftAt_ = 0;
    } else if (leftAt_ == 0) {
      leftAt_ = now;
    } else if (now - leftAt_ > kHoverLeaveSeconds) {
      Close();
      Log("hover switcher closed");
      return false;
    }
    return true;
  }
  const Platform& p = c_.platform();
  const WindowId foreground = p.zOrder.Foreground();
  if (foreground == panel_->Window()) {
    focusedOnce_ = true;
  } else if (focusedOnce_ && now >= grace_ && foreground != kNoWindow &&
             p.windows.Root(foreground) != panel_->Window() &&
             p.windows.Owner(foreground) != panel_->Window()) {
    Close();
    Log("switcher closed: lost the foreground");
    return false;
  }
  return true;
}

}  // namespace tessary
