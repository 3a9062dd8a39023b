// Resizing a snapped window by its edge: its neighbours follow the shared divider (and
// the display keeps the new proportions), or with Ctrl it spans the regions it covers.

#include "engine_fixture.h"

namespace tessary {
namespace {

class ResizingTest : public EngineTest {
 protected:
  void StartWith(std::string_view layout, double scale = 1.0) {
    AddPrimary(scale);
    Start();
    engine->Layouts().SetActiveLayout(DisplayKey(), *FindBuiltIn(layout));
    layoutId = layout;
  }
  Rect Region(int region) {
    const Monitor& m = engine->Displays()[0];
    return *Regions(layoutId, m.work, m.scale).Get(region);
  }
  // A window the program placed into a region.
  WindowId PlacedIn(int region, double minWidth = 0) {
    Rect rect = Region(region);
    WindowId w = desk.AddWindow({.frame = rect, .minWidth = minWidth});
    engine->MoveWindowTo(w, rect);
    desk.Advance(0.3);
    return w;
  }
  // Drags the edges from `grab` to `to` and lets the resize be carried out.
  void ResizeBy(WindowId w, int edges, Point grab, Point to, bool ctrl = false) {
    desk.BeginResizeDrag(w, edges, grab);
    desk.Advance(0.001);
    if (ctrl) desk.PressKey(Key::kControl);
    MoveTo(to);
    captionWhileResizing = OutlineCaption();
    outlineWhileResizing = OutlineRect();
    desk.Release();
    desk.Advance(0.6);
    if (ctrl) desk.ReleaseKey(Key::kControl);
  }
  double StoredRatio() { return StoredActiveLayouts().at(DisplayKey()).tree->ratio; }

  std::string layoutId;
  std::string captionWhileResizing;
  Rect outlineWhileResizing;
};

// Every story that measures pixels runs at scale 1 and 1.5.
class ResizingAtScale : public ResizingTest, public ::testing::WithParamInterface<double> {};
INSTANTIATE_TEST_SUITE_P(Scales, ResizingAtScale, ::testing::Values(1.0, 1.5));

TEST_P(ResizingAtScale, TheSharedEdgeOfTwoHalvesMovesBothAndEveryWindowStackedThere) {
  {
    const double scale = GetParam();
    StartWith("halves", scale);
    const double gap = RegionGap(scale);
    WindowId behind = PlacedIn(1);
    WindowId right = PlacedIn(1);
    WindowId left = PlacedIn(0);
    Rect start = desk.Frame(left);

    ResizeBy(left, kSimEdgeRight, {start.Right(), 500}, {1256, 500});

    EXPECT_EQ(captionWhileResizing, "Resize together \xC2\xB7 Ctrl to span");
    EXPECT_EQ(desk.Frame(left).Right(), 1256);
    EXPECT_EQ(desk.Frame(left).x, start.x);
    for (WindowId w : {right, behind}) {
      EXPECT_EQ(desk.Frame(w).x, 1256 + gap);
      EXPECT_EQ(desk.Frame(w).Right(), 1920 - gap);
    }
    EXPECT_EQ(outlineWhileResizing, desk.Frame(right));
    EXPECT_TRUE(Logged("resized together, 3 windows"));
    // The display keeps the new proportions, in layouts.json too.
    EXPECT_DOUBLE_EQ(StoredRatio(), 1256 / (1920 - gap));
    EXPECT_EQ(ActiveLayoutId(DisplayKey()), "halves");
    EXPECT_TRUE(messages.empty());
  }
}

TEST_P(ResizingAtScale, CtrlSpansExactlyTheRegionsTheOutlineCovers) {
  {
    const double scale = GetParam();
    StartWith("quarters", scale);
    WindowId other = PlacedIn(2);
    WindowId w = PlacedIn(0);
    Rect start = desk.Frame(w);

    ResizeBy(w, kSimEdgeRight, {start.Right(), 200}, {1600, 200}, true);

    EXPECT_EQ(captionWhileResizing, "Span 2 regions");
    // Quarters 0 and 2 with the gap of 8 x scale around them.
    Rect expected = scale == 1.0 ? Rect{8, 8, 1904, 508} : Rect{12, 12, 1896, 502};
    EXPECT_EQ(outlineWhileResizing, expected);
    EXPECT_EQ(desk.Frame(w), expected);
    // The window already there stays in place, behind the span.
    EXPECT_EQ(desk.Frame(other), Region(2));
    EXPECT_TRUE(Logged("span 2 regions"));
    ASSERT_FALSE(tips.empty());
    EXPECT_EQ(tips.front(), "span");
    EXPECT_EQ(engine->PriorRectOf(w), start);
  }
}

TEST_F(ResizingTest, AWideAppRollsTheEdgeBackThenStopsItWhereTheAppFits) {
  StartWith("halves");
  WindowId wide = PlacedIn(1, 900);
  WindowId left = PlacedIn(0);

  ResizeBy(left, kSimEdgeRight, {956, 500}, {1256, 500});
  EXPECT_EQ(messages, std::vector<std::string>{
                          "A window reached its minimum size, so the shared edge stays where it was."});
  EXPECT_EQ(desk.Frame(left), Region(0));
  EXPECT_EQ(desk.Frame(wide), Region(1));
  EXPECT_EQ(engine->Layouts().ActiveLayout(DisplayKey())->tree->ratio, 0.5);

  // Now the app's need is known: the divider goes as far as it can.
  ResizeBy(left, kSimEdgeRight, {956, 500}, {1256, 500});
  EXPECT_EQ(messages.size(), 1u);
  EXPECT_GE(desk.Frame(wide).width, 900);
  EXPECT_LE(desk.Frame(wide).width, 910);
  EXPECT_EQ(desk.Frame(wide).x, desk.Frame(left).Right() + 8);
  EXPECT_GT(StoredRatio(), 0.5);
}

TEST_F(ResizingTest, ResizingAWindowOutsideTheRegionsChangesNothing) {
  StartWith("halves");
  WindowId snapped = PlacedIn(1);
  WindowId loose = desk.AddWindow({.frame = {200, 200, 500, 400}});
  desk.Advance(0.3);

  ResizeBy(loose, kSimEdgeRight, {700, 300}, {1300, 300});

  EXPECT_EQ(desk.Frame(loose), (Rect{200, 200, 1100, 400}));
  EXPECT_EQ(desk.Frame(snapped), Region(1));
  EXPECT_EQ(captionWhileResizing, "");
  EXPECT_EQ(engine->Layouts().ActiveLayout(DisplayKey())->tree->ratio, 0.5);
  EXPECT_FALSE(Logged("resized together"));
}

}  // namespace
}  // namespace tessary
