// The toast on a simulated surface and a clock that moves only when the test says so.

#include "surfaces/toast.h"

#include <gtest/gtest.h>

#include <cmath>

#include "platform/sim/sim_surface.h"
#include "platform/sim/sim_theme_source.h"
#include "surfaces/theme.h"
#include "surfaces/toast_paint.h"
#include "surfaces_test_support.h"

namespace tessary {
namespace {

constexpr const char* kShort = "Every badge is back in its usual place.";
constexpr const char* kTwoSentences =
    "The windows did not settle into the adjusted split. Their prior sizes were restored.";

const std::vector<ToastDisplay> kDisplays = {
    {{0, 0, 1920, 1080}, {0, 0, 1920, 1040}, 1.0},
    {{1920, 0, 2880, 1620}, {1920, 0, 2880, 1560}, 1.5},
};

TEST(ToastLayout, OneShortSentenceIsAPill) {
  SimTextMeasurer measurer;
  const auto layout = LayOutToast(SplitToastText(kShort), kDisplays, {100, 100}, measurer);
  ASSERT_TRUE(layout);
  // 39 bold code points at 14: 300.3 -> 301 wide, 18 high.
  EXPECT_EQ(layout->textWidth, 301);
  EXPECT_EQ(layout->widthDip, 374);
  EXPECT_EQ(layout->heightDip, 48);
  EXPECT_EQ(layout->x, 773);
  EXPECT_EQ(layout->y, 1040 - 40 - 48);
  EXPECT_EQ(layout->width, 374);
  EXPECT_EQ(layout->height, 48);
}

TEST(ToastLayout, TitleAndBodyStackWithThreeUnitsBetween) {
  SimTextMeasurer measurer;
  const auto layout = LayOutToast(SplitToastText(kTwoSentences), kDisplays, {100, 100}, measurer);
  ASSERT_TRUE(layout);
  EXPECT_EQ(layout->textWidth, 393);  // the title: 51 bold code points
  EXPECT_EQ(layout->titleHeight, 18);
  EXPECT_EQ(layout->bodyHeight, 17);
  EXPECT_EQ(layout->heightDip, 18 + 3 + 17 + 28);
}

TEST(ToastLayout, TextWidthIsCappedOnNarrowDisplays) {
  SimTextMeasurer measurer;
  const ToastText longText{std::string(100, 'w'), ""};
  auto maxText = [&](double workWidth) {
    const std::vector<ToastDisplay> one = {{{0, 0, workWidth, 800}, {0, 0, workWidth, 800}, 1}};
    return LayOutToast(longText, one, {1, 1}, measurer)->maxText;
  };
  EXPECT_EQ(maxText(1920), 520 - 73);
  EXPECT_EQ(maxText(560), 520 - 73);  // the cap starts below 560 units, not 633
  EXPECT_EQ(maxText(559), 519 - 73);
  EXPECT_EQ(maxText(500), 387);
  EXPECT_EQ(maxText(60), 1);  // never negative
  const std::vector<ToastDisplay> narrow = {{{0, 0, 500, 800}, {0, 0, 500, 800}, 1}};
  const auto layout = LayOutToast(longText, narrow, {1, 1}, measurer);
  // floor(387 / 7.7) = 50 code points a line: two lines of 385 units.
  EXPECT_EQ(layout->textWidth, 385);
  EXPECT_EQ(layout->titleHeight, 35);
}

TEST(ToastLayout, GoesToTheDisplayUnderThePointer) {
  SimTextMeasurer measurer;
  const ToastText text = SplitToastText(kShort);
  const auto second = LayOutToast(text, kDisplays, {2500, 700}, measurer);
  EXPECT_EQ(second->scale, 1.5);
  EXPECT_EQ(second->width, 561);
  EXPECT_EQ(second->height, 72);
  EXPECT_EQ(second->x, 3080);  // round(1920 + 1440 - 280.5)
  EXPECT_EQ(second->y, 1560 - 60 - 72);
  // Right and bottom edges belong to no display: the first display is used.
  EXPECT_EQ(LayOutToast(text, kDisplays, {4800, 10}, measurer)->scale, 1.0);
  EXPECT_EQ(LayOutToast(text, kDisplays, {-5, -5}, measurer)->scale, 1.0);
  EXPECT_FALSE(LayOutToast(text, {}, {0, 0}, measurer));
}

struct ToastFixture {
  explicit ToastFixture(bool create = true) {
    if (create) {
      EXPECT_TRUE(toast.Create(factory));
    }
    surface = factory.FindByTitle("Tessary message");
  }
  bool Show(const char* text, double seconds = 4.0, bool animations = true) {
    return toast.Show(text, seconds, kDisplays, {100, 100}, animations);
  }
  void Advance(double seconds) {
    clock.now += seconds;
    factory.RunFrame();
  }
  testing::ManualClock clock;
  SimSurfaceFactory factory{&clock};
  SimThemeSource theme;
  Toast toast{theme, clock};
  SimSurface* surface = nullptr;
};

TEST(Toast, FadesInRisingHoldsAndFadesOut) {
  ToastFixture f;
  ASSERT_TRUE(f.Show(kShort));
  EXPECT_EQ(f.surface->Options().className, "TessaryToast");
  EXPECT_EQ(f.toast.Phase(), ToastPhase::kFadingIn);
  EXPECT_EQ(f.toast.Opacity(), 0);
  EXPECT_EQ(f.surface->Alpha(), 0);
  EXPECT_TRUE(f.surface->FramesSubscribed());
  EXPECT_EQ(f.surface->Bounds(), (Rect{773, 952 + 12, 374, 48}));  // 12 units low

  f.Advance(0.14);  // t = 0.5: 1 - 0.5^3
  EXPECT_NEAR(f.toast.Opacity(), 0.875, 1e-9);
  EXPECT_EQ(f.surface->Alpha(), 223);
  f.Advance(0.02);  // t = 0.5714: 1 - 0.4286^3 = 0.9213
  EXPECT_NEAR(f.toast.Opacity(), 1 - std::pow(1 - 0.16 / 0.28, 3), 1e-9);
  EXPECT_EQ(f.surface->Bounds().y, 952 + 1);  // round(0.0787 x 12)

  f.Advance(0.12);
  EXPECT_EQ(f.toast.Opacity(), 1);
  EXPECT_EQ(f.toast.Phase(), ToastPhase::kHolding);
  EXPECT_EQ(f.surface->Bounds().y, 952);
  EXPECT_FALSE(f.surface->FramesSubscribed());
  EXPECT_EQ(f.surface->TimerPeriod(kToastHoldTimerId), 3720u);

  f.Advance(3.0);  // nothing is due yet
  EXPECT_EQ(f.toast.Phase(), ToastPhase::kHolding);
  f.Advance(0.72);  // the hold timer: the fade-out begins
  EXPECT_EQ(f.toast.Phase(), ToastPhase::kFadingOut);
  EXPECT_FALSE(f.surface->TimerRunning(kToastHoldTimerId));
  EXPECT_TRUE(f.surface->FramesSubscribed());
  f.Advance(0.11);
  EXPECT_NEAR(f.toast.Opacity(), 0.5, 1e-9);
  EXPECT_TRUE(f.surface->Visible());
  f.Advance(0.1101);
  EXPECT_EQ(f.toast.Phase(), ToastPhase::kHidden);
  EXPECT_FALSE(f.surface->Visible());
  EXPECT_EQ(f.toast.Opacity(), 0);
  EXPECT_FALSE(f.surface->FramesSubscribed());
}

TEST(Toast, ASecondMessageWhileFadingInKeepsTheOpacity) {
  ToastFixture f;
  f.Show(kShort);
  f.Advance(0.14);
  const double reached = f.toast.Opacity();
  ASSERT_NEAR(reached, 0.875, 1e-9);
  ASSERT_TRUE(f.Show(kTwoSentences));
  EXPECT_EQ(f.toast.Opacity(), reached);
  EXPECT_EQ(f.surface->Alpha(), 223);
  EXPECT_EQ(f.toast.Text().body, "Their prior sizes were restored.");
  EXPECT_EQ(f.toast.Tone(), ToastTone::kProblem);
  f.Advance(0.01);
  EXPECT_EQ(f.toast.Opacity(), reached);  // the new curve starts lower: kept
  f.Advance(0.28);
  EXPECT_EQ(f.toast.Phase(), ToastPhase::kHolding);
  // Its own four seconds count from the second Show.
  EXPECT_NEAR(f.toast.HideAt(), 100.14 + 4.0, 1e-9);
}

TEST(Toast, ANewMessageWhileFadingOutFadesBackIn) {
  ToastFixture f;
  f.Show(kShort, 1.0);
  f.Advance(0.3);
  f.Advance(0.7);
  f.Advance(0.11);
  ASSERT_EQ(f.toast.Phase(), ToastPhase::kFadingOut);
  const double opacity = f.toast.Opacity();
  f.Show(kShort);
  EXPECT_EQ(f.toast.Phase(), ToastPhase::kFadingIn);
  EXPECT_EQ(f.toast.Opacity(), opacity);
  EXPECT_FALSE(f.toast.FadingOut());
}

TEST(Toast, WithoutAnimationsItShowsAndHidesAtOnce) {
  ToastFixture f;
  ASSERT_TRUE(f.Show(kShort, 4.0, false));
  EXPECT_EQ(f.toast.Opacity(), 1);
  EXPECT_EQ(f.toast.Phase(), ToastPhase::kHolding);
  EXPECT_EQ(f.surface->Bounds().y, 952);
  EXPECT_FALSE(f.surface->FramesSubscribed());
  EXPECT_EQ(f.surface->TimerPeriod(kToastHoldTimerId), 4000u);
  f.Advance(4.0);
  EXPECT_EQ(f.toast.Phase(), ToastPhase::kHidden);
  EXPECT_EQ(f.surface->MoveCount(), 0);
}

TEST(Toast, AClickDismissesItAtOnce) {
  ToastFixture f;
  f.Show(kShort);
  f.Advance(0.3);
  ASSERT_EQ(f.toast.Phase(), ToastPhase::kHolding);
  // The toast takes the click without ever taking the focus.
  EXPECT_TRUE(f.surface->Click({800, 960}));
  EXPECT_FALSE(f.surface->Focused());
  EXPECT_EQ(f.toast.Phase(), ToastPhase::kFadingOut);
  f.Advance(0.2201);
  EXPECT_EQ(f.toast.Phase(), ToastPhase::kHidden);
  EXPECT_FALSE(f.surface->Click({800, 960}));
}

TEST(Toast, AnEarlyHoldTickWaitsOutTheRest) {
  ToastFixture f;
  f.Show(kShort, 4.0, false);
  f.clock.now += 3.5;
  ASSERT_TRUE(f.factory.FireTimer(*f.surface, kToastHoldTimerId));
  EXPECT_EQ(f.toast.Phase(), ToastPhase::kHolding);
  EXPECT_EQ(f.surface->TimerPeriod(kToastHoldTimerId), 500u);
}

TEST(Toast, PaintsToneIconAndText) {
  ToastFixture f;
  f.Show(kTwoSentences);
  const RecordingCanvas& paint = f.surface->LastPaint();
  const Theme theme = MakeTheme(false, AccentFromColorValue(kDefaultAccentColor, false));
  const Color amber{232 / 255.0, 162 / 255.0, 0, 1};
  const auto fills = paint.OfKind(CanvasOpKind::kFillRounded);
  ASSERT_EQ(fills.size(), 2u);
  EXPECT_EQ(fills[0]->rect, (Rect{0.5, 0.5, 465, 65}));
  EXPECT_EQ(fills[0]->radius, 24);  // 66 high: no longer a pill
  EXPECT_EQ(fills[0]->color, WithAlpha(theme.background, 0.97));
  EXPECT_EQ(fills[1]->color, WithAlpha(amber, 0.14));
  EXPECT_EQ(paint.OfKind(CanvasOpKind::kStrokeRounded)[0]->color, theme.border);
  const auto circle = paint.OfKind(CanvasOpKind::kCircle);
  ASSERT_EQ(circle.size(), 1u);
  EXPECT_EQ(circle[0]->rect, (Rect{14, 15, 26, 26}));
  EXPECT_EQ(circle[0]->color, amber);
  const CanvasOp* glyph = paint.FindText("!");
  ASSERT_NE(glyph, nullptr);
  EXPECT_EQ(glyph->color, kWhite);
  EXPECT_TRUE(glyph->bold);
  const CanvasOp* title = paint.FindText("The windows did not settle into the adjusted split.");
  ASSERT_NE(title, nullptr);
  EXPECT_EQ(title->rect.x, 51);
  EXPECT_EQ(title->rect.y, 14);  // (66 - 38) / 2
  EXPECT_EQ(title->color, theme.text);
  const CanvasOp* body = paint.FindText("Their prior sizes were restored.");
  ASSERT_NE(body, nullptr);
  EXPECT_EQ(body->rect.y, 14 + 18 + 3);
  EXPECT_EQ(body->color, theme.secondaryText);
  EXPECT_EQ(body->fontSize, 13);
}

TEST(Toast, PillIconIsCentredAndNeutralToneUsesTheAccent) {
  ToastFixture f;
  f.Show(kShort);
  const RecordingCanvas& paint = f.surface->LastPaint();
  const Theme theme = MakeTheme(false, AccentFromColorValue(kDefaultAccentColor, false));
  EXPECT_EQ(paint.OfKind(CanvasOpKind::kFillRounded).size(), 1u);  // no tone tint
  EXPECT_EQ(paint.OfKind(CanvasOpKind::kFillRounded)[0]->radius, 24);
  EXPECT_EQ(paint.OfKind(CanvasOpKind::kCircle)[0]->rect.y, 11);  // (48 - 26) / 2
  EXPECT_EQ(paint.OfKind(CanvasOpKind::kCircle)[0]->color, theme.accent);
  EXPECT_NE(paint.FindText("i"), nullptr);
  f.Show("Layout saved to your folder.");
  EXPECT_NE(f.surface->LastPaint().FindText("\u2713"), nullptr);
  EXPECT_EQ(f.surface->LastPaint().OfKind(CanvasOpKind::kFillRounded)[1]->color,
            (Color{46 / 255.0, 160 / 255.0, 67 / 255.0, 0.08}));
}

TEST(Toast, WithoutASurfaceOrADisplayShowFails) {
  ToastFixture noSurface(false);
  EXPECT_FALSE(noSurface.Show(kShort));
  ToastFixture f;
  EXPECT_FALSE(f.toast.Show(kShort, 4.0, {}, {0, 0}, true));
  EXPECT_EQ(f.toast.Phase(), ToastPhase::kHidden);
}

}  // namespace
}  // namespace tessary
