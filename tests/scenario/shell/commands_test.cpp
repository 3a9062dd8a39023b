// The window commands: Place, Fill Screen, Put Back and Restore, with their targets (the
// stack overview in front stands for the window it is about).

#include <algorithm>

#include "shell/window_command.h"
#include "shell_fixture.h"

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
  EXPECT_EQ(desk.Frame(window), kStart);
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
  EXPECT_FALSE(Coord().GetPicker().Visible());
  EXPECT_EQ(desk.Frame(window), kStart);
  EXPECT_EQ(desk.Beeps(), 6);
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
  EXPECT_FALSE(Coord().GetPicker().Visible());
  EXPECT_EQ(desk.Frame(tool), (Rect{50, 50, 300, 300}));
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

}  // namespace
}  // namespace tessary::testing
