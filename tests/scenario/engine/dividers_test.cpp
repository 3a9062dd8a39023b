// Adjusting shared dividers with the divider editor (Ctrl+Alt+A): a dragged divider, a
// "50/50" or a double click moves every window along it, in its regions, stacks and spans,
// and the display keeps the proportions; a window that cannot follow undoes it for all.
// (Escape closing the editor, and layouts.json keeping the proportions, are the divider e2e
// story's.)

#include "engine_fixture.h"

namespace tessary {
namespace {

class DividersTest : public EngineTest {
 protected:
  const Monitor& Display() { return engine->Displays()[0]; }
  RegionMap RegionsOf(const NodeRef& tree) {
    return PixelRegionRects(tree, Display().work, RegionGap(Display().scale));
  }
  SimSurface& Editor() { return *surfaces.FindByTitle("Adjust Shared Dividers"); }
  // The desktop point at the centre of a part of the editor, or of a divider's handle.
  Point Button(const Rect& button) {
    const double s = Editor().Scale();
    return {Editor().Bounds().x + (button.x + button.width / 2) * s,
            Editor().Bounds().y + (button.y + button.height / 2) * s};
  }
  Point Handle(int divider) {
    return Button(engine->Dividers().View().Geometry().handles.at(divider).grab);
  }
  // Drags a divider's handle so that the divider lands at `fraction` of the work area.
  void DragDivider(int divider, double fraction) {
    const Rect& work = Display().work;
    const double inset = 4 * Display().scale;
    Point to = Handle(divider);
    if (engine->Dividers().View().Geometry().handles.at(divider).horizontal) {
      to.y = work.y + inset + fraction * (work.height - 2 * inset);
    } else {
      to.x = work.x + inset + fraction * (work.width - 2 * inset);
    }
    ASSERT_TRUE(Editor().Press(Handle(divider)));
    desk.Advance(0.02);
    ASSERT_TRUE(Editor().DragPointer(to));
    desk.Advance(0.02);
    ASSERT_TRUE(Editor().ReleasePointer(to));
    desk.Advance(0.6);
  }
  void Click(Point at) {
    ASSERT_TRUE(Editor().PressAndRelease(at));
    desk.Advance(0.05);
  }
  NodeRef ActiveTree() { return engine->Layouts().ActiveLayout(DisplayKey())->tree; }
  // Each window stands on its region of the active tree.
  void ExpectOnRegions(const std::map<WindowId, int>& regionOf) {
    const RegionMap now = RegionsOf(ActiveTree());
    for (const auto& [w, region] : regionOf) EXPECT_EQ(desk.Frame(w), *now.Get(region)) << region;
  }
};

class DividersAtScale : public DividersTest, public ::testing::WithParamInterface<double> {};
INSTANTIATE_TEST_SUITE_P(Scales, DividersAtScale, ::testing::Values(1.0, 1.5));

TEST_P(DividersAtScale,
       DraggingOrArrowingTheDividerOfHalvesMovesBothWindowsAndTheOneStackedBehind) {
  StartWith("halves", GetParam());
  WindowId behind = PlacedIn(1);
  WindowId right = PlacedIn(1);
  WindowId left = PlacedIn(0);

  ASSERT_TRUE(engine->ShowDividerEditor());
  EXPECT_TRUE(Editor().Focused());
  EXPECT_EQ(Editor().Bounds(), Display().work);
  // The smallest region: 180 px (140 px) at the display's scale over the work area.
  const double s = GetParam();
  EXPECT_DOUBLE_EQ(engine->Dividers().MinWidth(), 180 * s / (1920 - 8 * s));
  EXPECT_DOUBLE_EQ(engine->Dividers().MinHeight(), 140 * s / (1040 - 8 * s));

  DragDivider(0, 0.7);

  EXPECT_DOUBLE_EQ(ActiveTree()->ratio, 0.7);
  ExpectOnRegions({{left, 0}, {right, 1}, {behind, 1}});
  EXPECT_TRUE(messages.empty());
  EXPECT_TRUE(Logged("dividers moved 3 windows"));
  // The editor stays open on the new tree until "Done".
  EXPECT_TRUE(TreesEqual(engine->Dividers().Committed().tree, ActiveTree()));

  // Tab selects the divider; the arrows along it move it a hundredth at a time, the others
  // not at all.
  ASSERT_TRUE(Editor().PressKey(surface_key::kTab));
  const AccessibleItem* focused = Editor().Accessible().Focused();
  ASSERT_NE(focused, nullptr);
  EXPECT_EQ(focused->name, "Divider 1 of 1, moves left and right");
  EXPECT_EQ(focused->value, "70%");
  for (std::uint32_t key : {surface_key::kRight, surface_key::kRight, surface_key::kUp}) {
    ASSERT_TRUE(Editor().PressKey(key));
    desk.Advance(0.3);
  }
  EXPECT_NEAR(ActiveTree()->ratio, 0.72, 1e-9);
  ExpectOnRegions({{left, 0}, {right, 1}});
  EXPECT_EQ(Editor().Accessible().Focused()->value, "72%");
  Click(Button(engine->Dividers().View().Geometry().doneButton));
  EXPECT_FALSE(engine->Dividers().IsOpen());
}

TEST_F(DividersTest, TheNestedDividerMovesOnlyTheStackAndTheColumnDividerASpanAcrossIt) {
  StartWith("stack");
  const WindowId main = PlacedIn(0);
  const WindowId top = PlacedIn(1);
  const WindowId bottom = PlacedIn(2);
  ASSERT_TRUE(engine->ShowDividerEditor());

  DragDivider(1, 0.3);

  EXPECT_EQ(ActiveTree()->ratio, 0.6);
  EXPECT_DOUBLE_EQ(ActiveTree()->second->ratio, 0.3);
  EXPECT_EQ(desk.Frame(main), Region(0));
  ExpectOnRegions({{top, 1}, {bottom, 2}});

  const WindowId span = PlacedAt(*SpanBounds({1, 2}, RegionsOf(ActiveTree())));
  for (double at : {0.4, 0.75}) {
    SCOPED_TRACE(at);
    DragDivider(0, at);
    EXPECT_DOUBLE_EQ(ActiveTree()->ratio, at);
    EXPECT_EQ(desk.Frame(span), *SpanBounds({1, 2}, RegionsOf(ActiveTree())));
    ExpectOnRegions({{main, 0}, {top, 1}});
  }
}

TEST_F(DividersTest, AWideAppStopsTheDividerAndEveryWindowReturns) {
  StartWith("halves");
  WindowId wide = PlacedIn(1, {.minWidth = 900});
  WindowId left = PlacedIn(0);
  ASSERT_TRUE(engine->ShowDividerEditor());

  DragDivider(0, 0.7);

  EXPECT_EQ(Told(), "A window reached its minimum size, so the divider stays where it was.");
  EXPECT_EQ(desk.Frame(left), Region(0));
  EXPECT_EQ(desk.Frame(wide), Region(1));
  EXPECT_EQ(ActiveTree()->ratio, 0.5);
  EXPECT_EQ(engine->Dividers().Working().tree->ratio, 0.5);
  EXPECT_TRUE(engine->Dividers().IsOpen());

  // Released where it started, nothing moves and nothing is said.
  DragDivider(0, 0.5);
  EXPECT_EQ(messages.size(), 1u);
  EXPECT_EQ(desk.Frame(left), Region(0));
}

TEST_F(DividersTest, FiftyFiftyAndADoubleClickEvenOnlyTheirDivider) {
  StartWith("thirds");
  WindowId windows[] = {PlacedIn(0), PlacedIn(1), PlacedIn(2)};
  ASSERT_TRUE(engine->ShowDividerEditor());
  const DividerEditorGeometry& g = engine->Dividers().View().Geometry();

  // "50/50" with nothing selected does nothing; on the first divider it halves the root.
  Click(Button(g.evenButton));
  EXPECT_EQ(ActiveTree()->ratio, FindBuiltIn("thirds")->tree->ratio);
  Click(Handle(0));
  Click(Button(g.evenButton));
  EXPECT_EQ(ActiveTree()->ratio, 0.5);
  EXPECT_EQ(ActiveTree()->second->ratio, 0.5);
  ExpectOnRegions({{windows[0], 0}, {windows[1], 1}, {windows[2], 2}});

  // A double click on the second divider's handle halves its split again.
  DragDivider(1, 0.9);
  EXPECT_NE(ActiveTree()->second->ratio, 0.5);
  desk.Advance(1.0);
  Click(Handle(1));
  Click(Handle(1));
  desk.Advance(0.6);
  EXPECT_EQ(ActiveTree()->second->ratio, 0.5);
  EXPECT_EQ(ActiveTree()->ratio, 0.5);
  ExpectOnRegions({{windows[2], 2}});
  EXPECT_TRUE(messages.empty());
}

TEST_F(DividersTest, AnEvenSplitTheMinimumsForbidIsRefused) {
  // A small display: no region may be narrower than 180 / 992 of the work area.
  desk.AddDisplay({.bounds = {0, 0, 1000, 740}, .work = {0, 0, 1000, 700}, .devicePath = "SMALL"});
  Start();
  // Three columns in the left 80 %: halved, each would be a sixth.
  SnapLayout crowded = *FindBuiltIn("thirds");
  crowded.tree = MakeSplit(Axis::Columns, 0.8, crowded.tree, MakeLeaf(3));
  engine->Layouts().SetActiveLayout(DisplayKey(), crowded);
  ASSERT_TRUE(engine->ShowDividerEditor());

  Click(Handle(0));
  Click(Button(engine->Dividers().View().Geometry().evenButton));

  EXPECT_EQ(Told(), "The windows here can't shrink enough for an even split.");
  EXPECT_EQ(ActiveTree()->ratio, 0.8);
}

TEST_F(DividersTest, NoEditorWithoutDividersNorWhilePaused) {
  AddPrimary();
  Start();
  // No layout yet, then one region only.
  EXPECT_FALSE(engine->ShowDividerEditor());
  engine->Layouts().SetActiveLayout(DisplayKey(), *FindBuiltIn("full"));
  EXPECT_FALSE(engine->ShowDividerEditor());
  EXPECT_EQ(messages,
            std::vector<std::string>(2, "Choose a layout with more than one region first."));
  EXPECT_FALSE(Editor().Visible());

  engine->Layouts().SetActiveLayout(DisplayKey(), *FindBuiltIn("halves"));
  engine->SetPaused(true);
  EXPECT_FALSE(engine->ShowDividerEditor());
  EXPECT_EQ(messages.size(), 2u);
  engine->SetPaused(false);
  EXPECT_TRUE(engine->ShowDividerEditor());
}

}  // namespace
}  // namespace tessary
