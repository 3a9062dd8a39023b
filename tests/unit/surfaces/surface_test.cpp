// Presentation rules of surfaces: sizes, the growing bitmap, opacity and when the z-order
// is touched.

#include "platform/surface.h"

#include <gtest/gtest.h>

#include <cmath>

#include "platform/sim/sim_surface.h"
#include "surfaces_test_support.h"

namespace tessary {
namespace {

TEST(SurfaceRules, SizesAndOpacity) {
  EXPECT_EQ(SurfacePixelSize({0, 0, 0, 0}), (PixelSize{1, 1}));
  EXPECT_EQ(SurfacePixelSize({0, 0, 99.5, 20.4}), (PixelSize{100, 20}));
  EXPECT_EQ(SurfacePixelSize({0, 0, -30, 1e300}), (PixelSize{1, 1 << 20}));
  const std::pair<double, int> alphas[] = {
      {1, 255}, {0.5, 128}, {7, 255}, {-1, 0}, {std::nan(""), 0}};
  for (auto [opacity, alpha] : alphas) EXPECT_EQ(OpacityToAlpha(opacity), alpha) << opacity;
  for (double unusable : {0.0, -1.0, std::nan(""), HUGE_VAL}) {
    EXPECT_EQ(SanitizeScale(unusable), 1.0) << unusable;
  }
  EXPECT_EQ(SanitizeScale(1.5), 1.5);
}

TEST(SurfaceRules, TheZOrderIsTouchedOnlyWhenHiddenReanchoredOrCovered) {
  const WindowId dragged{7};
  const WindowId other{9};
  auto facts = [](SurfaceAnchor last, SurfaceAnchor now, WindowId above, bool aboveTopmost) {
    return ZOrderFacts{true, true, last, now, above, aboveTopmost};
  };
  const auto top = SurfaceAnchor::Top();
  const auto topmost = SurfaceAnchor::Topmost();
  const auto below = SurfaceAnchor::Below(dragged);
  struct Case {
    const char* name;
    ZOrderFacts facts;
    bool place;
  };
  const Case cases[] = {
      {"topmost again", facts(topmost, topmost, other, true), false},
      {"anchor changed", facts(topmost, top, kNoWindow, false), true},
      {"top, nothing above", facts(top, top, kNoWindow, false), false},
      {"top, a topmost window above", facts(top, top, other, true), false},
      {"top, covered by a window", facts(top, top, other, false), true},
      {"below, still there", facts(below, below, dragged, false), false},
      {"below, the window was raised", facts(below, below, other, false), true},
      {"hidden", ZOrderFacts{false, true, topmost, topmost, kNoWindow, false}, true},
      {"hidden behind our back", ZOrderFacts{true, false, topmost, topmost, kNoWindow, false},
       true},
  };
  for (const Case& c : cases) EXPECT_EQ(NeedsZOrderPlacement(c.facts), c.place) << c.name;
}

// The stories lean on the simulated surface behaving as the real one (whose own tests run
// under Wine): anchored below a window it follows that window up, hidden it stays where it
// is, and destroyed it hears no more ticks.
TEST(SimSurface, FollowsItsWindowStaysPutWhileHiddenAndGoesQuietOnceDestroyed) {
  struct Ticks : SurfaceInput {
    void OnTimer(int) override { ++count; }
    int count = 0;
  } ticks;
  testing::ManualClock clock;
  SimSurfaceFactory factory{&clock};
  const std::unique_ptr<Surface> owned = CreateSurface(factory, {.input = &ticks});
  auto& s = static_cast<SimSurface&>(*owned);
  s.MoveTo({50, 60});
  EXPECT_EQ(s.MoveCount(), 0);
  SimZStack& stack = *factory.OwnStack();
  const WindowId dragged = stack.AddWindow(false);
  const WindowId other = stack.AddWindow(false);
  s.Present({0, 0, 10, 10}, 1, nullptr, SurfaceAnchor::Below(dragged));
  stack.BringToTop(dragged);
  EXPECT_EQ(stack.WindowAbove(s.Window()), other);
  s.Present({0, 0, 10, 10}, 1, nullptr, SurfaceAnchor::Below(dragged));
  EXPECT_EQ(stack.Order(), (std::vector<WindowId>{dragged, s.Window(), other}));
  s.SubscribeFrames();
  s.StartTimer(2, 100);
  s.Destroy();
  clock.now += 1;
  factory.RunFrame();
  EXPECT_EQ(ticks.count, 0);
}

}  // namespace
}  // namespace tessary
