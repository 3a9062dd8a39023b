// The drawing toolkit's shared rules and the recording canvas's simulated text metrics,
// which every view test relies on.

#include "platform/canvas.h"

#include <gtest/gtest.h>

#include "platform/sim/recording_canvas.h"

namespace tessary {
namespace {

TEST(SimText, MeasuresCodePointsAtHalfTheSizeAndBoldWider) {
  SimTextMeasurer measurer;
  EXPECT_EQ(measurer.MeasureText("Hello", 14, false, 1000), (TextSize{35, 18}));  // 17.5 up
  EXPECT_EQ(measurer.MeasureText("Hello", 14, true, 1000), (TextSize{39, 18}));   // 38.5 up
  // "✓" is three bytes but one code point.
  EXPECT_EQ(measurer.MeasureText("\u2713", 10, false, 1000).width, 5);
  EXPECT_EQ(measurer.MeasureText("", 10, false, 1000), (TextSize{0, 13}));
}

TEST(SimText, WrapsAtSpacesAndBreaksLongWords) {
  // Size 10: five units per code point; 35 units hold seven.
  EXPECT_EQ(SimWrapLines("aaa bbb ccc", 10, false, 35),
            (std::vector<std::string>{"aaa bbb", "ccc"}));
  EXPECT_EQ(SimWrapLines("abcdefghijk x", 10, false, 35),
            (std::vector<std::string>{"abcdefg", "hijk x"}));
  EXPECT_EQ(SimWrapLines("one\ntwo three", 10, false, 100),
            (std::vector<std::string>{"one", "two three"}));
  SimTextMeasurer measurer;
  EXPECT_EQ(measurer.MeasureText("aaa bbb ccc", 10, false, 35), (TextSize{35, 25}));
}

TEST(SimText, LabelsAreCutWithAnEllipsis) {
  EXPECT_EQ(SimFitLabel("Hello world", 10, false, 55), "Hello world");
  EXPECT_EQ(SimFitLabel("Hello world", 10, false, 30), "Hello\u2026");
  EXPECT_EQ(SimFitLabel("Hello world", 10, false, 4), "");
  RecordingCanvas canvas;
  canvas.DrawLabel("Hello world", {0, 0, 30, 20}, kBlack, 10, false, TextAlign::kCenter);
  ASSERT_EQ(canvas.Ops().size(), 1u);
  EXPECT_EQ(canvas.Ops()[0].text, "Hello world");
  EXPECT_EQ(canvas.Ops()[0].shown, "Hello\u2026");
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

TEST(Canvas, IconRasterSizeIsTwiceTheLargerSideInStepsOfEight) {
  EXPECT_EQ(IconPixelSize({0, 0, 22, 22}), 48);
  EXPECT_EQ(IconPixelSize({0, 0, 10, 4}), 24);
  EXPECT_EQ(IconPixelSize({0, 0, 4, 4}), 16);
  EXPECT_EQ(IconPixelSize({0, 0, 101, 3}), 208);
  EXPECT_EQ(IconPixelSize({0, 0, 129, 129}), 256);
  EXPECT_EQ(IconPixelSize({0, 0, -5, 0}), 16);
}

TEST(Canvas, NoIconDrawsNothing) {
  RecordingCanvas canvas;
  canvas.DrawIcon(kNoIcon, {0, 0, 10, 10});
  canvas.DrawIcon(IconId{7}, {0, 0, 10, 10});
  ASSERT_EQ(canvas.Ops().size(), 1u);
  EXPECT_EQ(canvas.Ops()[0].icon, IconId{7});
}

}  // namespace
}  // namespace tessary
