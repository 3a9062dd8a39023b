// Stories of the Coordinator driven by commands rather than drags: the gallery, the Place
// command's picker, the window commands that use what placing remembered, the refresh
// scheduling and the watch over Windows' own Snap Assist.

#include "engine_fixture.h"

namespace tessary {
namespace {

class Commands : public EngineTest {
 protected:
  void SetUp() override { StartWithWindow({300, 300, 700, 500}); }
};

TEST_F(Commands, ThePlacePickerPutsTheWindowInTheClickedRegion) {
  WindowId other = desk.AddWindow({.frame = {1000, 100, 500, 400}});
  ASSERT_TRUE(engine->ShowPlacePicker(window));
  EXPECT_TRUE(PickerSurface().Interactive());
  EXPECT_TRUE(PickerSurface().Focused());
  EXPECT_EQ(engine->PickerTargetWindow(), window);

  ASSERT_TRUE(PickerSurface().Click(PickerPoint(4, 3)));  // "quarters", bottom-right
  // The choice comes back through the message loop, not from inside the click.
  EXPECT_TRUE(PickerSurface().Visible());
  desk.Advance(0.5);
  EXPECT_FALSE(PickerSurface().Visible());
  ExpectNear(desk.Frame(window), *Regions("quarters", kPrimaryWork).Get(3));
  EXPECT_EQ(ActiveLayoutId(DisplayKey()), "quarters");
  EXPECT_EQ(engine->PlacementOf(window), (PlacementRecord{DisplayKey(), 3}));
  EXPECT_EQ(desk.Foreground(), window);
  EXPECT_EQ(engine->PickerTargetWindow(), kNoWindow);
  EXPECT_EQ(desk.Frame(other), (Rect{1000, 100, 500, 400}));
}

// Windows' foreground lock grants the picker the keys after a hotkey (the program owns the
// last input) and refuses them after input to another app (an open request from another
// process). Refused, the picker still answers the mouse, and a press elsewhere closes it,
// since no deactivation will tell of it and Escape goes to the app in front.
class LockedForeground : public Commands {
 protected:
  LockedForeground() { surfacesOnDesktop = true; }
};

TEST_F(LockedForeground, RefusedTheForegroundThePickerStillClosesOnAPressElsewhere) {
  desk.SetForegroundLock(true);
  for (const bool hotkey : {true, false}) {
    hotkey ? desk.InputToProgram() : desk.Activate(window);
    ASSERT_TRUE(engine->ShowPlacePicker(window));
    EXPECT_EQ(PickerSurface().Focused(), hotkey);
    EXPECT_EQ(desk.Foreground() == PickerSurface().Window(), hotkey);
    if (hotkey) {
      ASSERT_TRUE(PickerSurface().PressKey(surface_key::kEscape));
    } else {
      desk.MoveCursor({1500, 800});
      desk.PressKey(Key::kLeftButton);
      desk.Advance(0.2);
      desk.ReleaseKey(Key::kLeftButton);
    }
    desk.Advance(0.01);
    EXPECT_FALSE(PickerSurface().Visible()) << hotkey;
    EXPECT_EQ(engine->PickerTargetWindow(), kNoWindow);
    EXPECT_EQ(desk.Frame(window), (Rect{300, 300, 700, 500}));
  }
}

TEST_F(Commands, TheGalleryOffersTheSwitchListAppliesTheChoiceAndADragClosesIt) {
  engine->Layouts().SetActiveLayout(DisplayKey(), *FindBuiltIn("rows"));
  engine->ShowGallery();
  ASSERT_TRUE(PickerSurface().Visible());
  EXPECT_TRUE(engine->GalleryMode());
  EXPECT_TRUE(engine->GetPicker().Gallery());
  EXPECT_EQ(engine->GetPicker().Current(), 5);
  EXPECT_EQ(PickerSurface().LastPaint().Count(CanvasOpKind::kIcon), 0u);
  ASSERT_TRUE(PickerSurface().Click(PickerPoint(1, 0)));
  desk.Advance(0.01);
  EXPECT_FALSE(PickerSurface().Visible());
  EXPECT_FALSE(engine->GalleryMode());
  // The chosen layout is applied: the display's one window fills its first free region.
  const SnapLayout chosen = engine->Layouts().SwitchList(DisplayKey(), FindBuiltIn("rows"))[1];
  EXPECT_EQ(ActiveLayoutId(DisplayKey()), chosen.id);
  ExpectNear(desk.Frame(window), *Regions(chosen, kPrimaryWork).Get(0));
  EXPECT_EQ(engine->PlacementOf(window), (PlacementRecord{DisplayKey(), 0}));

  engine->ShowGallery();
  ASSERT_TRUE(engine->GalleryMode());
  Grab(window, {500, 310});
  EXPECT_FALSE(PickerSurface().Visible());
  EXPECT_FALSE(engine->GalleryMode());
  Drop();
}

// (A burst of window events restarting the long wait, and its end, are the shell's routing
// story.)
TEST_F(Commands, AShortRefreshComesSoonerAndIsNeverPostponed) {
  const double t0 = desk.Now();
  engine->ScheduleRefresh(0.15);
  EXPECT_EQ(desk.TimerPeriod(kRefreshTimerId), 150u);
  engine->ScheduleRefresh(0.03);
  EXPECT_NEAR(engine->RefreshDeadline(), t0 + 0.03, 1e-9);
  EXPECT_EQ(desk.TimerPeriod(kRefreshTimerId), 30u);
  desk.Advance(0.01);
  engine->ScheduleRefresh(0.15);
  engine->ScheduleRefresh(0.03);
  EXPECT_NEAR(engine->RefreshDeadline(), t0 + 0.03, 1e-9);
}

// With Windows' window arranging off there is no Snap Assist of its own to watch for.
TEST_F(Commands, WindowsOwnSnapAssistIsClosedRightAfterAPlacementWhenArrangingIsOn) {
  desk.SystemSettings().windowArranging = false;
  PlaceByPicker(window, {500, 310}, 0, 1);
  EXPECT_TRUE(engine->PlacementOf(window).has_value());
  EXPECT_FALSE(desk.TimerRunning(kSnapAssistWatchTimerId));

  desk.SystemSettings().windowArranging = true;
  PlaceByPicker(window, {1400, 20}, 0, 0);
  ASSERT_TRUE(desk.TimerRunning(kSnapAssistWatchTimerId));
  WindowId assist = desk.AddWindow({.className = "XamlExplorerHostIslandWindow",
                                    .title = "Snap Assist",
                                    .closesOnEscape = true});
  desk.Advance(0.5);
  EXPECT_FALSE(desk.Exists(assist));
  EXPECT_TRUE(Logged("dismissing Windows Snap Assist"));
  desk.Advance(0.5);
  EXPECT_FALSE(desk.TimerRunning(kSnapAssistWatchTimerId));
}

// The choice travels in a posted message's argument: each exact bit pattern both ways.
TEST(PickerChoice, LayoutInTheLowSixteenBitsRegionInTheHighBothSigned) {
  const struct {
    int layout, region;
    std::int64_t packed;
  } cases[] = {
      {1, 2, 0x00020001},
      {-1, 0, 0x0000FFFF},
      {0, -1, 0xFFFF0000},
      {-32768, 32767, 0x7FFF8000},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(PackPickerChoice(c.layout, c.region), c.packed) << c.layout << "," << c.region;
    int layout = 99, region = 99;
    UnpackPickerChoice(c.packed, layout, region);
    EXPECT_EQ(std::pair(layout, region), std::pair(c.layout, c.region)) << c.packed;
  }
}

}  // namespace
}  // namespace tessary
