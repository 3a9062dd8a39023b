// The toast: its text split into title and body with its tone, its layout, and the toast on a
// simulated surface with a clock that moves only when the test says so.

#include "surfaces/toast.h"

#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

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

// Where and how big: x, y, width, height in pixels, then the scale and the text's
// width and title and body heights in units.
using Placed = std::tuple<double, double, double, double, double, double, double, double>;
Placed Where(const ToastLayout& l) {
  return {l.x, l.y, l.width, l.height, l.scale, l.textWidth, l.titleHeight, l.bodyHeight};
}

TEST(ToastLayout, PillOrTitleAndBodyOnTheDisplayUnderThePointerCappedOnNarrowOnes) {
  SimTextMeasurer measurer;
  const ToastText pill = SplitToastText(kShort);
  // 39 bold code points at 14: 300.3 -> 301 wide, 18 high; 374 x 48 units at 1.0.
  EXPECT_EQ(Where(*LayOutToast(pill, kDisplays, {100, 100}, measurer)),
            (Placed{773, 1040 - 40 - 48, 374, 48, 1.0, 301, 18, 0}));
  // At 150 %: round(1920 + 1440 - 280.5), 60 px above the work area's bottom.
  EXPECT_EQ(Where(*LayOutToast(pill, kDisplays, {2500, 700}, measurer)),
            (Placed{3080, 1560 - 60 - 72, 561, 72, 1.5, 301, 18, 0}));
  // Right and bottom edges belong to no display: the first display is used.
  EXPECT_EQ(LayOutToast(pill, kDisplays, {4800, 10}, measurer)->scale, 1.0);
  EXPECT_EQ(LayOutToast(pill, kDisplays, {-5, -5}, measurer)->scale, 1.0);
  EXPECT_FALSE(LayOutToast(pill, {}, {0, 0}, measurer));
  // A title over a body: Toast.PaintsToneIconAndText.

  // On narrow displays the text's width is capped.
  const ToastText longText{std::string(100, 'w'), ""};
  auto layout = [&](double workWidth) {
    const std::vector<ToastDisplay> one = {{{0, 0, workWidth, 800}, {0, 0, workWidth, 800}, 1}};
    return *LayOutToast(longText, one, {1, 1}, measurer);
  };
  // The cap starts below 560 units, not 633, and is never negative.
  const std::pair<double, double> caps[] = {
      {1920, 520 - 73}, {560, 520 - 73}, {559, 519 - 73}, {500, 387}, {60, 1}};
  for (auto [work, cap] : caps) EXPECT_EQ(layout(work).maxText, cap) << work;
  // floor(387 / 7.7) = 50 code points a line: two lines of 385 units.
  EXPECT_EQ(layout(500).textWidth, 385);
  EXPECT_EQ(layout(500).titleHeight, 35);
}

struct ToastFixture : testing::SimView<Toast> {
  ToastFixture() : SimView("Tessary message") {}
  bool Show(const char* text, double seconds = 4.0, bool animations = true) {
    return view.Show(text, seconds, kDisplays, {100, 100}, animations);
  }
  Toast& toast = view;
};

TEST(Toast, FadesInRisingHoldsAndFadesOut) {
  ToastFixture f;
  ASSERT_TRUE(f.Show(kShort));
  EXPECT_EQ(f.surface->Options().className, "TessaryToast");
  EXPECT_EQ(f.toast.Phase(), ToastPhase::kFadingIn);
  EXPECT_EQ(f.toast.Opacity(), 0);
  EXPECT_TRUE(f.surface->FramesSubscribed());
  EXPECT_EQ(f.surface->Bounds(), (Rect{773, 952 + 12, 374, 48}));  // 12 units low

  f.Advance(0.14);  // t = 0.5: 1 - 0.5^3
  EXPECT_NEAR(f.toast.Opacity(), 0.875, 1e-9);
  EXPECT_EQ(f.surface->Alpha(), 223);
  f.Advance(0.02);  // t = 0.5714: 1 - 0.4286^3 = 0.9213
  EXPECT_NEAR(f.toast.Opacity(), 1 - std::pow(1 - 0.16 / 0.28, 3), 1e-9);
  EXPECT_EQ(f.surface->Bounds().y, 952 + 1);  // round(0.0787 x 12)

  f.Advance(0.12);
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
  EXPECT_EQ(f.toast.Opacity(), 0);
  EXPECT_FALSE(f.surface->FramesSubscribed());
}

TEST(Toast, ANewMessageKeepsTheOpacityReachedAndCountsItsOwnTime) {
  ToastFixture f;
  f.Show(kShort);
  f.Advance(0.14);
  const double reached = f.toast.Opacity();
  ASSERT_NEAR(reached, 0.875, 1e-9);
  ASSERT_TRUE(f.Show(kTwoSentences));
  EXPECT_EQ(f.toast.Opacity(), reached);
  // Screen readers hear each message as an alert.
  EXPECT_EQ(f.surface->Accessible(),
            (AccessibleView{.name = kTwoSentences, .role = AccessibleRole::kAlert}));
  f.Advance(0.01);
  EXPECT_EQ(f.toast.Opacity(), reached);  // the new curve starts lower: kept
  f.Advance(0.28);
  EXPECT_EQ(f.toast.Phase(), ToastPhase::kHolding);
  EXPECT_NEAR(f.toast.HideAt(), 100.14 + 4.0, 1e-9);

  // While fading out, it fades back in from where it was.
  f.Advance(3.72);
  f.Advance(0.11);
  ASSERT_EQ(f.toast.Phase(), ToastPhase::kFadingOut);
  const double opacity = f.toast.Opacity();
  f.Show(kShort);
  EXPECT_EQ(f.toast.Phase(), ToastPhase::kFadingIn);
  EXPECT_EQ(f.toast.Opacity(), opacity);
}

TEST(Toast, WithoutAnimationsItShowsAndHidesAtOnceAnEarlyTickWaitsAndWithoutASurfaceItFails) {
  ToastFixture f;
  ASSERT_TRUE(f.Show(kShort, 4.0, false));
  EXPECT_EQ(f.toast.Phase(), ToastPhase::kHolding);
  EXPECT_EQ(f.surface->Bounds().y, 952);
  EXPECT_FALSE(f.surface->FramesSubscribed());
  EXPECT_EQ(f.surface->TimerPeriod(kToastHoldTimerId), 4000u);
  f.clock.now += 3.5;
  ASSERT_TRUE(f.factory.FireTimer(*f.surface, kToastHoldTimerId));
  EXPECT_EQ(f.toast.Phase(), ToastPhase::kHolding);
  EXPECT_EQ(f.surface->TimerPeriod(kToastHoldTimerId), 500u);
  f.Advance(0.5);
  EXPECT_EQ(f.toast.Phase(), ToastPhase::kHidden);
  EXPECT_EQ(f.surface->MoveCount(), 0);
  // Without a surface it cannot show at all.
  EXPECT_FALSE(Toast(f.theme, f.clock).Show(kShort, 4.0, kDisplays, {100, 100}, true));
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

TEST(Toast, PaintsToneIconAndText) {
  ToastFixture f;
  f.Show(kTwoSentences);
  const RecordingCanvas& paint = f.surface->LastPaint();
  const Color amber{232 / 255.0, 162 / 255.0, 0, 1};
  const auto fills = paint.OfKind(CanvasOpKind::kFillRounded);
  ASSERT_EQ(fills.size(), 2u);
  // The title (51 bold code points) 393 wide; title, 3 units and body: 18 + 3 + 17 + 28 high.
  EXPECT_EQ(fills[0]->rect, (Rect{0.5, 0.5, 465, 65}));
  EXPECT_EQ(fills[0]->radius, 24);  // 66 high: no longer a pill
  EXPECT_EQ(fills[0]->color, WithAlpha(f.colours.background, 0.97));
  EXPECT_EQ(fills[1]->color, WithAlpha(amber, 0.14));
  EXPECT_EQ(paint.OfKind(CanvasOpKind::kStrokeRounded)[0]->color, f.colours.border);
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
  EXPECT_EQ(title->color, f.colours.text);
  const CanvasOp* body = paint.FindText("Their prior sizes were restored.");
  ASSERT_NE(body, nullptr);
  EXPECT_EQ(body->rect.y, 14 + 18 + 3);
  EXPECT_EQ(body->color, f.colours.secondaryText);
  EXPECT_EQ(body->fontSize, 13);

  // A neutral pill: no tint, the icon centred in the accent.
  f.Show(kShort);
  EXPECT_EQ(f.Paint().OfKind(CanvasOpKind::kFillRounded).size(), 1u);
  EXPECT_EQ(f.Paint().OfKind(CanvasOpKind::kFillRounded)[0]->radius, 24);
  EXPECT_EQ(f.Paint().OfKind(CanvasOpKind::kCircle)[0]->rect.y, 11);  // (48 - 26) / 2
  EXPECT_EQ(f.Paint().OfKind(CanvasOpKind::kCircle)[0]->color, f.colours.accent);
  EXPECT_NE(f.Paint().FindText("i"), nullptr);
  f.Show("Layout saved to your folder.");
  EXPECT_NE(f.Paint().FindText("\u2713"), nullptr);
  EXPECT_EQ(f.Paint().OfKind(CanvasOpKind::kFillRounded)[1]->color,
            (Color{46 / 255.0, 160 / 255.0, 67 / 255.0, 0.08}));
}

TEST(ToastText, TheFirstSentenceIsTheTitle) {
  const std::pair<const char*, ToastText> cases[] = {
      // Trimmed; a mark ends a sentence only with white space after it (no-break too).
      {"  Saved!\t\n Layout kept.  ", {"Saved!", "Layout kept."}},
      {"Version 1.2 is out? Yes", {"Version 1.2 is out?", "Yes"}},
      {"Done!   ", {"Done!", ""}},
      {"   ", {"", ""}},
      {"One.\u00A0Two", {"One.", "Two"}},
  };
  for (const auto& [text, split] : cases) EXPECT_EQ(SplitToastText(text), split) << text;
}

TEST(ToastText, ProblemWordsWinOverSuccessWordsWhichIncludeTheirTrailingBlank) {
  const std::pair<const char*, ToastTone> tones[] = {
      {"Word couldn\u2019t start.", ToastTone::kProblem},
      {"Word COULDN'T start.", ToastTone::kProblem},
      {"That app isn\u2019t installed.", ToastTone::kProblem},
      {"The windows do not fit.", ToastTone::kProblem},
      {"Update check Failed", ToastTone::kProblem},
      {"Layouts saved but the window won't move.", ToastTone::kProblem},
      {"Windows Arranged by layout.", ToastTone::kSuccess},
      {"Stacks are enabled.", ToastTone::kSuccess},
      {"Tessary forgot those sizes.", ToastTone::kSuccess},
      {"Your layout was saved.", ToastTone::kNeutral},
  };
  for (const auto& [text, tone] : tones) EXPECT_EQ(ChooseToastTone(text), tone) << text;
}

}  // namespace
}  // namespace tessary
