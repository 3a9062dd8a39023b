#include "surfaces/outline.h"

#include <gtest/gtest.h>

#include "surfaces_test_support.h"

namespace tessary {
namespace {

struct OutlineFixture : testing::SimView<Outline> {
  OutlineFixture() : SimView("Tessary destination") {}
};

TEST(Outline, PaintsOnlyOnChangeBelowTheDraggedWindow) {
  OutlineFixture f;
  ASSERT_NE(f.surface, nullptr);
  f.view.Show({100, 100, 400, 300}, 1.0, "This Spot", false);
  f.view.Show({100, 100, 400, 300}, 1.0, "This Spot", false);
  EXPECT_EQ(f.surface->PaintCount(), 1);
  f.view.Show({100, 100, 400, 300}, 1.0, "This Spot", true);
  f.view.Show({100, 100, 400, 301}, 1.0, "This Spot", true);
  f.view.Show({100, 100, 400, 301}, 1.0, "Release to snap", true);
  EXPECT_EQ(f.surface->PaintCount(), 4);
  // Hidden, the same outline is shown again.
  f.view.Hide();
  f.view.Show({100, 100, 400, 301}, 1.0, "Release to snap", true);
  EXPECT_TRUE(f.view.Visible());
  EXPECT_EQ(f.surface->PaintCount(), 5);
  // It sits below the dragged window, or on top without one.
  const WindowId dragged = f.factory.OwnStack()->AddWindow(false);
  f.view.Show({0, 0, 200, 100}, 1.0, "", false, dragged);
  EXPECT_EQ(f.surface->Anchor(), SurfaceAnchor::Below(dragged));
  EXPECT_EQ(f.factory.Stacking().WindowAbove(f.surface->Window()), dragged);
  f.view.Show({0, 0, 200, 120}, 1.0, "", false);
  EXPECT_EQ(f.surface->Anchor(), SurfaceAnchor::Topmost());
}

TEST(Outline, ArmedOutlineIsStrongerAndItsLabelBold) {
  OutlineFixture f;
  f.view.Show({0, 0, 400, 300}, 1.0, "Release to snap", true);
  const RecordingCanvas& armed = f.surface->LastPaint();
  const auto fills = armed.OfKind(CanvasOpKind::kFillRounded);
  ASSERT_EQ(fills.size(), 2u);
  EXPECT_EQ(fills[0]->rect, (Rect{1, 1, 398, 298}));
  EXPECT_EQ(fills[0]->radius, 8);
  EXPECT_EQ(fills[0]->color, WithAlpha(f.colours.accent, 0.30));
  const auto stroke = armed.OfKind(CanvasOpKind::kStrokeRounded)[0];
  EXPECT_EQ(stroke->color, WithAlpha(f.colours.accent, 0.95));
  EXPECT_EQ(stroke->width, 3);
  // The pill: min(400 - 24, 280) = 280 wide, 40 high, centred.
  EXPECT_EQ(fills[1]->rect, (Rect{60, 130, 280, 40}));
  EXPECT_EQ(fills[1]->radius, 20);
  EXPECT_EQ(fills[1]->color, WithAlpha(f.colours.background, 0.94));
  const CanvasOp* label = armed.FindText("Release to snap");
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(label->rect, (Rect{74, 130, 252, 40}));
  EXPECT_TRUE(label->bold);
  EXPECT_EQ(label->color, f.colours.text);
  EXPECT_EQ(label->fontSize, 14);

  f.view.Show({0, 0, 400, 300}, 1.0, "Hold to snap", false);
  const RecordingCanvas& resting = f.surface->LastPaint();
  EXPECT_EQ(resting.OfKind(CanvasOpKind::kFillRounded)[0]->color,
            WithAlpha(f.colours.accent, 0.16));
  EXPECT_EQ(resting.OfKind(CanvasOpKind::kStrokeRounded)[0]->width, 2);
  EXPECT_EQ(resting.OfKind(CanvasOpKind::kStrokeRounded)[0]->color.a, 0.6);
  EXPECT_FALSE(resting.FindText("Hold to snap")->bold);
  EXPECT_EQ(resting.FindText("Hold to snap")->color, f.colours.secondaryText);
}

TEST(Outline, SmallOutlinesGoWithoutTheirLabelAndLongLabelsAreCut) {
  OutlineFixture f;
  // Below 141 x 61 units no label; at 150 % 200 px are 133 units.
  const std::tuple<Rect, double, std::size_t> cases[] = {{{0, 0, 140, 300}, 1.0, 0},
                                                         {{0, 0, 300, 60}, 1.0, 0},
                                                         {{0, 0, 141, 61}, 1.0, 1},
                                                         {{0, 0, 200, 200}, 1.5, 0}};
  for (const auto& [rect, scale, labels] : cases) {
    f.view.Show(rect, scale, "This Spot", false);
    EXPECT_EQ(f.surface->LastPaint().Texts().size(), labels) << rect.width << "x" << rect.height;
    EXPECT_EQ(f.surface->LastPaint().Count(CanvasOpKind::kStrokeRounded), 1u);
  }
  const std::string label(60, 'x');
  f.view.Show({0, 0, 400, 300}, 1.0, label, false);
  const CanvasOp* drawn = f.surface->LastPaint().FindText(label);
  ASSERT_NE(drawn, nullptr);
  // 252 units hold 36 regular code points at size 14: 35 and the ellipsis.
  EXPECT_EQ(drawn->shown, std::string(35, 'x') + "\u2026");
}

}  // namespace
}  // namespace tessary
