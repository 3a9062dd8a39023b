// Presentation rules of surfaces: sizes, the growing bitmap, opacity, when the z-order
// is touched, and how input reaches a surface (on the simulated backend).

#include "platform/surface.h"

#include <gtest/gtest.h>

#include "platform/sim/sim_surface.h"
#include "surfaces_test_support.h"

namespace tessary {
namespace {

void PaintNothing(Canvas&, double, double) {}

struct Fixture {
  testing::ManualClock clock;
  SimSurfaceFactory factory{&clock};

  SimSurface& Make(SurfaceOptions options = {}) {
    surfaces.push_back(CreateSurface(factory, options));
    return static_cast<SimSurface&>(*surfaces.back());
  }
  std::vector<std::unique_ptr<Surface>> surfaces;
};

TEST(SurfaceRules, SizesAndOpacity) {
  EXPECT_EQ(SurfacePixelSize({0, 0, 0, 0}), (PixelSize{1, 1}));
  EXPECT_EQ(SurfacePixelSize({0, 0, 99.5, 20.4}), (PixelSize{100, 20}));
  EXPECT_EQ(SurfacePixelSize({0, 0, -30, 1e300}), (PixelSize{1, 1 << 20}));
  const std::pair<double, int> alphas[] = {
      {1, 255}, {0.5, 128}, {7, 255}, {-1, 0}, {std::nan(""), 0}};
  for (auto [opacity, alpha] : alphas) EXPECT_EQ(OpacityToAlpha(opacity), alpha) << opacity;
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

TEST(Surface, SizeInUnitsAndABitmapThatOnlyGrowsWithSlack) {
  Fixture f;
  SimSurface& s = f.Make();
  double width = -1, height = -1;
  s.Present(
      {10, 10, 0, 0}, 2.0,
      [&](Canvas&, double w, double h) {
        width = w;
        height = h;
      },
      SurfaceAnchor::Topmost());
  EXPECT_TRUE(s.Visible());
  EXPECT_EQ(width, 0.5);  // one pixel at scale 2
  EXPECT_EQ(height, 0.5);
  EXPECT_EQ(s.BitmapSize(), (PixelSize{33, 33}));
  s.Present({0, 0, 100, 50}, 1, PaintNothing, SurfaceAnchor::Topmost());
  EXPECT_EQ(s.BitmapSize(), (PixelSize{132, 82}));
  s.Present({0, 0, 120, 60}, 1, PaintNothing, SurfaceAnchor::Topmost());
  EXPECT_EQ(s.BitmapSize(), (PixelSize{132, 82}));
  s.Present({0, 0, 200, 10}, 1, PaintNothing, SurfaceAnchor::Topmost());
  EXPECT_EQ(s.BitmapSize(), (PixelSize{232, 114}));
  s.Present({0, 0, 300, 150}, 1.5, PaintNothing, SurfaceAnchor::Topmost());
  EXPECT_EQ(s.LastPaintSize(), (TextSize{200, 100}));
  s.Present({0, 0, 300, 150}, 0, PaintNothing, SurfaceAnchor::Topmost());  // scale taken as 1
  EXPECT_EQ(s.LastPaintSize(), (TextSize{300, 150}));
}

TEST(Surface, SurfaceAnchoredBelowAWindowStaysDirectlyBelowIt) {
  Fixture f;
  SimSurface& s = f.Make();
  SimZStack& stack = *f.factory.OwnStack();
  const WindowId dragged = stack.AddWindow(false);
  const WindowId other = stack.AddWindow(false);
  s.Present({0, 0, 10, 10}, 1, PaintNothing, SurfaceAnchor::Below(dragged));
  EXPECT_EQ(stack.WindowAbove(s.Window()), dragged);
  EXPECT_FALSE(stack.IsTopmost(s.Window()));  // it joined the dragged window's band
  s.Present({5, 5, 20, 20}, 1, PaintNothing, SurfaceAnchor::Below(dragged));  // moving: no z
  EXPECT_EQ(s.Placements().size(), 1u);
  EXPECT_EQ(s.PaintCount(), 2);
  // The dragged window is raised; the surface follows it at the next presentation.
  stack.BringToTop(dragged);
  EXPECT_EQ(stack.WindowAbove(s.Window()), other);
  s.Present({0, 0, 10, 10}, 1, PaintNothing, SurfaceAnchor::Below(dragged));
  EXPECT_EQ(s.Placements().size(), 2u);
  EXPECT_EQ(stack.Order(), (std::vector<WindowId>{dragged, s.Window(), other}));
}

TEST(Surface, OpacityStartsOpaqueAndMoveToNeedsAVisibleSurface) {
  Fixture f;
  SimSurface& s = f.Make();
  EXPECT_EQ(s.Alpha(), 255);
  s.SetOpacity(0.25);
  EXPECT_EQ(s.Alpha(), 64);
  s.MoveTo({50, 60});
  EXPECT_EQ(s.MoveCount(), 0);
  s.Present({0, 0, 10, 10}, 1, PaintNothing, SurfaceAnchor::Topmost());
  s.MoveTo({50.4, 59.6});
  EXPECT_EQ(s.Bounds(), (Rect{50, 60, 10, 10}));
}

class RecordingInput : public SurfaceInput {
 public:
  void OnTimer(int id) override { timers.push_back(id); }
  void OnKeyDown(std::uint32_t key) override { keys.push_back(key); }
  void OnPointerRelease(Point) override { ++clicks; }
  void OnDeactivate() override { ++deactivations; }
  bool ActivateOnClick() override { return activate; }

  std::vector<int> timers;
  std::vector<std::uint32_t> keys;
  int clicks = 0;
  int deactivations = 0;
  bool activate = false;
};

TEST(Surface, ClicksPassThroughUnlessTheSurfaceTakesThem) {
  Fixture f;
  RecordingInput input;
  SimSurface& s = f.Make({.input = &input});
  s.Present({0, 0, 100, 100}, 1, PaintNothing, SurfaceAnchor::Topmost());
  EXPECT_FALSE(s.Click({10, 10}));
  EXPECT_FALSE(s.PressKey(surface_key::kEscape));
  EXPECT_EQ(input.clicks, 0);

  s.SetInteractive(true);
  input.activate = true;
  EXPECT_FALSE(s.Click({150, 10}));  // outside
  EXPECT_TRUE(s.Click({10, 10}));
  EXPECT_TRUE(s.Focused());
  EXPECT_TRUE(s.PressKey(surface_key::kEscape));
  EXPECT_EQ(input.keys, (std::vector<std::uint32_t>{surface_key::kEscape}));
  s.Hide();  // hiding the focused surface deactivates it
  EXPECT_EQ(input.deactivations, 1);

  // A clickable surface gets clicks without the focus.
  RecordingInput clicked;
  SimSurface& clickable = f.Make({.clickable = true, .input = &clicked});
  clickable.Present({0, 0, 100, 100}, 1, PaintNothing, SurfaceAnchor::Topmost());
  EXPECT_TRUE(clickable.Click({10, 10}));
  EXPECT_EQ(clicked.clicks, 1);
  EXPECT_FALSE(clickable.Focused());
}

TEST(Surface, FramesAndTimersArriveAsTimerTicksUntilDestroyed) {
  Fixture f;
  RecordingInput input;
  SimSurface& s = f.Make({.input = &input});
  s.SubscribeFrames();
  s.StartTimer(2, 100);
  f.factory.RunFrame();
  EXPECT_EQ(input.timers, (std::vector<int>{kFrameTimerId}));
  s.UnsubscribeFrames();
  f.clock.now += 0.5;  // far behind: still one tick
  f.factory.RunFrame();
  EXPECT_EQ(input.timers, (std::vector<int>{kFrameTimerId, 2}));
  s.StopTimer(2);
  f.clock.now += 0.5;
  f.factory.RunFrame();
  EXPECT_EQ(input.timers.size(), 2u);

  const WindowId window = s.Window();
  s.SubscribeFrames();
  s.Destroy();
  f.factory.RunFrame();
  EXPECT_EQ(input.timers.size(), 2u);
  const std::vector<WindowId> order = f.factory.OwnStack()->Order();
  EXPECT_EQ(std::find(order.begin(), order.end(), window), order.end());
  s.Present({0, 0, 10, 10}, 1, PaintNothing, SurfaceAnchor::Topmost());
  EXPECT_FALSE(s.Visible());
}

}  // namespace
}  // namespace tessary
