// Display and work-area changes on the simulated desktop: windows in regions and spans
// follow a moved, grown or hidden task bar; a laptop undocked and docked again gets its
// windows back; layouts are recovered from where windows stand at start-up. (A change in
// the middle of a drag is one of the two-display stories.)

#include "engine/stack_model.h"
#include "engine_fixture.h"

namespace tessary {
namespace {

constexpr Rect kExternalWork{2880, 0, 1920, 1040};

class DisplayChangesTest : public EngineTest {
 protected:
  WindowId Window(const Rect& frame) { return desk.AddWindow({.frame = frame}); }
  static SimDisplaySetup External() {
    return {.bounds = {2880, 0, 1920, 1080}, .work = kExternalWork, .devicePath = "EXTERNAL"};
  }
};

TEST_F(DisplayChangesTest, WindowsInRegionsAndSpansFollowTheTaskBarExactly) {
  const MonitorId primary = AddPrimary();
  const RegionMap old = Regions("thirds", kPrimaryWork);
  // Two windows stacked in the left column, one in the middle, one spanning middle+right.
  const WindowId behind = Window(*old.Get(0));
  const WindowId left = Window(*old.Get(0));
  const WindowId middle = Window(*old.Get(1));
  const WindowId spanning = Window(BoundingRect(old, {1, 2}));
  const WindowId loose = Window({300, 200, 700, 500});
  Start();
  engine->Layouts().SetActiveLayout(DisplayKey(), *FindBuiltIn("thirds"));

  // The task bar moved to the left, grown, then hidden.
  const Rect works[] = {{72, 0, 1848, 1080}, {0, 0, 1920, 980}, {0, 0, 1920, 1080}};
  for (int i = 0; i < 3; ++i) {
    SCOPED_TRACE(i);
    desk.SetWorkArea(primary, works[i]);
    desk.Advance(0.5);
    const RegionMap now = Regions("thirds", works[i]);
    for (WindowId w : {behind, left}) EXPECT_EQ(desk.Frame(w), *now.Get(0));
    EXPECT_EQ(desk.Frame(middle), *now.Get(1));
    EXPECT_EQ(desk.Frame(spanning), BoundingRect(now, {1, 2}));
    EXPECT_EQ(desk.Frame(loose), (Rect{300, 200, 700, 500}));
    EXPECT_EQ(LoggedCount("work area changed: 4 windows follow"), i + 1);
  }
  EXPECT_EQ(ActiveLayoutId(DisplayKey()), "thirds");
}

TEST_F(DisplayChangesTest, NewBoundsMoveNothingAndTheLayoutComesFromWhereWindowsStand) {
  const MonitorId primary = AddPrimary();
  const RegionMap halves = Regions("halves", kPrimaryWork);
  const WindowId a = Window(*halves.Get(0));
  Start();
  engine->Layouts().SetActiveLayout(DisplayKey(), *FindBuiltIn("halves"));

  // A new resolution: the same id, other bounds.
  desk.ChangeDisplay(primary, {.bounds = {0, 0, 2560, 1440},
                               .work = {0, 0, 2560, 1400},
                               .devicePath = "\\\\?\\DISPLAY#PRIMARY"});
  desk.Advance(0.5);
  EXPECT_EQ(desk.Frame(a), *halves.Get(0));
  EXPECT_FALSE(Logged("work area changed"));
  // The window no longer stands in a region of "halves" at the new size: no layout is
  // recovered, and the display keeps the one it had.
  EXPECT_FALSE(Logged("recovered "));
  EXPECT_EQ(ActiveLayoutId(DisplayKey()), "halves");
}

TEST_F(DisplayChangesTest, AnUndockedLaptopDockedAgainGetsItsWindowsBack) {
  desk.AddDisplay({.bounds = {0, 0, 2880, 1800}, .work = {0, 0, 2880, 1728}, .scale = 1.5});
  MonitorId external = desk.AddDisplay(External());
  const RegionMap regions = Regions("quarters", kExternalWork);
  const WindowId topLeft = Window(*regions.Get(0));
  const WindowId behindTopLeft = Window(*regions.Get(0));
  const WindowId bottomRight = Window(*regions.Get(3));
  const WindowId movedByUser = Window(*regions.Get(2));
  const WindowId closed = Window(*regions.Get(1));
  Start();
  const std::string externalKey = DisplayKey(1);
  engine->Layouts().SetActiveLayout(externalKey, *FindBuiltIn("quarters"));
  Pass();

  desk.RemoveDisplay(external);
  desk.Advance(0.5);
  ASSERT_EQ(engine->Displays().size(), 1u);
  // While undocked the user drags one window to a place of their own and closes another.
  Grab(movedByUser, {desk.Frame(movedByUser).x + 60, desk.Frame(movedByUser).y + 10});
  MoveTo({1400, 900});
  Drop();
  const Rect userPlace = desk.Frame(movedByUser);
  desk.CloseWindow(closed);
  Pass();

  external = desk.AddDisplay(External());
  desk.Advance(0.5);
  EXPECT_EQ(LoggedCount("arrangement returned: 3 windows"), 1);
  for (WindowId w : {topLeft, behindTopLeft}) EXPECT_EQ(desk.Frame(w), *regions.Get(0));
  EXPECT_EQ(desk.Frame(bottomRight), *regions.Get(3));
  EXPECT_EQ(desk.Frame(movedByUser), userPlace);
  EXPECT_EQ(ActiveLayoutId(externalKey), "quarters");
}

struct StartUpCase {
  const char* what;
  std::vector<std::pair<const char*, int>> windows;  // a built-in's region for each window
  const char* recovered;                             // empty: none
};
class StartUpTest : public DisplayChangesTest, public ::testing::WithParamInterface<StartUpCase> {};

TEST_P(StartUpTest, WindowsStandingInALayoutsRegionsReEstablishIt) {
  const StartUpCase& c = GetParam();
  AddPrimary();
  std::vector<WindowId> windows;
  for (const auto& [layout, region] : c.windows) {
    Rect rect = *Regions(layout, kPrimaryWork).Get(region);
    // Apps round their size down to whole cells.
    if (windows.size() == 1) rect.height -= 20;
    windows.push_back(Window(rect));
  }
  Start();
  engine->RecoverDisplayLayouts();
  const bool recovered = *c.recovered != '\0';
  EXPECT_EQ(ActiveLayoutId(DisplayKey()), c.recovered);
  EXPECT_EQ(Logged(std::string("recovered ") + c.recovered + " on a display"), recovered);
  for (std::size_t i = 0; i < windows.size() && recovered; ++i) {
    EXPECT_EQ(engine->PlacementOf(windows[i]),
              (PlacementRecord{DisplayKey(), c.windows[i].second}));
  }
  // The stack pass that follows shows the badge at once.
  desk.Advance(0.5);
  surfaces.RunFrame();
  EXPECT_EQ(engine->GetStacks().Badges().size(), c.windows.size() == 3 ? 1u : 0u);
}

INSTANTIATE_TEST_SUITE_P(
    StartUp, StartUpTest,
    ::testing::Values(StartUpCase{"TwoStackedInAQuarterOneInAnother",
                                  {{"quarters", 0}, {"quarters", 0}, {"quarters", 3}},
                                  "quarters"},
                      StartUpCase{
                          "BothHalvesOneALittleShort", {{"halves", 0}, {"halves", 1}}, "halves"},
                      StartUpCase{"ASingleWindowExplainsNoLayout", {{"rows", 1}}, ""}),
    [](const auto& test) { return std::string(test.param.what); });

TEST_F(DisplayChangesTest, LayoutsWithDifferentTreesExplainingAsManyWindowsLeaveTheLayoutAlone) {
  AddPrimary();
  // Two layouts of the user's that differ only in where the right half is divided.
  auto rightSplitAt = [](const char* id, double ratio) {
    const NodeRef right = MakeSplit(Axis::Columns, ratio, MakeLeaf(1), MakeLeaf(2));
    return SnapLayout{id, id, MakeSplit(Axis::Columns, 0.5, MakeLeaf(0), right), {}};
  };
  const SnapLayout even = rightSplitAt("user-even", 0.5);
  const SnapLayout uneven = rightSplitAt("user-uneven", 0.51);
  Window(*Regions(even, kPrimaryWork).Get(0));
  Window(*Regions(even, kPrimaryWork).Get(1));  // a little narrower than the uneven one's region 1
  Start();
  ASSERT_TRUE(engine->Layouts().SaveCustomLayout(DisplayKey(), even));
  ASSERT_TRUE(engine->Layouts().SaveCustomLayout(DisplayKey(), uneven));

  engine->RecoverDisplayLayouts();
  EXPECT_EQ(ActiveLayoutId(DisplayKey()), "");
  engine->Layouts().SetActiveLayout(DisplayKey(), uneven);
  engine->RecoverDisplayLayouts();
  EXPECT_EQ(ActiveLayoutId(DisplayKey()), "user-uneven");
  EXPECT_FALSE(Logged("recovered "));
}

}  // namespace
}  // namespace tessary
