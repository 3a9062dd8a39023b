// The update check as the user meets it: the hourly rule, "Check for Updates…" with its
// three outcomes, and the tray's badge and tooltip after a silent check found a newer build.

#include "platform/main_window_timers.h"
#include "shell/settings_window_layout.h"
#include "shell/tray_menu.h"
#include "shell_fixture.h"

namespace tessary::testing {
namespace {

const HttpAddress kDocument{"quillfrost.example", 443, "/download/Tessary-Windows.json", true};

class UpdateStory : public ShellTest {
 protected:
  void StartChecking(bool checks, std::int64_t lastCheck) {
    StoreSettings(std::string(R"({"lastSeenVersion":"1.4.2","checkUpdates":)") +
                  (checks ? "true" : "false") + R"(,"lastUpdateCheck":)" +
                  std::to_string(lastCheck) + "}");
    host.services.version = ProgramVersion{1, 4, 2, 7};
    StartOrFail();
  }
  void HourPasses() {
    shell->OnTimer(main_window_timer::kUpdateCheck);
    Pump();
  }
  void CheckNow() { ChooseFromMenu(tray_command::kCheckForUpdates); }
};

TEST_F(UpdateStory, TheHourlyTimerChecksOnlyWhenOnAndMoreThanADayHasPassed) {
  StartChecking(true, 1700000000 - 86400);
  EXPECT_TRUE(host.http.requests.empty());  // exactly a day at start-up: not yet
  unixTime += 1;
  HourPasses();
  ASSERT_EQ(host.http.requests.size(), 1u);
  EXPECT_EQ(host.http.requests[0].address, kDocument);
  EXPECT_EQ(host.http.requests[0].userAgent, "Tessary-Windows/1.4.2");
  EXPECT_EQ(host.http.requests[0].method, "GET");
  // Unreachable: only the time stamp changes, quietly.
  EXPECT_NE(SettingsFile().find(R"("lastUpdateCheck":1700000001)"), std::string::npos);
  EXPECT_TRUE(desk.PromptsShown().empty());
  unixTime += 86400;
  HourPasses();
  EXPECT_EQ(host.http.requests.size(), 1u);
}

TEST_F(UpdateStory, ChecksOffNeverCheckByThemselvesAndCheckingNowTellsEachOutcome) {
  StartChecking(false, 0);
  HourPasses();
  EXPECT_TRUE(host.http.requests.empty());
  CheckNow();
  host.http.Serve(kDocument, 200, R"({"version":"1.4.2","build":7})");
  CheckNow();
  host.http.Serve(kDocument, 500, R"({"version":"1.5.0","build":8})");
  CheckNow();
  std::vector<std::pair<std::string, std::string>> told;
  for (const SimPrompt& box : desk.PromptsShown()) told.emplace_back(box.caption, box.text);
  EXPECT_EQ(told, (std::vector<std::pair<std::string, std::string>>{
                      {"Tessary", "quillfrost.example couldn't be reached."},
                      {"Tessary", "Tessary is up to date."},
                      {"Tessary", "quillfrost.example couldn't be reached."}}));

  host.http.Serve(kDocument, 200, R"({"version":"1.5.0","build":8})");
  desk.SetConfirmAnswer(true);
  CheckNow();
  ASSERT_EQ(desk.PromptsShown().size(), 4u);
  EXPECT_EQ(Told(desk.PromptsShown()[3]),
            std::tuple(SimPromptKind::kConfirm, PromptIcon::kInformation, "Tessary",
                       "Tessary 1.5.0 is available. Open the download page?"));
  ASSERT_EQ(desk.Launches().size(), 1u);
  EXPECT_EQ(desk.Launches()[0].file, "https://quillfrost.example/tessary/");
}

// The settings window's "Check Now" shows the check running, then its outcome and when.
TEST_F(UpdateStory, TheSettingsWindowsStatusLineFollowsTheCheck) {
  StartChecking(false, 0);
  shell->OpenSettings();
  SimDialogWindow* window = desk.Surfaces().Dialogs().Find("TessarySettings");
  ASSERT_NE(window, nullptr);
  host.http.Serve(kDocument, 200, R"({"version":"1.4.2","build":7})");
  host.http.hold = true;
  ASSERT_TRUE(window->Press(settings_control::kCheckNow));
  Pump();
  EXPECT_EQ(window->Text(settings_control::kStatus), "Checking…");
  host.http.ReleaseHeld();
  Pump();
  const std::int64_t checked = Probe().settings().Current().lastUpdateCheck;
  ASSERT_GT(checked, 0);
  EXPECT_EQ(window->Text(settings_control::kStatus),
            "Tessary is up to date. Last checked " +
                desk.platform().systemSettings.LocalDateTimeText(checked) + ".");
}

// The check at start-up waits for the message loop; a newer build badges the tray.
TEST_F(UpdateStory, ASilentCheckThatFindsAnUpdateBadgesTheTrayAndSaysSoInABalloon) {
  host.http.Serve(kDocument, 200, R"({"version":"1.5.0","build":8})");
  StoreSettings(R"({"lastSeenVersion":"1.4.2","checkUpdates":true})");
  host.services.version = ProgramVersion{1, 4, 2, 7};
  shell = std::make_unique<Shell>(Environment(host));
  ASSERT_EQ(shell->Start({}), std::nullopt);
  EXPECT_TRUE(host.http.requests.empty());
  Pump();
  EXPECT_EQ(host.http.requests.size(), 1u);
  EXPECT_TRUE(host.tray.state.updateBadge);
  EXPECT_EQ(host.tray.state.tooltip, "Tessary (update available)");
  EXPECT_EQ(host.tray.balloons.back(),
            (TrayBalloon{"Tessary update",
                         "Tessary 1.5.0 is available. Choose it in Tessary's menu."}));
  EXPECT_TRUE(desk.PromptsShown().empty());
  EXPECT_EQ(FindItem(ChooseFromMenu(0).items, tray_command::kUpdateAvailable)->label,
            "Tessary 1.5.0 Is Available…");
}

}  // namespace
}  // namespace tessary::testing
