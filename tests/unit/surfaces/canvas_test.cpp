// The drawing toolkit's shared rules: the shadow and icon rasters.

#include "platform/canvas.h"

#include <gtest/gtest.h>

#include "platform/sim/recording_canvas.h"

namespace tessary {
namespace {

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
  RecordingCanvas canvas;
  canvas.DrawIcon(kNoIcon, {0, 0, 10, 10});
  canvas.DrawIcon(IconId{7}, {0, 0, 10, 10});
  ASSERT_EQ(canvas.Ops().size(), 1u);
  EXPECT_EQ(canvas.Ops()[0].icon, IconId{7});
}

}  // namespace
}  // namespace tessary
