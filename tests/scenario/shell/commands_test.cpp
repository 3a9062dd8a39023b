// The window commands: Place, Fill Screen, Put Back and Restore, with their targets (the
// stack overview in front stands for the window it is about); and keyboard placement as the
// user meets it: Ctrl+Alt+Win+arrows move the focused window region by region, on to the
// display beside, into a stack with its badge, or refuse with the warning beep; and the
// keys' own settings key next to files of earlier versions.

#include <algorithm>

#include "layout/builtin_layouts.h"
#include "shell/shortcuts.h"
#include "shell_fixture.h"
#include "state/settings_file.h"

namespace tessary::testing {
namespace {

using namespace window_command;

constexpr Rect kFull{8, 8, 1904, 1024};
constexpr Rect kStart{200, 150, 800, 600};

class CommandTest : public RunningShellTest {
 protected:
  void SetUp() override {
    RunningShellTest::SetUp();
    window = AddApp(kStart);
  }

  WindowId window{};
};

TEST_F(CommandTest, FillScreenTogglesAndFillsAgainAfterTheUserMovedTheWindow) {
  shell->RunCommand(kFill);
  EXPECT_EQ(desk.Frame(window), kFull);
  shell->RunCommand(kFill);
  EXPECT_EQ(desk.Frame(window), kStart);
  EXPECT_EQ(Probe().fills().Count(), 0u);

  shell->RunCommand(kFill);
  desk.MoveWindow(window, {300, 300, 700, 500});
  Pump();
  shell->RunCommand(kFill);
  EXPECT_EQ(desk.Frame(window), kFull);
  // ...and the next one goes back to where the user had put it.
  shell->RunCommand(kFill);
  EXPECT_EQ(desk.Frame(window), (Rect{300, 300, 700, 500}));
}

TEST_F(CommandTest, RestoreGivesBackTheSizeFromBeforeTheProgramMovedItEvenWhilePaused) {
  shell->RunCommand(kFill);
  Coord().SetPaused(true);
  shell->RunCommand(kRestore);
  EXPECT_EQ(desk.Frame(window), kStart);
  EXPECT_EQ(Probe().fills().Count(), 0u);
  // The prior size is forgotten once given back.
  shell->RunCommand(kRestore);
  EXPECT_EQ(desk.Beeps(), 1);
}

TEST_F(CommandTest, PlaceThenPutBackAfterTheUserMovedIt) {
  PlaceInRightHalf();
  const Rect right{964, 8, 948, 1024};
  EXPECT_EQ(desk.Frame(window), right);

  AddApp({900, 100, 900, 800});
  desk.MoveWindow(window, {100, 100, 700, 500});
  Pump();
  desk.Activate(window);
  Pump();
  shell->RunCommand(kPutBack);
  EXPECT_EQ(desk.Frame(window), right);
  EXPECT_GT(Coord().RefreshDeadline(), 0);
}

// An app that stopped answering: nothing waits for it and the user hears why the window
// stayed. (That the tray menu still opens then: the hung_window e2e story.)
TEST_F(CommandTest, AWindowWhoseAppIsNotRespondingIsLeftWhereItIsAndTheProgramKeepsWorking) {
  const ProcessId notepad = desk.AddProcess({.fileDescription = "Notepad"});
  desk.CloseWindow(window);
  window = desk.AddWindow({.process = notepad, .frame = kStart, .hung = true});
  Pump();
  const double start = desk.Now();
  shell->RunCommand(kFill);
  EXPECT_EQ(desk.Frame(window), kStart);
  ASSERT_NE(Probe().toast(), nullptr);
  EXPECT_EQ(Probe().toast()->Text().title,
            "Notepad isn\u2019t responding, so it was left where it is.");
  // It answers again, then stops in the middle of the next move.
  desk.Setup(window).hung = false;
  desk.Setup(window).sizing = [this](const Rect& requested) {
    desk.Setup(window).hung = true;
    return requested;
  };
  PlaceInRightHalf();
  EXPECT_FALSE(Coord().PlacementOf(window).has_value());
  EXPECT_EQ(desk.Calls("FrozenCall"), 0);
  EXPECT_LT(desk.Now() - start, 1.0);
}

// Windows does not let a program without administrator rights move an administrator's
// window: every command that would leaves it, the user hears why once, nothing is recorded.
TEST_F(CommandTest, AWindowRunningAsAdministratorIsLeftWhereItIsAndTheUserToldOnce) {
  const ProcessId admin = desk.AddProcess({.fileDescription = "Registry Editor", .elevated = true});
  desk.CloseWindow(window);
  window = desk.AddWindow({.process = admin, .frame = kStart});
  Pump();
  host.ClearJournal();
  for (int command : {kPlace, kFill, kPutBack, kRestore, kFill, kMoveRight}) {
    shell->RunCommand(command);
  }
  EXPECT_EQ(desk.Frame(window), kStart);
  EXPECT_EQ(desk.Beeps(), 6);  // each refused, Place with no picker
  ASSERT_NE(Probe().toast(), nullptr);
  EXPECT_EQ(Probe().toast()->Text().title,
            "Registry Editor is running as administrator, so Tessary can\u2019t arrange it unless "
            "Tessary also runs as administrator.");
  EXPECT_EQ(std::count_if(Journal().begin(), Journal().end(),
                          [](const std::string& e) { return e.find(", told") != std::string::npos; }),
            1);
  EXPECT_FALSE(Coord().PlacementOf(window).has_value());
  EXPECT_EQ(Probe().fills().Count(), 0u);
  // Run as administrator too, the program arranges it.
  desk.SetOwnElevated(true);
  shell->RunCommand(kFill);
  EXPECT_EQ(desk.Frame(window), kFull);
}

TEST_F(CommandTest, CommandsThatCannotActBeepOrStaySilent) {
  struct Case {
    const char* name;
    bool paused;
    std::vector<int> commands;
    int beeps;
  };
  const Case cases[] = {
      {"no placement or size to go back to", false, {kPutBack, kRestore}, 2},
      {"indices outside 0..14", false, {15, -1}, 0},
      {"paused", true, {kPlace, kFill, kPutBack}, 0},
  };
  for (const Case& c : cases) {
    Coord().SetPaused(c.paused);
    const int before = desk.Beeps();
    for (int command : c.commands) shell->RunCommand(command);
    EXPECT_EQ(desk.Beeps() - before, c.beeps) << c.name;
    EXPECT_EQ(desk.Frame(window), kStart) << c.name;
    EXPECT_FALSE(Coord().GetPicker().Visible()) << c.name;
  }
  Coord().SetPaused(false);
  // A tool window in front is no target: Place and Fill beep.
  const WindowId tool = desk.AddWindow({.className = "ToolPalette",
                                        .frame = {50, 50, 300, 300},
                                        .exStyle = window_ex_style::kToolWindow});
  Pump();
  ASSERT_EQ(desk.Foreground(), tool);
  const int before = desk.Beeps();
  shell->RunCommand(kPlace);
  shell->RunCommand(kFill);
  EXPECT_EQ(desk.Beeps(), before + 2);
}

// Two windows stacked in the right half: Next and Previous step through them, and the
// stack overview in front stands for the window it is about.
TEST_F(CommandTest, NextPreviousAndTheOverviewActOnTheStack) {
  PlaceInRightHalf();
  const WindowId second = AddApp(kStart);
  PlaceInRightHalf();
  Run(0.5);
  ASSERT_EQ(desk.Foreground(), second);
  shell->RunCommand(kNext);
  EXPECT_EQ(desk.Foreground(), window);
  shell->RunCommand(kPrevious);
  EXPECT_EQ(desk.Foreground(), second);
  // With stacks off in the settings, stepping does nothing at all.
  tessary::Settings settings = Probe().settings().Current();
  settings.windowStacksEnabled = false;
  Probe().settings().Apply(settings);
  const int beeps = desk.Beeps();
  shell->RunCommand(kNext);
  EXPECT_EQ(desk.Foreground(), second);
  EXPECT_EQ(desk.Beeps(), beeps);
  settings.windowStacksEnabled = true;
  Probe().settings().Apply(settings);
  shell->RunCommand(kOverview);
  Run(0.3);
  const StackOverview& overview = Coord().Overview();
  ASSERT_TRUE(overview.Open());
  ASSERT_EQ(desk.Foreground(), overview.Window());
  shell->RunCommand(kFill);
  EXPECT_EQ(desk.Frame(second), kFull);
}

using namespace surface_key;  // the arrows

class RegionMoveStory : public ShellTest {
 protected:
  void StartWithLayouts(const char* first, const char* second = nullptr) {
    if (second) desk.AddDisplay({.bounds = {1920, 0, 1920, 1080}, .work = {1920, 0, 1920, 1040}});
    StartWith();
    Coord().RefreshDisplays();
    Coord().Layouts().SetActiveLayout(DisplayKey(0), *FindBuiltIn(first));
    if (second) Coord().Layouts().SetActiveLayout(DisplayKey(1), *FindBuiltIn(second));
  }
  // The user presses Ctrl+Alt+Win with an arrow; the stack pass has run afterwards.
  void Press(std::uint32_t arrow) {
    ASSERT_TRUE(host.hotkeys.Press(kCtrlAltWin, arrow));
    Pump();
    Run(0.5);
  }
};

TEST_F(RegionMoveStory, RightAcrossThreeColumnsOntoTheSecondDisplayButNotOneWithoutALayout) {
  StartWithLayouts("thirds", "halves");
  const WindowId w = AddApp({8, 8, 630, 1024});  // in the first column
  struct Step {
    std::uint32_t arrow;
    Rect frame;
    int warningBeeps;
  };
  const Step steps[] = {
      {kRight, {645, 8, 630, 1024}, 0},
      {kRight, {1282, 8, 630, 1024}, 0},
      {kRight, {1928, 8, 948, 1024}, 0},  // the left half of the display beside
      {kRight, {2884, 8, 948, 1024}, 0},
      {kRight, {2884, 8, 948, 1024}, 1},  // no display beyond: the beep, nothing moves
      {kUp, {2884, 8, 948, 1024}, 2},
      {kLeft, {1928, 8, 948, 1024}, 2},
      {kLeft, {1282, 8, 630, 1024}, 2},  // back onto the right column
  };
  for (const Step& step : steps) {
    Press(step.arrow);
    EXPECT_EQ(desk.Frame(w), step.frame) << &step - steps;
    EXPECT_EQ(desk.WarningBeeps(), step.warningBeeps) << &step - steps;
  }
  EXPECT_EQ(Coord().PlacementOf(w)->region, 2);
  EXPECT_EQ(desk.Foreground(), w);
  EXPECT_EQ(desk.Beeps(), 0);

  // A display without a layout has no region to join, nor does a window on it move anywhere.
  Coord().Layouts().ResetDisplay(DisplayKey(1));
  Press(kRight);
  EXPECT_EQ(desk.Frame(w), (Rect{1282, 8, 630, 1024}));
  EXPECT_EQ(desk.WarningBeeps(), 3);
  const WindowId there = AddApp({2000, 100, 800, 600});
  Press(kLeft);
  EXPECT_EQ(desk.Frame(there), (Rect{2000, 100, 800, 600}));
  EXPECT_EQ(desk.WarningBeeps(), 4);
}

// Without a window in front there is the information beep of every window command; paused,
// nothing moves and nothing sounds.
TEST_F(RegionMoveStory, AWindowInNoRegionFirstGoesIntoTheOneNearestItsCentreUnlessPaused) {
  StartWithLayouts("thirds");
  Press(kRight);
  EXPECT_EQ(desk.Beeps(), 1);
  const WindowId w = AddApp({500, 300, 500, 400});  // its centre is over the middle column
  shell->SetPaused(true);
  Press(kLeft);
  EXPECT_EQ(desk.Frame(w), (Rect{500, 300, 500, 400}));
  EXPECT_EQ(desk.Beeps() + desk.WarningBeeps(), 1);
  shell->SetPaused(false);
  Press(kLeft);
  EXPECT_EQ(desk.Frame(w), (Rect{645, 8, 630, 1024}));
  Press(kLeft);
  EXPECT_EQ(desk.Frame(w), (Rect{8, 8, 630, 1024}));
}

TEST_F(RegionMoveStory, AMoveJoinsTheStackThereWithItsBadgeAndLeavingEndsIt) {
  StartWithLayouts("thirds");
  const WindowId other = AddApp({645, 8, 630, 1024});
  const WindowId w = AddApp({8, 8, 630, 1024});
  Run(0.5);
  EXPECT_TRUE(Coord().GetStacks().Badges().empty());
  Press(kRight);
  const std::vector<StackInfo> stacks = Coord().StacksNow();
  ASSERT_EQ(stacks.size(), 1u);
  EXPECT_EQ(std::set<WindowId>(stacks[0].members.begin(), stacks[0].members.end()),
            (std::set<WindowId>{other, w}));
  EXPECT_EQ(stacks[0].fronts, (std::vector<WindowId>{w}));
  EXPECT_EQ(Coord().GetStacks().Badges().size(), 1u);
  Press(kRight);
  EXPECT_TRUE(Coord().StacksNow().empty());
  EXPECT_TRUE(Coord().GetStacks().Badges().empty());
  EXPECT_EQ(desk.Frame(other), (Rect{645, 8, 630, 1024}));
}

// Written by a version without the moves: their key is absent.
constexpr char kEarlierFile[] =
    R"({"startAtLogin":false,"checkUpdates":true,"lastUpdateCheck":1700000000,)"
    R"("windowStacksEnabled":true,"stackBadgesEnabled":true,"stackBadgesOnEdge":true,)"
    R"("stackTransition":"melt","stackOrder":"name","lastSeenVersion":"1.4.2",)"
    R"("tipsShown":["badge"],"shortcuts":{"fill":{"vk":71,"mods":3}},)"
    R"("mouseShortcuts":{"next":{"button":4,"mods":0}}})";

TEST_F(RegionMoveStory, TheKeysHaveTheirOwnSettingsKeyBesideFilesOfEarlierVersions) {
  host.hotkeys.TakeByOtherApp(kCtrlAltWin, kUp);
  StartWith(kEarlierFile);
  const tessary::Settings& record = Probe().settings().Current();
  EXPECT_EQ(record.moveShortcuts, DefaultMoveShortcuts());
  const std::uint32_t arrows[] = {kLeft, kRight, kUp, kDown};
  for (int i : {0, 1, 3}) {  // "above" is held by another app
    EXPECT_EQ(host.hotkeys.registered[kFirstMoveHotkey + i],
              (SimHotkeys::Registration{kCtrlAltWin | kModNoRepeat, arrows[i]}))
        << i;
  }
  EXPECT_EQ(host.hotkeys.registered.count(kFirstMoveHotkey + 2), 0u);
  EXPECT_EQ(Probe().conflicts(),
            (std::map<int, std::string>{{13, "Another app already uses these keys"}}));
  // Saved again, the file is exactly what the earlier version wrote.
  Probe().settings().Apply(record);
  EXPECT_EQ(SettingsFile(), kEarlierFile);

  // A changed move key is written under its own key after the others, and read back.
  tessary::Settings next = record;
  next.moveShortcuts[1] = KeyShortcut{'L', kCtrlAltWin};
  Probe().settings().Apply(next);
  std::string expected = kEarlierFile;
  expected.insert(expected.size() - 1, R"(,"moveShortcuts":{"right":{"vk":76,"mods":11}})");
  EXPECT_EQ(SettingsFile(), expected);
  EXPECT_EQ(ParseSettings(SettingsFile()), next);
  EXPECT_TRUE(host.hotkeys.Press(kCtrlAltWin, 'L'));
}

}  // namespace
}  // namespace tessary::testing
