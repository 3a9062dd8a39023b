// Stories of the picker that drops down when a window is dragged to the top centre. (Its
// "perf picker-show" line and layouts.json remembering the choice are the drag e2e story's.)

#include "engine_fixture.h"

namespace tessary {
namespace {

class PickerStory : public EngineTest {
 protected:
  void SetUp() override { StartWithWindow({100, 300, 800, 600}); }
};

// On a narrow display the hot zone is 0.2 x its width either side of the centre (the
// 180 pixels of a wide one and the 22 of depth are checked with the drag geometry).
TEST_F(PickerStory, HotZoneOfANarrowDisplay) {
  desk.AddDisplay({.bounds = {1920, 0, 800, 600}, .work = {1920, 0, 800, 560}});
  engine->RefreshDisplays();
  // 800 pixels wide: 160 either side of the centre at 2320.
  WindowId second = desk.AddWindow({.frame = {2000, 200, 500, 300}});
  Grab(second, {2200, 210});
  const std::pair<double, bool> steps[] = {{2159, false}, {2481, false}, {2161, true}};
  for (const auto& [x, shown] : steps) {
    MoveTo({x, 10}, 0.03, 1);
    EXPECT_EQ(PickerSurface().Visible(), shown) << x;
  }
  EXPECT_EQ(engine->GetPicker().Layouts().size(), BuiltInLayouts().size());
  EXPECT_FALSE(engine->GetPicker().Interactive());
  // The panel is centred on the narrow display's work area.
  EXPECT_NEAR(Centre(engine->GetPicker().PanelRect()).x, 2320, 1);
}

TEST_F(PickerStory, DragStartingInsideTheHotZoneNeedsToRiseFirst) {
  desk.MoveWindow(window, {560, 0, 800, 600});
  Grab(window, {960, 18});
  MoveTo({980, 16});
  EXPECT_TRUE(engine->Drag().moving);
  EXPECT_FALSE(PickerSurface().Visible());
  MoveTo({990, 9});  // 9 above where it started
  EXPECT_FALSE(PickerSurface().Visible());
  MoveTo({990, 8});  // 10 above
  EXPECT_TRUE(PickerSurface().Visible());
  Drop();
}

TEST_F(PickerStory, ReleasingOnARegionInThePickerPlacesTheWindowThere) {
  Grab(window, {400, 310});
  MoveTo({960, 10});
  ASSERT_TRUE(PickerSurface().Visible());
  // "thirds" is the second card; its middle region is 1.
  MoveTo(PickerPoint(1, 1));
  EXPECT_EQ(engine->Drag().kind, kTargetPicker);
  EXPECT_EQ(OutlineCaption(), "Release to snap");
  const Rect middle = *Regions("thirds", kPrimaryWork).Get(1);
  ExpectNear(OutlineRect(), middle);
  // The outline stands directly behind the dragged window.
  EXPECT_EQ(OutlineSurface().Anchor(), SurfaceAnchor::Below(window));

  Drop();
  ExpectNear(desk.Frame(window), middle);
  EXPECT_EQ(ActiveLayoutId(DisplayKey()), "thirds");
  EXPECT_EQ(engine->PlacementOf(window), (PlacementRecord{DisplayKey(), 1}));
  EXPECT_EQ(engine->PriorRectOf(window), (Rect{100, 300, 800, 600}));
  EXPECT_TRUE(messages.empty());
  EXPECT_EQ(escapeWatchCalls, (std::vector<bool>{true, false}));
  EXPECT_TRUE(Logged("end kind=1 region=1 intent=0 armed=1 moving=1 resizing=0"));
  EXPECT_TRUE(Logged("placed kind=1 region=1 held=1"));
}

// One drag over the picker: its icons show the windows already in the active layout; Alt
// hides everything until it is let go; off the cards nothing is targeted and the release
// places nothing.
TEST_F(PickerStory, IconsAltAndAPointerOffTheCardsLeaveTheWindowWhereItIs) {
  engine->Layouts().SetActiveLayout(DisplayKey(), *FindBuiltIn("halves"));
  IconId icon = desk.NewIcon();
  desk.AddWindow({.frame = *Regions("halves", kPrimaryWork).Get(0), .bigIcon = icon});
  desk.Activate(window);
  Grab(window, {400, 310});
  MoveTo({960, 10});
  ASSERT_TRUE(PickerSurface().Visible());
  EXPECT_EQ(engine->GetPicker().Current(), 0);
  const auto icons = PickerSurface().LastPaint().OfKind(CanvasOpKind::kIcon);
  ASSERT_EQ(icons.size(), 1u);
  EXPECT_EQ(icons[0]->icon, icon);

  MoveTo(PickerPoint(0, 0));
  ASSERT_TRUE(OutlineVisible());
  desk.PressKey(Key::kAlt);
  desk.Advance(0.015);
  EXPECT_FALSE(PickerSurface().Visible());
  EXPECT_FALSE(OutlineVisible());
  EXPECT_EQ(engine->Drag().kind, kTargetNone);
  // The window moves freely meanwhile.
  MoveTo({970, 15});
  EXPECT_FALSE(PickerSurface().Visible());
  desk.ReleaseKey(Key::kAlt);
  desk.Advance(0.015);
  EXPECT_TRUE(PickerSurface().Visible());

  MoveTo({960, 700});  // far below the panel: the picker stays, nothing is hovered
  EXPECT_TRUE(PickerSurface().Visible());
  EXPECT_EQ(engine->Drag().kind, kTargetPicker);
  EXPECT_EQ(engine->Drag().region, -1);
  EXPECT_FALSE(OutlineVisible());
  DropInPlace(window);
}

}  // namespace
}  // namespace tessary
