#include <cmath>

#include "base/easing.h"
#include "base/log.h"
#include "desktop/desktop.h"

namespace tessary {
namespace {

constexpr double kDuration = 0.44;
// The action (bringing the next window forward) runs while this one is near the far end.
constexpr double kActionAt = 0.36;

}  // namespace

void Desktop::SlideOutAndBack(WindowId window, const Rect& home, Point away,
                              const std::function<void()>& action) const {
  PerformanceRecord perf("slide");
  WindowAccess& w = platform_.windows;
  Clock& clock = platform_.clock;
  bool acted = false;
  auto act = [&] {
    if (acted) return;
    acted = true;
    if (action) action();
  };

  std::optional<Rect> rect;
  std::optional<Rect> frame;
  // A window whose app does not answer would take every request late, or freeze us.
  if (AnimationsEnabled() && w.Exists(window) && !w.IsHung(window)) {
    rect = w.WindowRect(window);
    frame = FrameBounds(window);
  }
  if (rect && frame) {
    double dx = frame->x - rect->x;
    double dy = frame->y - rect->y;
    double start = clock.Now();
    double lastFrame = start;
    bool requested = false;
    long lastX = 0;
    long lastY = 0;
    while (true) {
      double p = std::min((clock.Now() - start) / kDuration, 1.0);
      if (p >= kActionAt) act();
      double s = OutAndBack(p);
      long x = std::lround(home.x + (away.x - home.x) * s - dx);
      long y = std::lround(home.y + (away.y - home.y) * s - dy);
      if (!requested || x != lastX || y != lastY) {
        PositionRequest request;
        request.x = static_cast<int>(x);
        request.y = static_cast<int>(y);
        request.size = false;
        if (!w.SetPosition(window, request)) break;
        requested = true;
        lastX = x;
        lastY = y;
      }
      if (p >= 1.0) break;
      clock.WaitForNextFrame();
      double now = clock.Now();
      perf.AddFrame((now - lastFrame) * 1000.0);
      lastFrame = now;
    }
  }
  act();
  PlaceExactly(window, home);
  perf.Finish();
}

}  // namespace tessary
