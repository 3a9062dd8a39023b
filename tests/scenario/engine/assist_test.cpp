// Stories of Snap Assist: after a placement every empty region of the layout is covered by
// a chooser panel offering the display's other windows; a click fills a region, and the
// offer ends with Done, Escape, a click elsewhere or a new drag.

#include "engine_fixture.h"

namespace tessary {
namespace {

class Assist : public EngineTest {
 protected:
  Assist() { surfacesOnDesktop = true; }

  // The primary display and `count` windows of their own apps, none in a region; the
  // last one added is in front. `placed` is dragged into "Four quarters", the picker's card 4.
  void Arrange(int count) {
    AddPrimary();
    placed = AddApp("Main", {.frame = {300, 200, 700, 500}});
    for (int i = 0; i < count; ++i) {
      const double offset = 40.0 * i;
      others.push_back(AddApp(
          "App" + std::to_string(i),
          {.title = "Doc " + std::to_string(i), .frame = {250 + offset, 150 + offset, 640, 480}}));
    }
    Start();
  }
  ChooserPanel* Panel(std::int32_t region) { return engine->Assist().PanelFor(region); }
  std::vector<WindowId> Offered(std::int32_t region) { return ChoiceWindows(*Panel(region)); }
  // A click on an item of a region's panel, then the posted command's turn.
  void ClickIn(std::int32_t region, int item) {
    ASSERT_NE(Panel(region), nullptr);
    ASSERT_TRUE(SurfaceOf(*Panel(region)).PressAndRelease(Panel(region)->ItemCentre(item)));
    desk.Advance(0.5);
  }

  WindowId placed{};
  std::vector<WindowId> others;
};

TEST_F(Assist, FourQuartersOfferTheOthersInEachEmptyQuarterUntilDoneOrEscape) {
  Arrange(5);
  PlaceByPicker(placed, {500, 210}, 4, 0);
  ASSERT_TRUE(engine->Assist().Running());
  EXPECT_TRUE(Logged("assist: 5 candidates, 1 occupied, 3 empty"));
  EXPECT_TRUE(Logged("assist choices read"));
  std::vector<std::string> created;
  for (const std::string& line : logLines) {
    if (line.rfind("panel create ", 0) == 0) created.push_back(line.substr(0, line.find('\n')));
  }
  // Top right (2), then bottom left (1), then bottom right (3).
  EXPECT_EQ(created, (std::vector<std::string>{"panel create 964,8 948x508 choices=5",
                                               "panel create 8,524 948x508 choices=5",
                                               "panel create 964,524 948x508 choices=5"}));
  for (std::int32_t region : {1, 2, 3}) {
    ASSERT_NE(Panel(region), nullptr);
    // Front first: the last window added.
    EXPECT_EQ(Offered(region), std::vector<WindowId>(others.rbegin(), others.rend()));
  }
  EXPECT_EQ(desk.Foreground(), Panel(2)->Window());
  EXPECT_EQ(engine->AssistPanel(), Panel(2)->Window());
  const ChooserChoice& first = Panel(2)->Choices()[0];
  EXPECT_EQ(first.title, "Doc 4");
  EXPECT_EQ(first.appName, "App4");
  EXPECT_TRUE(desk.TimerRunning(kUpkeepTimerId));

  // A click fills the region and offers the rest to the other panels.
  ClickIn(2, 1);  // the second card: others[3]
  ExpectNear(desk.Frame(others[3]), Region(2, 0, "quarters"));
  EXPECT_EQ(engine->PlacementOf(others[3]), (PlacementRecord{DisplayKey(), 2}));
  EXPECT_EQ(engine->PriorRectOf(others[3]), (Rect{370, 270, 640, 480}));
  EXPECT_EQ(desktop.ManageableWindows().front(), others[3]);
  EXPECT_EQ(Panel(2), nullptr);
  const std::vector<WindowId> rest{others[4], others[2], others[1], others[0]};
  EXPECT_EQ(Offered(1), rest);
  EXPECT_EQ(Offered(3), rest);
  EXPECT_EQ(desk.Foreground(), Panel(1)->Window());

  // A stale choice (the window is no longer offered) changes nothing at all.
  engine->HandleCommand(1, static_cast<std::int64_t>(ToNumber(others[3])));
  EXPECT_NE(Panel(1), nullptr);
  EXPECT_EQ(engine->PlacementOf(others[3]), (PlacementRecord{DisplayKey(), 2}));

  // "Leave Empty" gives a region up, "Done" ends everything.
  ClickIn(1, chooser_item::kLeaveEmpty);
  EXPECT_EQ(Panel(1), nullptr);
  EXPECT_EQ(engine->Assist().Plan().leftEmpty, (std::set<std::int32_t>{1}));
  EXPECT_EQ(Offered(3), rest);
  ClickIn(3, chooser_item::kPrimary);  // Done
  EXPECT_FALSE(engine->Assist().Running());
  EXPECT_EQ(Panel(3), nullptr);
  desk.Advance(0.2);
  EXPECT_FALSE(desk.TimerRunning(kUpkeepTimerId));

  // So does Escape, after the next placement.
  Grab(placed, {500, 210});
  MoveTo({1400, 700}, 0.05);
  Drop();
  PlaceByPicker(placed, {500, 210}, 4, 0);
  ASSERT_TRUE(engine->Assist().Running());
  SurfaceOf(*Panel(1)).PressKey(surface_key::kEscape);  // the top right is taken now
  desk.Advance(0.1);
  EXPECT_FALSE(engine->Assist().Running());
  EXPECT_FALSE(engine->PlacementOf(others[4]).has_value());
}

// Windows' foreground lock: after a drag the user's last input went to the dragged app, so
// the first panel is refused the foreground and keys still reach the app. The panels answer
// the mouse, and the click that chooses gives the next panel the keys.
TEST_F(Assist, RefusedTheForegroundThePanelsWorkWithTheMouse) {
  Arrange(2);
  desk.SetForegroundLock(true);
  PlaceByPicker(placed, {500, 210}, 4, 0);
  ASSERT_NE(Panel(2), nullptr);
  EXPECT_EQ(desk.Foreground(), placed);
  EXPECT_TRUE(Logged("assist: keys stay with the app in front"));
  ClickIn(2, 0);
  ExpectNear(desk.Frame(others[1]), Region(2, 0, "quarters"));
  EXPECT_EQ(desk.Foreground(), Panel(1)->Window());
  ASSERT_TRUE(SurfaceOf(*Panel(1)).PressKey(surface_key::kEnter));
  desk.Advance(0.5);
  ExpectNear(desk.Frame(others[0]), Region(1, 0, "quarters"));
}

// A chosen window that closes before the choice is carried out leaves its region empty;
// choosing the last candidate ends the assist though a region remains empty.
TEST_F(Assist, AChosenWindowClosedMeanwhileAndTheLastCandidateChosen) {
  Arrange(2);
  PlaceByPicker(placed, {500, 210}, 4, 0);
  ASSERT_TRUE(SurfaceOf(*Panel(2)).PressAndRelease(Panel(2)->ItemCentre(0)));
  desk.CloseWindow(others[1]);  // before the posted choice is handled
  desk.Advance(0.5);
  EXPECT_EQ(Panel(2), nullptr);
  EXPECT_EQ(engine->Assist().Plan().leftEmpty, (std::set<std::int32_t>{2}));
  EXPECT_EQ(Offered(1), (std::vector<WindowId>{others[0]}));
  ClickIn(1, 0);
  ExpectNear(desk.Frame(others[0]), Region(1, 0, "quarters"));
  EXPECT_FALSE(engine->Assist().Running());
}

// A window that keeps itself 30 pixels off the quarter it is chosen for belongs to that
// quarter all the same, and nothing is said about it.
TEST_F(Assist, AChosenWindowThatDoesNotSettleIsStillRecordedInItsRegion) {
  Arrange(1);
  desk.Setup(others[0]).sizing = [](const Rect& r) {
    return Rect{r.x + 30, r.y, r.width, r.height};
  };
  PlaceByPicker(placed, {500, 210}, 4, 0);
  ClickIn(2, 0);
  EXPECT_EQ(desk.Frame(others[0]).x, Region(2, 0, "quarters").x + 30);
  EXPECT_EQ(engine->PlacementOf(others[0]), (PlacementRecord{DisplayKey(), 2}));
  EXPECT_TRUE(messages.empty());
}

TEST_F(Assist, AClickIntoAnotherAppAfterThePanelsHadTheFocusEndsTheAssist) {
  // Without Windows' own snapping there is no watch for its Snap Assist, which would hand
  // the foreground back to the panel for a while.
  desk.SystemSettings().windowArranging = false;
  Arrange(3);
  PlaceByPicker(placed, {500, 210}, 4, 0, 0.1);  // the assist starts 0.05 s after the release
  ASSERT_TRUE(engine->Assist().Running());
  // Within 0.4 s of the start the switch does not count.
  desk.Activate(others[0]);
  desk.Advance(0.2);
  EXPECT_TRUE(engine->Assist().Running());
  desk.Advance(0.3);
  EXPECT_FALSE(engine->Assist().Running());
  EXPECT_TRUE(Logged("assist closed: clicked elsewhere"));
}

TEST_F(Assist, AnotherAppInTheForegroundEndsNothingUntilAPanelHasHadIt) {
  surfacesOnDesktop = false;  // the panels can never become the foreground window
  Arrange(3);
  PlaceByPicker(placed, {500, 210}, 4, 0);
  desk.Activate(others[0]);
  desk.Advance(1.0);
  EXPECT_TRUE(engine->Assist().Running());
}

// While the watch for Windows' own Snap Assist runs, the panel is given the foreground back;
// the desktop or the task bar taking it later ends nothing, a new drag does.
TEST_F(Assist, TheForegroundGoesBackWhileWatchingTheTaskBarEndsNothingANewDragDoes) {
  Arrange(3);  // window arranging is on: placing arms the watch
  const WindowId taskBar = desk.AddWindow(
      {.className = "Shell_TrayWnd", .frame = {0, 1040, 1920, 40}, .activate = false});
  PlaceByPicker(placed, {500, 210}, 4, 0, 0.1);
  ASSERT_TRUE(engine->Assist().Running());
  desk.Activate(others[0]);  // the dropped window's app takes the foreground back
  desk.Advance(0.15);
  EXPECT_EQ(desk.Foreground(), Panel(2)->Window());
  desk.Advance(1.0);
  EXPECT_TRUE(engine->Assist().Running());
  desk.Activate(taskBar);
  desk.Advance(0.5);
  EXPECT_TRUE(engine->Assist().Running());
  Grab(others[0], {400, 160});
  EXPECT_FALSE(engine->Assist().Running());
}

TEST_F(Assist, NoAssistWhenThereIsNothingToOfferOrNoRegionLeft) {
  Arrange(0);
  PlaceByPicker(placed, {500, 210}, 4, 0);
  EXPECT_FALSE(engine->Assist().Running());
  EXPECT_TRUE(Logged("assist: 0 candidates, 1 occupied, 3 empty"));

  // "Halves" whose right half already holds a window (a few pixels larger still counts).
  Rect right = *Regions("halves", kPrimaryWork).Get(1);
  right.width += 5;
  AddApp("Resident", {.frame = right});
  AddApp("Spare", {.frame = {200, 200, 500, 400}});
  PlaceByPicker(placed, {500, 210}, 0, 0);
  EXPECT_FALSE(engine->Assist().Running());
  EXPECT_TRUE(Logged("assist: 1 candidates, 2 occupied, 0 empty"));
}

// Neither a window mostly on another display nor one running as administrator (it could
// not be moved into the region it was chosen for) is offered.
TEST_F(Assist, OnlyWindowsMostlyOnTheDisplayAndMovableAreOffered) {
  AddPrimary();
  desk.AddDisplay({.bounds = {1920, 0, 1920, 1080}, .work = {1920, 0, 1920, 1040}});
  placed = AddApp("Main", {.frame = {300, 200, 700, 500}});
  desk.AddWindow({.process = desk.AddProcess({.elevated = true}), .frame = {250, 150, 640, 480}});
  const WindowId mostlyHere = AddApp("Here", {.frame = {1500, 100, 800, 600}});  // 420 | 380
  AddApp("There", {.frame = {1700, 100, 800, 600}});                             // 220 | 580
  AddApp("Away", {.frame = {2500, 100, 800, 600}});
  Start();
  PlaceByPicker(placed, {500, 210}, 4, 0);
  EXPECT_TRUE(Logged("assist: 1 candidates, 1 occupied, 3 empty"));
  EXPECT_EQ(Offered(2), (std::vector<WindowId>{mostlyHere}));
}

}  // namespace
}  // namespace tessary
