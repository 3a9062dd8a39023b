// Start-up in its order and what ends it early, a second copy, the command line, shutdown
// (in order, nothing written, and nothing left running), and the main window's switchboard:
// window events, tray events, hotkeys, open requests, display changes and the Taskbar's
// return.

#include "shell/command_line.h"
#include "shell/run.h"
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
  // The simulated system has its window arranging on.
  EXPECT_EQ(host.tray.balloons,
            (std::vector<TrayBalloon>{{"Tessary is running",
                                       "Windows Snap reacts to the same drags. Choose "
                                       "Turn Off Windows Snap in Tessary's menu."}}));
}

TEST_F(ShellTest, HooksThatCannotAllBeInstalledAreToldOnceAndTheRestWork) {
  desk.SetEventHooksFail(true);
  StartWith();
  ASSERT_NE(Probe().toast(), nullptr);
  EXPECT_EQ(Probe().toast()->Text(), (ToastText{"Tessary can\u2019t follow window drags.",
                                                "Restart Tessary to snap windows by dragging."}));
  EXPECT_GE(JournalIndex("log window event hooks could not all be installed"), 0);
  // The program runs on: the events that still arrive are followed.
  const WindowId app = AddApp({100, 100, 800, 600});
  EXPECT_EQ(Probe().lastForeground(), app);
}

TEST_F(ShellTest, UnreadableVersionNeitherGreetsNorForgetsTheStoredOneAndNoLockStillRuns) {
  host.lock.failCreation = true;
  host.services.version.reset();
  StartWith(R"({"lastSeenVersion":"1.3.0"})");
  EXPECT_TRUE(Probe().running());
  EXPECT_TRUE(Probe().opened().empty());
  EXPECT_EQ(Probe().settings().Current().lastSeenVersion, "1.3.0");
}

TEST_F(ShellTest, CommandLineActsAfterStartUpInOrderAndTheSameVersionIsNotGreeted) {
  StartWith(kSeenThisVersion, {"--open", "tour", "--open", "welcome", "--open", "Editor", "--open",
                               "gallery", "--open", "settings"});
  EXPECT_EQ(Probe().opened(),
            (std::vector<OpenTarget>{OpenTarget::kTour, OpenTarget::kWelcome, OpenTarget::kGallery,
                                     OpenTarget::kSettings}));
  EXPECT_NE(desk.Surfaces().Dialogs().Find("TessarySettings"), nullptr);
}

TEST_F(ShellTest, SecondCopyLeavesTheFirstUntouchedAndExitsZeroUnlessASeparateInstance) {
  StartWith();
  const int writes = files.writes;
  SimShellHost secondHost(host.Session());
  Shell second(Environment(secondHost));
  EXPECT_EQ(second.Start({"--open", "editor"}), 0);
  EXPECT_EQ(secondHost.Journal(), std::vector<std::string>{"lock Quillfrost.Tessary"});
  EXPECT_EQ(files.writes, writes);

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
  host.tray.balloons.clear();  // the one saying that the program runs
  Coord().Callbacks().notify("Notepad couldn't fit there. It went back.");
  shell->ShowTip("span");
  EXPECT_EQ(host.tray.balloons,
            (std::vector<TrayBalloon>{
                {"Tessary", "Notepad couldn't fit there. It went back."},
                {"Tessary",
                 "Tip \xC2\xB7 This window spans regions; the windows it covers are "
                 "stacked behind it. Ctrl+Alt+B sends it to the back."}}));
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
  ExpectInOrder({"log shutdown", "tray remove", "quit 0", "message loop ended", "unlock"});
}

TEST_F(ShellTest, ShutdownRunsInItsOrderAndWritesNothing) {
  StartWith(R"({"lastSeenVersion":"1.4.2","mouseShortcuts":{"fill":{"button":4,"mods":0}}})");
  const WindowId app = AddApp({200, 150, 800, 600});
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

namespace msg = main_window_message;

using RoutingTest = RunningShellTest;

// Each event puts the refresh off to 0.15 s after it, but motion without a pause cannot put
// it off for more than half a second.
TEST_F(RoutingTest, BurstOfWindowEventsGivesOneRefreshAfterTheLastButNotForever) {
  const WindowId w = AddApp({100, 100, 800, 600});
  Run(0.02);
  for (double x : {120, 140, 160}) {
    if (x != 120) Run(0.05);
    desk.MoveWindow(w, {x, 100, 800, 600});
  }
  Pump();
  EXPECT_NEAR(Coord().RefreshDeadline(), desk.Now() + 0.15, 1e-6);
  // Still waiting shortly before 0.15 s after the last event, done just after.
  Run(0.14);
  EXPECT_GT(Coord().RefreshDeadline(), 0);
  EXPECT_TRUE(desk.TimerRunning(4));
  Run(0.02);
  EXPECT_EQ(Coord().RefreshDeadline(), 0);
  EXPECT_FALSE(desk.TimerRunning(4));

  Run(0.3);
  const double first = desk.Now();
  double passedAt = 0;
  for (int step = 1; step <= 40 && passedAt == 0; ++step) {
    desk.MoveWindow(w, {100.0 + step, 100, 800, 600});
    Run(0.05);
    if (Coord().RefreshDeadline() == 0) passedAt = desk.Now();
  }
  ASSERT_GT(passedAt, 0) << "two seconds of motion and no stack pass";
  EXPECT_NEAR(passedAt - first, 0.5, 0.06);
}

TEST_F(RoutingTest, TheIconsClicksAndAnOpenRequestOpenTheMenuAndOtherRequestsWhatTheyName) {
  for (std::uint32_t event : {kTrayEventSelect, kTrayEventKeySelect, kTrayEventContextMenu}) {
    EXPECT_EQ(host.window.Send(msg::kTrayIcon, 1, static_cast<std::int64_t>(event) | (5 << 16)), 0);
  }
  // Chosen from the keyboard the cursor is elsewhere: the menu opens at the anchor the
  // message carries (x 1, y 0 above; x 1880, y 1060 here), an open request's at the cursor.
  host.window.Send(msg::kTrayIcon, static_cast<std::uint64_t>(PackPointParam(1880, 1060)),
                   kTrayEventKeySelect);
  Request(OpenRequest::kTrayMenu);
  EXPECT_EQ(host.menus.anchors,
            (std::vector<std::optional<Point>>{Point{1, 0}, Point{1, 0}, Point{1, 0},
                                               Point{1880, 1060}, std::nullopt}));
  // A mouse move over the icon (WM_MOUSEMOVE), a balloon click and requests for nothing known
  // do nothing.
  host.window.Send(msg::kTrayIcon, 1, 0x200);
  host.window.Send(msg::kTrayIcon, 1, 0x405);
  for (std::uint64_t nothing : {0ull, 10ull, 0xFFFFFFFFull}) {
    host.window.Post(msg::kOpenRequest, nothing, 0);
  }
  Pump();
  EXPECT_EQ(host.menus.shown.size(), 5u);
  // Known requests open what they name, and nothing before them did.
  Request(OpenRequest::kGallery);
  Request(OpenRequest::kTour);
  EXPECT_EQ(Probe().opened(), (std::vector<OpenTarget>{OpenTarget::kGallery, OpenTarget::kTour}));
  EXPECT_TRUE(Coord().GalleryMode());
}

// It comes back as it was: paused, which the tooltip says before the update, and badged.
TEST_F(RoutingTest, IconComesBackWhenExplorerRestartsEvenAfterAFailedAdd) {
  shell->SetUpdateAvailable("1.5.0");
  shell->SetPaused(true);
  host.tray.state = {};  // what the old Explorer was told is gone with it
  host.tray.RestartExplorer();
  EXPECT_TRUE(host.tray.present);
  EXPECT_EQ(host.tray.adds, 2);
  EXPECT_EQ(host.tray.state.tooltip, "Tessary (paused)");
  EXPECT_TRUE(host.tray.state.updateBadge);
  host.tray.Remove();
  host.tray.failAdds = true;
  host.window.Send(SimMainWindow::kTaskbarCreatedId);  // refused
  host.tray.RestartExplorer();
  EXPECT_TRUE(host.tray.present);
}

// The program's own keys reach their commands in the region-move and layout-key stories.
TEST_F(RoutingTest, UnknownHotkeysDoNothingAndUnknownMessagesGoToTheDefault) {
  const WindowId w = AddApp({100, 100, 800, 600});
  EXPECT_EQ(host.window.Send(msg::kHotkey, 12), 0);
  EXPECT_EQ(host.window.Send(msg::kHotkey, 29), 0);
  EXPECT_EQ(desk.Frame(w), (Rect{100, 100, 800, 600}));

  EXPECT_EQ(host.window.Send(0x0010 /* WM_CLOSE */), std::nullopt);
  EXPECT_EQ(host.window.Send(msg::kApp + 3), std::nullopt);
  EXPECT_EQ(host.window.Send(msg::kUpdateResult, 1), 0);
  EXPECT_EQ(host.tray.state.tooltip, "Tessary");
}

TEST_F(RoutingTest, DisplayChangesReachTheCoordinatorOnce) {
  // What one reading of the displays costs the system.
  int before = desk.Calls("Monitors");
  Coord().OnDisplaysChanged();
  const int perReading = desk.Calls("Monitors") - before;
  ASSERT_GT(perReading, 0);

  // The platform reports a new display as one window event: read once.
  before = desk.Calls("Monitors");
  desk.AddDisplay({.bounds = {1920, 0, 1920, 1080}});
  Pump();
  EXPECT_EQ(desk.Calls("Monitors") - before, perReading);
  EXPECT_EQ(Coord().Displays().size(), 2u);
  // The messages behind that event are answered without reading them again.
  before = desk.Calls("Monitors");
  EXPECT_EQ(host.window.Send(msg::kDisplayChange), 0);
  EXPECT_EQ(host.window.Send(msg::kSettingChange, kSettingWorkArea), 0);
  EXPECT_EQ(desk.Calls("Monitors"), before);
}

}  // namespace
}  // namespace tessary::testing
