// The divider editor: where its handles and buttons lie at every scale, what a pointer,
// a press and a key do there, and what it draws. Drags through the view, "50/50" on a
// selected divider, "Done" and Escape are checked by the divider stories.

#include "surfaces/divider_editor.h"

#include <gtest/gtest.h>

#include "surfaces/divider_editor_paint.h"
#include "surfaces_test_support.h"

namespace tessary {
namespace {

using testing::Centre;
using testing::Named;

constexpr Rect kWork{0, 0, 1920, 1040};

class DividerEditorAtScale : public ::testing::TestWithParam<double> {};
INSTANTIATE_TEST_SUITE_P(Scales, DividerEditorAtScale, ::testing::Values(1.0, 1.5, 2.0));

TEST_P(DividerEditorAtScale, ToolbarButtonsAndHandlesLieWhereThePointerFindsThem) {
  const double scale = GetParam();
  const double w = kWork.width / scale;
  const double h = kWork.height / scale;
  // "Main + stack": the column divider at 0.6, the stack's row divider at its middle.
  const DividerEditorGeometry g = LayOutDividerEditor(Named("stack").tree, w, h);
  EXPECT_EQ(g.toolbar, (Rect{w / 2 - 230, 16, 460, 44}));
  EXPECT_EQ(g.evenButton, (Rect{w / 2 + 70, 23, 70, 30}));
  EXPECT_EQ(g.doneButton, (Rect{w / 2 + 148, 23, 70, 30}));
  ASSERT_EQ(g.handles.size(), 2u);

  const double columnLine = 4 + 0.6 * (w - 8);
  const double rowLine = 4 + 0.5 * (h - 8);
  const double stackMiddle = (columnLine + w - 4) / 2;
  struct Probe {
    Point panel;
    int handle;
  };
  const Probe probes[] = {
      {{columnLine, h / 2}, 0},
      {{columnLine - 10, h / 2}, 0},   // left edge inclusive
      {{columnLine + 10, h / 2}, -1},  // right edge exclusive
      {{columnLine, 30}, -1},          // along the line, away from the handle
      {{stackMiddle, rowLine}, 1},
      {{stackMiddle, rowLine - 10}, 1},
      {{stackMiddle, rowLine + 10}, -1},
  };
  for (const Probe& probe : probes) {
    EXPECT_EQ(HandleAt(g.handles, probe.panel), probe.handle)
        << probe.panel.x << ", " << probe.panel.y;
  }

  // Beyond the area's edges the pointer's fraction runs below 0 and above 1.
  const Rect area{1920, 0, 1920, 1040};
  EXPECT_LT(DragFraction(false, {area.x - 50, 0}, area, scale), 0);
  EXPECT_GT(DragFraction(true, {0, area.Bottom() + 50}, area, scale), 1);
}

TEST(DividerEditorInput, PressesKeysAndDoubleClicks) {
  const DividerEditorGeometry g = LayOutDividerEditor(Named("thirds").tree, 1920, 1040);
  ASSERT_EQ(g.handles.size(), 2u);
  const Point first = Centre(g.handles[0].grab);
  const Point second = Centre(g.handles[1].grab);
  struct Step {
    Point at;
    int selected;
    double time;
    DividerPressAction action;
    int divider;
  };
  const Step steps[] = {
      {Centre(g.evenButton), -1, 0.0, DividerPressAction::kClear, -1},  // "50/50" unselected
      {first, -1, 1.0, DividerPressAction::kStartDrag, 0},
      {first, 0, 1.4, DividerPressAction::kEvenSplit, 0},   // within 0.5 s: double click
      {first, 0, 1.6, DividerPressAction::kStartDrag, 0},   // the double click was forgotten
      {second, 0, 1.7, DividerPressAction::kStartDrag, 1},  // another handle: a single click
      {second, 1, 2.3, DividerPressAction::kStartDrag, 1},  // too slow for a double click
      {{5, 900}, 1, 2.5, DividerPressAction::kClear, -1},   // beside every handle and button
  };
  DividerClick last;
  for (const Step& step : steps) {
    const DividerPress press = PressAt(g, step.at, step.selected, last, step.time, 0.5);
    EXPECT_EQ(press.action, step.action) << "at " << step.time;
    EXPECT_EQ(press.divider, step.divider) << "at " << step.time;
  }

  for (std::uint32_t key : {surface_key::kEscape, surface_key::kEnter})
    EXPECT_TRUE(ClosesDividerEditor(key));
  for (std::uint32_t key : {surface_key::kSpace, surface_key::kLeft, surface_key::kDigit1})
    EXPECT_FALSE(ClosesDividerEditor(key));
}

TEST(DividerEditorView, ShownItTakesClicksTheCursorFollowsTheDividerAndHandlesAreSliders) {
  testing::SimView<DividerEditor> f(kDividerEditorTitle);
  EXPECT_EQ(f.surface->Options().className, kDividerEditorClass);
  EXPECT_FALSE(f.surface->Interactive());
  const Rect area{100, 50, 1500, 800};
  f.view.Show(area, 1.5, Named("halves").tree, 0.5);
  // Its focus, bounds and taking clicks: the divider stories.
  EXPECT_EQ(f.surface->Anchor(), SurfaceAnchor::Topmost());

  // The halves' divider lies at the middle of the area.
  EXPECT_TRUE(f.surface->MovePointer(Centre(area)));
  EXPECT_EQ(f.view.Highlights().hovered, 0);
  EXPECT_EQ(f.view.Shape(), PointerShape::kSizeWestEast);
  f.surface->MovePointer({area.x + 10, area.y + 400});
  EXPECT_EQ(f.view.Shape(), PointerShape::kArrow);

  // Screen readers hear the handles as sliders at their positions, then the buttons.
  f.view.Show(area, 1.5, Named("stack").tree, 0.5);
  const std::vector<AccessibleItem>& items = f.surface->Accessible().items;
  ASSERT_EQ(items.size(), 4u);
  EXPECT_EQ(items[1].name, "Divider 2 of 2, moves up and down");
  EXPECT_EQ(items[1].value, "50%");
  EXPECT_EQ(items[2].name, "50/50");
  EXPECT_EQ(f.surface->Accessible().Focused(), nullptr);
  ASSERT_TRUE(f.surface->Press(Centre(items[1].rect)));
  ASSERT_NE(f.surface->Accessible().Focused(), nullptr);
  EXPECT_EQ(f.surface->Accessible().Focused()->name, "Divider 2 of 2, moves up and down");
  f.view.Hide();
  EXPECT_FALSE(f.surface->Visible());
  EXPECT_FALSE(f.surface->Interactive());
}

TEST(DividerEditorPaint, DrawsTheVeilRegionsHandlesAndToolbarInBothThemes) {
  for (bool dark : {false, true}) {
    const Theme theme = MakeTheme(dark, AccentFromColorValue(kDefaultAccentColor, dark));
    const DividerEditorGeometry g = LayOutDividerEditor(Named("stack").tree, 1280, 690);
    RecordingCanvas canvas;
    PaintDividerEditor(canvas, theme, 1280, 690, Named("stack").tree, g, {.selected = -1});
    const std::vector<const CanvasOp*> fills = canvas.OfKind(CanvasOpKind::kFillRounded);
    ASSERT_FALSE(fills.empty());
    EXPECT_EQ(fills[0]->rect, (Rect{0, 0, 1280, 690}));
    EXPECT_EQ(fills[0]->color, WithAlpha(kBlack, 0.18));
    // Three regions outlined, inset 4 within the panel's inset of 4.
    const std::vector<const CanvasOp*> strokes = canvas.OfKind(CanvasOpKind::kStrokeRounded);
    ASSERT_EQ(strokes.size(), 3u);
    EXPECT_EQ(strokes[0]->rect, (Rect{8, 8, 0.6 * 1272 - 8, 690 - 16}));
    EXPECT_EQ(strokes[0]->color, WithAlpha(theme.accent, 0.55));
    ASSERT_EQ(canvas.Count(CanvasOpKind::kShadow), 1u);
    EXPECT_EQ(canvas.OfKind(CanvasOpKind::kShadow)[0]->strong, dark);
    EXPECT_EQ(canvas.Texts(), (std::vector<std::string>{"Drag a divider", "50/50", "Done"}));
    // "50/50" is dimmed until a divider is selected.
    EXPECT_EQ(canvas.FindText("50/50")->color, theme.secondaryText);
    EXPECT_EQ(fills[fills.size() - 2]->color,
              WithAlpha(theme.regionFill, theme.regionFill.a * 0.4));
    canvas.Clear();
    PaintDividerEditor(canvas, theme, 1280, 690, Named("stack").tree, g, {.selected = 1});
    EXPECT_EQ(canvas.FindText("50/50")->color, theme.text);
    EXPECT_EQ(canvas.FindText("Done")->color, kWhite);
    EXPECT_TRUE(canvas.FindText("Done")->bold);
  }
}

}  // namespace
}  // namespace tessary
