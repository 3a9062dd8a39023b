// Start-up in its order and what ends it early, a second copy, the command line, and
// shutdown: in order, nothing written, and nothing left running.

#include "shell/command_line.h"
#include "shell/run.h"
#include "shell/tray_texts.h"
#include "shell_fixture.h"

namespace tessary::testing {
namespace {

// The order and a name in the other case: CommandLineActsAfterStartUpInOrder...
TEST(CommandLine, OpensEveryPairInOrderAndIgnoresTheRest) {
  using enum OpenTarget;
  for (std::vector<std::string> nothing :
       {std::vector<std::string>{"--open"}, {"gallery", "--open"}, {"--Open", "editor"}}) {
    EXPECT_TRUE(OpenTargetsFromArguments(nothing).empty()) << nothing[0];
  }
  // Pairs overlap: the second "--open" still names the tour.
  EXPECT_EQ(OpenTargetsFromArguments({"--open", "--open", "tour"}),
            (std::vector<OpenTarget>{kTour}));
  EXPECT_EQ(OpenTargetsFromArguments(
                {"x", "--open", "dividers", "--open", "gallery", "--open", "editor"}),
            (std::vector<OpenTarget>{kDividers, kGallery, kEditor}));
}

// No value and "dev" lock as StartUpRunsInItsOrder and SecondCopy... show.
TEST(InstanceNames, SuffixOnlyForANonEmptyValueAndCutToTheSystemsBuffers) {
  EXPECT_EQ(InstanceName(std::string()), "Quillfrost.Tessary");
  EXPECT_EQ(InstanceName(std::string(100, 'x')), "Quillfrost.Tessary." + std::string(63, 'x'));
}

TEST_F(ShellTest, StartUpRunsInItsOrder) {
  StartOrFail();
  const std::string settingsFile = JoinPath("state", "settings.json");
  ExpectInOrder({"lock Quillfrost.Tessary", "graphics factories", "main window",
                 // The Coordinator's four surfaces, then the toast's.
                 "surface 4", "surface 5", "TaskbarCreated", "events installed", "timer+ 5 1500",
                 "read " + settingsFile, "hotkey+ 1", "hotkey+ 11", "hotkey+ 20", "hotkey+ 28",
                 "timer+ 50 3600000", "log welcome window shown", "tray add",
                 "tray balloon"});
  // The Coordinator's upkeep timer runs from its start.
  EXPECT_LT(JournalIndex("timer+ 8 100"), JournalIndex("surface 5"));
  EXPECT_EQ(JournalIndex("surface 6"), -1);
  EXPECT_EQ(JournalIndex("log window event hooks"), -1);
  EXPECT_NE(SettingsFile().find(R"("lastSeenVersion":"1.4.2")"), std::string::npos);
  ASSERT_EQ(host.tray.balloons.size(), 1u);
  // The simulated system has its window arranging on.
  EXPECT_EQ(host.tray.balloons[0], (TrayBalloon{"Tessary is running",
                                                "Windows Snap reacts to the same drags. Choose "
                                                "Turn Off Windows Snap in Tessary's menu."}));
  EXPECT_TRUE(host.lock.held.has_value());
}

TEST_F(ShellTest, HooksThatCannotAllBeInstalledAreToldOnceAndTheRestWork) {
  desk.SetEventHooksFail(true);
  StartWith();
  ASSERT_NE(Probe().toast(), nullptr);
  EXPECT_EQ(Probe().toast()->Text(), (ToastText{"Tessary can\u2019t follow window drags.",
                                                "Restart Tessary to snap windows by dragging."}));
  EXPECT_GE(JournalIndex("log window event hooks could not all be installed"), 0);
  EXPECT_TRUE(Probe().running());
  // The events that still arrive are followed.
  const WindowId app = AddApp({100, 100, 800, 600});
  EXPECT_EQ(Probe().lastForeground(), app);
}

// Neither an unreadable version nor a lock that cannot be made stops the program.
TEST_F(ShellTest, UnreadableVersionNeitherGreetsNorForgetsTheStoredOneAndNoLockStillRuns) {
  host.lock.failCreation = true;
  host.services.version.reset();
  StartWith(R"({"lastSeenVersion":"1.3.0"})");
  EXPECT_TRUE(Probe().running());
  EXPECT_TRUE(Probe().opened().empty());
  EXPECT_EQ(Probe().settings().Current().lastSeenVersion, "1.3.0");
  EXPECT_EQ(Probe().version(), "");
}

TEST_F(ShellTest, CommandLineActsAfterStartUpInOrderAndTheSameVersionIsNotGreeted) {
  StoreSettings(kSeenThisVersion);
  StartOrFail({"--open", "tour", "--open", "welcome", "--open", "Editor", "--open", "gallery",
               "--open", "settings"});
  EXPECT_EQ(Probe().opened(),
            (std::vector<OpenTarget>{OpenTarget::kTour, OpenTarget::kWelcome, OpenTarget::kGallery,
                                     OpenTarget::kSettings}));
  EXPECT_TRUE(Coord().GalleryMode());
  EXPECT_NE(desk.Surfaces().Dialogs().Find("TessarySettings"), nullptr);
}

TEST_F(ShellTest, SecondCopyLeavesTheFirstUntouchedAndExitsZeroUnlessASeparateInstance) {
  StartWith();
  const auto firstHotkeys = host.hotkeys.registered;
  const int writes = files.writes;

  SimShellHost secondHost(host.Session());
  Shell second(Environment(secondHost));
  EXPECT_EQ(second.Start({"--open", "editor"}), 0);
  EXPECT_EQ(secondHost.Journal(), std::vector<std::string>{"lock Quillfrost.Tessary"});
  EXPECT_TRUE(ShellProbe(second).opened().empty());

  EXPECT_TRUE(Probe().opened().empty());
  EXPECT_EQ(host.hotkeys.registered, firstHotkeys);
  EXPECT_TRUE(host.tray.present);
  EXPECT_EQ(files.writes, writes);
  EXPECT_EQ(host.window.PostedCount(), 0u);

  // A separate instance runs beside it, under its own lock, and never greets.
  desk.SetEnvironment("TESSARY_INSTANCE", "dev");
  SimShellHost otherHost(host.Session());
  StoreSettings("{}");  // a first run for the settings
  Shell other(Environment(otherHost));
  ASSERT_EQ(other.Start({}), std::nullopt);
  EXPECT_EQ(otherHost.lock.held, "Quillfrost.Tessary.dev");
  EXPECT_TRUE(ShellProbe(other).opened().empty());
  EXPECT_EQ(ShellProbe(other).settings().Current().lastSeenVersion, "1.4.2");
}

TEST_F(ShellTest, FailuresEndWithOneBeforeTheNextStepAndLetGoOfTheLock) {
  struct Case {
    const char* name;
    std::function<void(bool)> breakIt;
    const char* neverReached;
  };
  const Case cases[] = {
      {"factories", [&](bool on) { host.services.factoriesFail = on; }, "main window"},
      {"main window", [&](bool on) { host.window.failCreation = on; }, "hotkey+"},
      {"coordinator", [&](bool on) { surfaces.allowed = on ? 0 : -1; }, "tray add"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    host.ClearJournal();
    c.breakIt(true);
    EXPECT_EQ(Start(), 1);
    EXPECT_EQ(JournalIndex(c.neverReached), -1);
    EXPECT_TRUE(host.Session()->mutexes.empty());
    shell.reset();
    c.breakIt(false);
  }
}

TEST_F(ShellTest, WithoutAToastMessagesBecomeBalloons) {
  surfaces.allowed = 4;  // the Coordinator's four surfaces, not the toast
  StartWith();
  EXPECT_EQ(Probe().toast(), nullptr);
  Coord().Callbacks().notify("Notepad couldn't fit there. It went back.");
  ASSERT_EQ(host.tray.balloons.size(), 2u);
  EXPECT_EQ(host.tray.balloons[1],
            (TrayBalloon{"Tessary", "Notepad couldn't fit there. It went back."}));
  shell->ShowTip("span");
  ASSERT_EQ(host.tray.balloons.size(), 3u);
  EXPECT_EQ(host.tray.balloons[2],
            (TrayBalloon{"Tessary",
                         "Tip \xC2\xB7 This window spans regions; the windows it covers are "
                         "stacked behind it. Ctrl+Alt+B sends it to the back."}));
}

TEST_F(ShellTest, WholeRunEndsWithQuitFromTheTrayMenu) {
  StoreSettings(kSeenThisVersion);
  host.menus.Answer(tray_command::kQuit);
  host.window.loopScript = [&] {
    host.window.Post(main_window_message::kTrayIcon, 1, kTrayEventContextMenu);
    Run(0.1);
  };
  EXPECT_EQ(RunTessary(Environment(host), {}), 0);
  EXPECT_TRUE(host.window.Destroyed());
  EXPECT_TRUE(host.Session()->mutexes.empty());
  ExpectInOrder({"log shutdown", "tray remove", "quit 0", "message loop ended", "unlock"});
}

TEST_F(ShellTest, ShutdownRunsInItsOrderAndWritesNothing) {
  StartWith(R"({"lastSeenVersion":"1.4.2","mouseShortcuts":{"fill":{"button":4,"mods":0}}})");
  const WindowId app = AddApp({200, 150, 800, 600});
  Run(0.05);
  DragTo(app, {500, 160}, {960, 4});
  ASSERT_TRUE(Coord().DragActive());
  ASSERT_TRUE(host.mouseHook.Running());
  shell->BeginMouseCapture(window_command::kPlace);  // the settings window waits for a button
  host.ClearJournal();
  const int writes = files.writes;

  ChooseFromMenu(tray_command::kQuit);

  // The hook threads first, then the event hooks, the log line, the drag (its tick timer
  // stops), the tray icon and the end of the loop.
  ExpectInOrder({"menu", "destroy main window", "mouse hook stop", "events removed", "log shutdown",
                 "timer- 1", "tray remove", "quit 0"});
  EXPECT_FALSE(Coord().DragActive());
  EXPECT_FALSE(Coord().GetPicker().Visible());
  EXPECT_FALSE(Probe().capturing().has_value());
  EXPECT_FALSE(host.tray.present);
  EXPECT_EQ(files.writes, writes);
  EXPECT_FALSE(Probe().running());

  // Posted messages and timers after the window went do nothing.
  host.ClearJournal();
  desk.Release();
  Run(2.0);
  EXPECT_EQ(JournalIndex("write"), -1);
  EXPECT_EQ(shell->Finish(), 0);
  EXPECT_TRUE(host.Session()->mutexes.empty());
}

}  // namespace
}  // namespace tessary::testing
