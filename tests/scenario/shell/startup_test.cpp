#include "shell/command_line.h"
#include "shell/run.h"
#include "shell/tray_texts.h"
#include "shell_fixture.h"

namespace tessary::testing {
namespace {

TEST(CommandLine, OpensEveryPairInOrderAndIgnoresTheRest) {
  using enum OpenTarget;
  EXPECT_EQ(OpenTargetsFromArguments({"--open", "tour", "--open", "welcome"}),
            (std::vector<OpenTarget>{kTour, kWelcome}));
  EXPECT_TRUE(OpenTargetsFromArguments({"--open"}).empty());
  EXPECT_TRUE(OpenTargetsFromArguments({"gallery", "--open"}).empty());
  EXPECT_TRUE(OpenTargetsFromArguments({"--open", "Editor"}).empty());
  EXPECT_TRUE(OpenTargetsFromArguments({"--Open", "editor"}).empty());
  // Pairs overlap: the second "--open" still names the tour.
  EXPECT_EQ(OpenTargetsFromArguments({"--open", "--open", "tour"}),
            (std::vector<OpenTarget>{kTour}));
  EXPECT_EQ(OpenTargetsFromArguments(
                {"x", "--open", "dividers", "--open", "gallery", "--open", "editor"}),
            (std::vector<OpenTarget>{kDividers, kGallery, kEditor}));
}

TEST(InstanceNames, SuffixOnlyForANonEmptyValueAndCutToTheSystemsBuffers) {
  EXPECT_EQ(InstanceName(std::nullopt), "Quillfrost.Tessary");
  EXPECT_EQ(InstanceName(std::string()), "Quillfrost.Tessary");
  EXPECT_EQ(InstanceName(std::string("dev")), "Quillfrost.Tessary.dev");
  EXPECT_EQ(InstanceName(std::string(100, 'x')), "Quillfrost.Tessary." + std::string(63, 'x'));
  EXPECT_EQ(VersionText(ProgramVersion{1, 4, 2}), "1.4.2");
  EXPECT_EQ(VersionText(std::nullopt), "");
}

TEST_F(ShellTest, StartUpRunsInItsOrder) {
  StartOrFail();
  std::vector<std::string> expected = {"lock Quillfrost.Tessary", "graphics factories",
                                       "main window", "TaskbarCreated"};
  for (int id = 1; id <= 11; ++id) expected.push_back("hotkey+ " + std::to_string(id));
  // Storing the new version applies the settings again, which re-registers the shortcuts.
  for (int id = 1; id <= 11; ++id) {
    expected.push_back("hotkey- " + std::to_string(id));
    expected.push_back("hotkey+ " + std::to_string(id));
  }
  std::vector<std::string> layoutKeys;
  for (int id = 20; id <= 28; ++id) layoutKeys.push_back("hotkey+ " + std::to_string(id));
  // The layout hotkeys come after the settings were loaded, before the greeting.
  expected.insert(expected.begin() + 4 + 11, layoutKeys.begin(), layoutKeys.end());
  expected.push_back("tray add");
  expected.push_back("tray balloon");
  EXPECT_EQ(Journal(), expected);

  EXPECT_TRUE(shell->Running());
  EXPECT_EQ(desk.TimerPeriod(5), 1500u);
  EXPECT_EQ(desk.TimerPeriod(50), 3600000u);
  EXPECT_EQ(desk.TimerPeriod(8), 100u);
  EXPECT_EQ(desk.Calls("InstallEvents"), 1);
  EXPECT_TRUE(host.tray.present);
  EXPECT_EQ(host.tray.state.tooltip, "Tessary");
  ASSERT_EQ(host.tray.balloons.size(), 1u);
  EXPECT_EQ(host.tray.balloons[0].title, "Tessary is running");
  // The simulated system has its window arranging on.
  EXPECT_EQ(host.tray.balloons[0].text, kRunningWithWindowsSnap);
  EXPECT_TRUE(host.lock.held.has_value());
}

TEST_F(ShellTest, RunningBalloonWithoutWindowsSnap) {
  desk.SystemSettings().windowArranging = false;
  StartOrFail();
  ASSERT_EQ(host.tray.balloons.size(), 1u);
  EXPECT_EQ(host.tray.balloons[0].text,
            "Drag a window to the top center of a display to choose a region.");
}

TEST_F(ShellTest, FirstRunGreetsAndRemembersTheVersion) {
  StartOrFail();
  EXPECT_EQ(shell->Opened(), std::vector<OpenTarget>{OpenTarget::kWelcome});
  EXPECT_EQ(shell->Settings().Current().lastSeenVersion, "1.4.2");
  EXPECT_NE(files.SettingsFile().find(R"("lastSeenVersion":"1.4.2")"), std::string::npos);
}

TEST_F(ShellTest, SameVersionAgainGreetsNobody) {
  SeenThisVersion();
  StartOrFail();
  EXPECT_TRUE(shell->Opened().empty());
}

TEST_F(ShellTest, UnreadableVersionNeitherGreetsNorForgetsTheStoredOne) {
  StoreSettings(R"({"lastSeenVersion":"1.3.0"})");
  host.services.version.reset();
  StartOrFail();
  EXPECT_TRUE(shell->Opened().empty());
  EXPECT_EQ(shell->Settings().Current().lastSeenVersion, "1.3.0");
  EXPECT_EQ(shell->Version(), "");
}

TEST_F(ShellTest, CommandLineActsAfterStartUpInOrder) {
  SeenThisVersion();
  StartOrFail({"--open", "tour", "--open", "welcome", "--open", "Editor", "--open"});
  EXPECT_EQ(shell->Opened(), (std::vector<OpenTarget>{OpenTarget::kTour, OpenTarget::kWelcome}));
}

TEST_F(ShellTest, CommandLineGalleryShowsThePicker) {
  SeenThisVersion();
  StartOrFail({"--open", "gallery"});
  EXPECT_TRUE(shell->GetCoordinator().GalleryMode());
}

TEST_F(ShellTest, SecondCopyLeavesTheFirstUntouchedAndExitsZero) {
  SeenThisVersion();
  StartOrFail();
  const auto firstHotkeys = host.hotkeys.registered;
  const int writes = files.writes;

  SimShellHost secondHost(host.Session());
  Shell second(Environment(secondHost));
  EXPECT_EQ(second.Start({"--open", "editor"}), 0);
  EXPECT_EQ(secondHost.Journal(), std::vector<std::string>{"lock Quillfrost.Tessary"});
  EXPECT_FALSE(secondHost.window.Exists());
  EXPECT_FALSE(secondHost.tray.present);
  EXPECT_TRUE(second.Opened().empty());

  EXPECT_TRUE(shell->Opened().empty());
  EXPECT_EQ(host.hotkeys.registered, firstHotkeys);
  EXPECT_TRUE(host.tray.present);
  EXPECT_EQ(files.writes, writes);
  EXPECT_EQ(host.window.PostedCount(), 0u);
}

TEST_F(ShellTest, SeparateInstanceRunsBesideAndNeverGreets) {
  SeenThisVersion();
  StartOrFail();
  desk.SetEnvironment("TESSARY_INSTANCE", "dev");
  SimShellHost otherHost(host.Session());
  StoreSettings("{}");  // a first run for the settings
  Shell other(Environment(otherHost));
  ASSERT_EQ(other.Start({}), std::nullopt);
  EXPECT_EQ(otherHost.lock.held, "Quillfrost.Tessary.dev");
  EXPECT_TRUE(other.Opened().empty());
  EXPECT_EQ(other.Settings().Current().lastSeenVersion, "1.4.2");
}

TEST_F(ShellTest, EmptyInstanceVariableCountsAsUnset) {
  desk.SetEnvironment("TESSARY_INSTANCE", "");
  StartOrFail();
  EXPECT_EQ(host.lock.held, "Quillfrost.Tessary");
  EXPECT_EQ(shell->Opened(), std::vector<OpenTarget>{OpenTarget::kWelcome});
}

TEST_F(ShellTest, FailuresEndWithOneAndLetGoOfTheLock) {
  host.services.factoriesFail = true;
  EXPECT_EQ(Start(), 1);
  EXPECT_EQ(JournalIndex("main window"), -1);
  EXPECT_TRUE(host.Session()->mutexes.empty());
}

TEST_F(ShellTest, MainWindowFailureEndsWithOne) {
  host.window.failCreation = true;
  EXPECT_EQ(Start(), 1);
  EXPECT_EQ(host.hotkeys.registerCalls, 0);
  EXPECT_TRUE(host.Session()->mutexes.empty());
}

TEST_F(ShellTest, CoordinatorWithoutSurfacesEndsWithOne) {
  surfaces.allowed = 0;
  EXPECT_EQ(Start(), 1);
  EXPECT_FALSE(host.tray.present);
}

TEST_F(ShellTest, WithoutAToastMessagesBecomeBalloons) {
  SeenThisVersion();
  surfaces.allowed = 4;  // the Coordinator's four surfaces, not the toast
  StartOrFail();
  EXPECT_FALSE(shell->ToastAvailable());
  shell->Notify("Notepad couldn't fit there. It went back.");
  ASSERT_EQ(host.tray.balloons.size(), 2u);
  EXPECT_EQ(host.tray.balloons[1],
            (TrayBalloon{"Tessary", "Notepad couldn't fit there. It went back."}));
  shell->ShowTip("switcher");
  ASSERT_EQ(host.tray.balloons.size(), 3u);
  EXPECT_EQ(host.tray.balloons[2].title, "Tessary");
  EXPECT_EQ(host.tray.balloons[2].text.rfind("Tip \xC2\xB7 Ctrl+Alt+S shows the stack", 0), 0u);
}

TEST_F(ShellTest, LockUnavailableStillRuns) {
  host.lock.failCreation = true;
  StartOrFail();
  EXPECT_TRUE(shell->Running());
}

TEST_F(ShellTest, WholeRunEndsWithQuitFromTheTrayMenu) {
  SeenThisVersion();
  host.menus.Answer(103);
  host.window.loopScript = [&] {
    host.window.Post(main_window_message::kTrayIcon, 1, kTrayEventContextMenu);
    Run(0.1);
  };
  EXPECT_EQ(RunTessary(Environment(host), {}), 0);
  EXPECT_TRUE(host.window.Destroyed());
  EXPECT_EQ(host.window.QuitCode(), 0);
  EXPECT_TRUE(host.Session()->mutexes.empty());
  const int quit = JournalIndex("quit 0");
  ASSERT_GE(quit, 0);
  EXPECT_LT(JournalIndex("tray remove"), quit);
  EXPECT_LT(quit, JournalIndex("message loop ended"));
  EXPECT_LT(JournalIndex("message loop ended"), JournalIndex("unlock"));
  EXPECT_TRUE(log.Contains("shutdown"));
}

}  // namespace
}  // namespace tessary::testing
