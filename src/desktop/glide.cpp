#include <algorithm>
#include <cmath>
#include <string>

#include "base/easing.h"
#include "base/log.h"
#include "desktop/desktop.h"
#include "desktop/frame_margins.h"

namespace tessary {
namespace {

constexpr double kDuration = 0.24;
// A window that has not yet reached the last requested rectangle is left alone for this
// long, so a slow app is not flooded with requests it cannot keep up with.
constexpr double kGrace = 0.05;
// All windows together get this long to reach their last requested rectangle.
constexpr double kSettle = 0.15;

struct Animation {
  WindowId window{};
  Rect from;
  Rect to;
  FrameMargins margins;
  IntEdges lastSet;
  bool set = false;
  double setTime = 0;
};

// A window whose current rectangle differs from the last one requested (or cannot be
// read) is still on its way.
bool StillMoving(WindowAccess& w, const Animation& a) {
  std::optional<Rect> rect = w.WindowRect(a.window);
  return !rect || EdgesOf(*rect) != a.lastSet;
}

double Lerp(double from, double to, double e) { return from + (to - from) * e; }


struct MovingWindows {
  std::vector<Animation> animations;
  bool resizing = false;  // some window changes size, not only place
};

// The windows that really move, each once even when listed twice.
MovingWindows WindowsThatMove(const Desktop& desktop, WindowAccess& w,
                              const std::vector<GlideItem>& items) {
  MovingWindows moving;
  for (const GlideItem& item : items) {
    if (!w.Exists(item.window) || w.IsMaximized(item.window) || w.IsMinimized(item.window) ||
        w.IsHung(item.window)) {
      continue;
    }
    std::optional<Rect> frame = desktop.FrameBounds(item.window);
    if (!frame || NearlyEqual(*frame, item.target, 1.0)) continue;
    if (std::abs(frame->width - item.target.width) > 1.0 ||
        std::abs(frame->height - item.target.height) > 1.0) {
      moving.resizing = true;
    }
    bool noted = std::any_of(moving.animations.begin(), moving.animations.end(),
                             [&](const Animation& a) { return a.window == item.window; });
    if (!noted) moving.animations.push_back(Animation{item.window, *frame});
  }
  return moving;
}

// Each window goes to the target of the last item that names it; a window whose
// rectangle cannot be read is not animated.
std::vector<Animation> PrepareAnimations(WindowAccess& w, std::vector<Animation> animations,
                                         const std::vector<GlideItem>& items) {
  std::vector<Animation> records;
  for (Animation& a : animations) {
    for (const GlideItem& item : items) {
      if (item.window == a.window) a.to = item.target;
    }
    std::optional<Rect> rect = w.WindowRect(a.window);
    if (!rect) continue;
    a.margins = MarginsOf(*rect, a.from);
    records.push_back(a);
  }
  return records;
}

// The window rectangle (frame plus invisible margins) at eased progress e.
IntEdges EdgesAt(const Animation& a, double e) {
  double x = Lerp(a.from.x, a.to.x, e);
  double y = Lerp(a.from.y, a.to.y, e);
  double width = Lerp(a.from.width, a.to.width, e);
  double height = Lerp(a.from.height, a.to.height, e);
  return IntEdges{std::lround(x - a.margins.left), std::lround(y - a.margins.top),
                  std::lround(x + width + a.margins.right),
                  std::lround(y + height + a.margins.bottom)};
}

void StepWindow(WindowAccess& w, Animation& a, double now, double e) {
  if (a.set && now - a.setTime < kGrace && StillMoving(w, a)) return;
  IntEdges edges = EdgesAt(a, e);
  if (a.set && edges == a.lastSet) return;
  PositionRequest request;
  request.x = static_cast<int>(edges.left);
  request.y = static_cast<int>(edges.top);
  request.width = static_cast<int>(edges.right - edges.left);
  request.height = static_cast<int>(edges.bottom - edges.top);
  request.async = true;
  // A failed request is ignored: the exact placement after the motion decides.
  w.SetPosition(a.window, request);
  a.lastSet = edges;
  a.setTime = now;
  a.set = true;
}

void PlayFrames(WindowAccess& w, Clock& clock, std::vector<Animation>& records,
                PerformanceRecord& perf) {
  double start = clock.Now();
  double lastFrame = start;
  while (true) {
    double now = clock.Now();
    double p = std::clamp((now - start) / kDuration, 0.0, 1.0);
    double e = EaseInOutCubic(p);
    for (Animation& a : records) StepWindow(w, a, now, e);
    perf.AddFrame((now - lastFrame) * 1000.0);
    lastFrame = now;
    if (p >= 1.0) break;
    clock.WaitForNextFrame();
  }
}

void AwaitSettling(WindowAccess& w, Clock& clock, const std::vector<Animation>& records) {
  double deadline = clock.Now() + kSettle;
  for (const Animation& a : records) {
    while (a.set && clock.Now() < deadline) {
      std::optional<Rect> rect = w.WindowRect(a.window);
      if (!rect || EdgesOf(*rect) == a.lastSet) break;
      clock.Sleep(1);
    }
  }
}

}  // namespace

std::set<WindowId> Desktop::Glide(const std::vector<GlideItem>& items) const {
  PerformanceRecord perf("glide n=" + std::to_string(items.size()));
  WindowAccess& w = platform_.windows;

  MovingWindows moving = WindowsThatMove(*this, w, items);
  if (AnimationsEnabled() && !moving.animations.empty()) {
    std::vector<Animation> records = PrepareAnimations(w, std::move(moving.animations), items);
    PlayFrames(w, platform_.clock, records, perf);
    AwaitSettling(w, platform_.clock, records);
  }
  perf.Mark("motion");

  std::set<WindowId> placed;
  for (const GlideItem& item : items) {
    if (PlaceExactly(item.window, item.target)) placed.insert(item.window);
  }
  perf.Mark("exact");
  if (moving.resizing) perf.SetTail(" resizing");
  perf.Finish();
  return placed;
}

bool Desktop::GlideOne(WindowId window, const Rect& target) const {
  return Glide({GlideItem{window, target}}).contains(window);
}

}  // namespace tessary
