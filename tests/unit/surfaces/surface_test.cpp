// The toolkit under every view: presentation rules of surfaces (sizes, the growing bitmap,
// opacity and when the z-order is touched), the shadow and icon rasters, and the theme.

#include "platform/surface.h"

#include <gtest/gtest.h>

#include <cmath>

#include "platform/canvas.h"
#include "platform/sim/recording_canvas.h"
#include "platform/sim/sim_surface.h"
#include "surfaces/theme.h"
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
  // Top with nothing above or covered, and below a raised window: the surfaces' own tests.
  const Case cases[] = {
      {"topmost again", facts(topmost, topmost, other, true), false},
      {"anchor changed", facts(topmost, top, kNoWindow, false), true},
      {"top, a topmost window above", facts(top, top, other, true), false},
      {"below, still there", facts(below, below, dragged, false), false},
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

TEST(Canvas, ShadowIsEightWideningOutlinesMovedDown) {
  RecordingCanvas canvas;
  canvas.Canvas::DrawShadow({10, 20, 100, 50}, 14, false);
  const auto strokes = canvas.OfKind(CanvasOpKind::kStrokeRounded);
  ASSERT_EQ(strokes.size(), 8u);
  EXPECT_EQ(strokes[0]->rect, (Rect{9, 22, 102, 52}));
  EXPECT_EQ(strokes[0]->radius, 15);
  EXPECT_EQ(strokes[0]->width, 1.5);
  EXPECT_DOUBLE_EQ(strokes[0]->color.a, (1 - 1 / 9.0) * 0.028);
  EXPECT_EQ(strokes[7]->rect, (Rect{2, 15, 116, 66}));
  EXPECT_DOUBLE_EQ(strokes[7]->color.a, (1 - 8 / 9.0) * 0.028);

  RecordingCanvas strong;
  strong.Canvas::DrawShadow({10, 20, 100, 50}, 14, true);
  EXPECT_DOUBLE_EQ(strong.OfKind(CanvasOpKind::kStrokeRounded)[0]->color.a, (1 - 1 / 9.0) * 0.05);
}

TEST(Canvas, IconsAreRasterisedAtTwiceTheLargerSideInStepsOfEight) {
  const std::pair<Rect, int> sizes[] = {{{0, 0, 22, 22}, 48},    {{0, 0, 10, 4}, 24},
                                        {{0, 0, 4, 4}, 16},      {{0, 0, 101, 3}, 208},
                                        {{0, 0, 129, 129}, 256}, {{0, 0, -5, 0}, 16}};
  for (const auto& [rect, pixels] : sizes) EXPECT_EQ(IconPixelSize(rect), pixels) << rect.width;
  // No icon draws nothing.
  RecordingCanvas icons;
  icons.DrawIcon(kNoIcon, {0, 0, 10, 10});
  icons.DrawIcon(IconId{7}, {0, 0, 10, 10});
  ASSERT_EQ(icons.Ops().size(), 1u);
  EXPECT_EQ(icons.Ops()[0].icon, IconId{7});
}

void ExpectColor(Color actual, Color expected) {
  EXPECT_NEAR(actual.r, expected.r, 1e-12);
  EXPECT_NEAR(actual.g, expected.g, 1e-12);
  EXPECT_NEAR(actual.b, expected.b, 1e-12);
  EXPECT_NEAR(actual.a, expected.a, 1e-12);
}

TEST(Theme, SystemValuesAndTheAccent) {
  // Missing values mean light mode and the default accent; only 0 means dark.
  const Theme missing = ThemeFromSystemValues(std::nullopt, std::nullopt);
  EXPECT_FALSE(missing.dark);
  ExpectColor(missing.accent, {0, 120 / 255.0, 212 / 255.0, 1});
  EXPECT_TRUE(ThemeFromSystemValues(0u, std::nullopt).dark);
  EXPECT_FALSE(ThemeFromSystemValues(1u, std::nullopt).dark);
  EXPECT_FALSE(ThemeFromSystemValues(2u, std::nullopt).dark);

  const double red = 204 / 255.0;
  struct Case {
    std::uint32_t value;
    bool dark;
    Color expected;
  };
  const Case cases[] = {
      // Red in the low byte; the value's alpha is ignored.
      {0x000000FFu, false, {1, 0, 0, 1}},
      {0x80FF0000u, false, {0, 0, 1, 1}},
      {0x1200FF00u, false, {0, 1, 0, 1}},
      // Dark mode lightens only dark accents, 35 % of the way to white.
      {0xFF000000u, true, {0.35, 0.35, 0.35, 1}},
      {0xFF000000u, false, {0, 0, 0, 1}},
      {0xFF00D7FFu, true, {1, 215 / 255.0, 0, 1}},
      {kDefaultAccentColor, true, {0, 120 / 255.0, 212 / 255.0, 1}},  // luminance 0.397
      {0xFF0000CCu, true, {red + (1 - red) * 0.35, 0.35, 0.35, 1}},   // luminance 0.17
      // The luminance threshold 0.35 is strict: G = 126 stays, G = 124 is lightened.
      {0xFF007E00u, true, {0, 126 / 255.0, 0, 1}},
      {0xFF007C00u, true, {0.35, 124 / 255.0 + (1 - 124 / 255.0) * 0.35, 0.35, 1}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value);
    ExpectColor(AccentFromColorValue(c.value, c.dark), c.expected);
  }
}

TEST(Theme, ColourTables) {
  const Color accent{0.1, 0.2, 0.3, 1};
  const Theme light = MakeTheme(false, accent);
  const Theme dark = MakeTheme(true, accent);
  const double g247 = 247 / 255.0, g32 = 32 / 255.0, g26 = 26 / 255.0;
  // clang-format off
  const std::pair<Color, Color> rows[] = {
      {light.background, {g247, g247, g247, 0.985}}, {dark.background, {g32, g32, g32, 0.985}},
      {light.text, {g26, g26, g26, 1}},              {dark.text, {1, 1, 1, 1}},
      {light.secondaryText, {0, 0, 0, 0.58}},        {dark.secondaryText, {1, 1, 1, 0.62}},
      {light.regionFill, {0, 0, 0, 0.09}},           {dark.regionFill, {1, 1, 1, 0.10}},
      {light.hoverFill, {0, 0, 0, 0.20}},            {dark.hoverFill, {1, 1, 1, 0.22}},
      {light.cardFill, {0, 0, 0, 0.04}},             {dark.cardFill, {1, 1, 1, 0.045}},
      {light.accentTint, {0.1, 0.2, 0.3, 0.16}},     {dark.accentTint, {0.1, 0.2, 0.3, 0.16}},
      {light.border, {0, 0, 0, 0.10}},               {dark.border, {1, 1, 1, 0.10}},
  };
  // clang-format on
  for (std::size_t i = 0; i < std::size(rows); ++i) {
    SCOPED_TRACE(i);
    ExpectColor(rows[i].first, rows[i].second);
  }
}

}  // namespace
}  // namespace tessary
