// The online services and diagnostics as the user meets them: the update check (the hourly
// rule, "Check for Updates…" with its three outcomes, and the tray's badge and tooltip after
// a silent check found a newer build); recording diagnostics around a drag and a placement,
// started from the tray menu and stopped by another process's request; and sending feedback
// from the tray menu (the form, its checks and each answer of the service).

#include "platform/main_window_timers.h"
#include "services/feedback_form.h"
#include "shell/settings_window_layout.h"
#include "shell/tray_menu.h"
#include "shell_fixture.h"

namespace tessary::testing {
namespace {

const HttpAddress kDocument{"quillfrost.example", 443, "/download/Tessary-Windows.json", true};

class UpdateStory : public ShellTest {
 protected:
  UpdateStory() { host.services.version = ProgramVersion{1, 4, 2, 7}; }
  void StartChecking(bool checks, std::int64_t lastCheck) {
    StartWith(std::string(R"({"lastSeenVersion":"1.4.2","checkUpdates":)") +
              (checks ? "true" : "false") + R"(,"lastUpdateCheck":)" + std::to_string(lastCheck) +
              "}");
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
  const HttpRequest& asked = host.http.requests[0];
  EXPECT_EQ(std::tie(asked.method, asked.address, asked.userAgent),
            std::tuple("GET", kDocument, "Tessary-Windows/1.4.2"));
  // Unreachable: only the time stamp changes, quietly.
  EXPECT_NE(SettingsFile().find(R"("lastUpdateCheck":1700000001)"), std::string::npos);
  EXPECT_TRUE(desk.PromptsShown().empty());
  unixTime += 86400;
  HourPasses();
  EXPECT_EQ(host.http.requests.size(), 1u);
}

TEST_F(UpdateStory, ChecksOffNeverCheckByThemselvesAndCheckingNowTellsEachOutcomeWhereAsked) {
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

  // The settings window's status line shows the check running, then its outcome and when.
  SimDialogWindow& window = OpenSettingsWindow();
  host.http.Serve(kDocument, 200, R"({"version":"1.4.2","build":7})");
  host.http.hold = true;
  ASSERT_TRUE(window.Press(settings_control::kCheckNow));
  Pump();
  EXPECT_EQ(window.Text(settings_control::kStatus), "Checking…");
  host.http.ReleaseHeld();
  Pump();
  const std::int64_t checked = Probe().settings().Current().lastUpdateCheck;
  ASSERT_GT(checked, 0);
  EXPECT_EQ(window.Text(settings_control::kStatus),
            "Tessary is up to date. Last checked " +
                desk.platform().systemSettings.LocalDateTimeText(checked) + ".");
}

// The check at start-up waits for the message loop; a newer build badges the tray.
TEST_F(UpdateStory, ASilentCheckThatFindsAnUpdateBadgesTheTrayAndSaysSoInABalloon) {
  host.http.Serve(kDocument, 200, R"({"version":"1.5.0","build":8})");
  StoreSettings(R"({"lastSeenVersion":"1.4.2","checkUpdates":true})");
  shell = std::make_unique<Shell>(Environment(host));
  ASSERT_EQ(shell->Start({}), std::nullopt);
  EXPECT_TRUE(host.http.requests.empty());
  Pump();
  EXPECT_EQ(host.http.requests.size(), 1u);
  EXPECT_TRUE(host.tray.state.updateBadge);
  EXPECT_EQ(host.tray.state.tooltip, "Tessary (update available)");
  EXPECT_EQ(
      host.tray.balloons.back(),
      (TrayBalloon{"Tessary update", "Tessary 1.5.0 is available. Choose it in Tessary's menu."}));
  EXPECT_TRUE(desk.PromptsShown().empty());
  EXPECT_EQ(FindItem(ChooseFromMenu(0).items, tray_command::kUpdateAvailable)->label,
            "Tessary 1.5.0 Is Available…");
}

constexpr const char* kSecretTitle = "Salaries 2027 - confidential.xlsx";

using DiagnosticsStory = RunningShellTest;

TEST_F(DiagnosticsStory, TheFileHoldsBothSnapshotsAndTheStepsBetweenButNoTitle) {
  const WindowId window = desk.AddWindow({.title = kSecretTitle, .frame = {300, 300, 800, 600}});
  Run(0.05);
  ChooseFromMenu(tray_command::kRecordDiagnostics);
  ASSERT_TRUE(shell->RecordingDiagnostics());
  // The toast sets the first sentence as its title.
  EXPECT_EQ(Probe().toast()->Text(),
            (ToastText{"Recording diagnostics.",
                       "Do what went wrong, then choose Stop Recording Diagnostics in Tessary's "
                       "menu. Apps are named; window titles are left out."}));
  // The menu now offers the stop in Help too (and at the top level: TopLevelInOrder).
  EXPECT_EQ(FindItem(ChooseFromMenu(0).items, tray_command::kRecordDiagnostics)->label,
            "Stop Recording Diagnostics…");

  // A drag that ends nowhere, then the Place command into the right half.
  DragTo(window, {600, 310}, {700, 410}, 10);
  desk.Release();
  Run(0.2);
  PlaceInRightHalf();
  Run(1.0);

  desk.SetConfirmAnswer(false);  // "No": the file stays, nothing opens
  Request(OpenRequest::kDiagnostics);
  EXPECT_FALSE(shell->RecordingDiagnostics());
  const std::string folder = JoinPath("state", "Diagnostics");
  std::string path;
  for (const auto& [name, bytes] : files.files) {
    if (name.rfind(JoinPath(folder, "Tessary Diagnostics "), 0) == 0) path = name;
  }
  ASSERT_FALSE(desk.PromptsShown().empty());
  EXPECT_EQ(Told(desk.PromptsShown().back()),
            std::tuple(SimPromptKind::kAskYesNo, PromptIcon::kInformation, "Diagnostics Recorded",
                       "The recording is saved as\n" + path +
                           "\n\nIt's a text file you can read first; send it along when you "
                           "report what went wrong. Show it in File Explorer?"));

  // The file's own format is the recorder's; here, what the program put into it.
  const std::string file = files.files[path];
  const std::string app = Coord().GetDesktop().AppNameOfWindow(window);
  const std::size_t start =
      file.find("== At the start ==\r\nDisplay Studio Display: 0,0 1920x1080");
  const std::size_t dragged = file.find("  start ");
  const std::size_t placed = file.find("  placed ");
  const std::size_t end = file.find("\r\n== At the end (0.0 minutes) ==\r\n");
  EXPECT_LT(start, dragged);
  EXPECT_LT(dragged, placed);
  EXPECT_LT(placed, end);
  ASSERT_NE(end, std::string::npos);
  EXPECT_NE(file.find("  no layout\r\n", start), std::string::npos);
  EXPECT_NE(file.find("  layout halves\r\n  region 0: ", end), std::string::npos);
  EXPECT_NE(file.find(" " + app + ": 964,8 948x1024", end), std::string::npos) << file;
  EXPECT_EQ(file.find(kSecretTitle), std::string::npos);

  // Recorded again and answered "Yes": Explorer shows the file, the story's one launch.
  desk.SetConfirmAnswer(true);
  Request(OpenRequest::kDiagnostics);
  Request(OpenRequest::kDiagnostics);
  ASSERT_EQ(desk.Launches().size(), 1u);
  EXPECT_EQ(desk.Launches()[0].file, "explorer.exe");
  EXPECT_EQ(desk.Launches()[0].parameters, "/select,\"" + path + "\"");
}

namespace id = feedback_control;
const HttpAddress kService{"quillfrost.example", 443, "/feedback/api/submit", true};

using FeedbackStory = RunningShellTest;

TEST_F(FeedbackStory, TheFormChecksItsInputPostsTheDocumentAndTellsEachAnswer) {
  ChooseFromMenu(tray_command::kSendFeedback);
  SimDialogWindow* form = desk.Surfaces().Dialogs().Find("TessaryFeedback");
  ASSERT_NE(form, nullptr);
  const auto status = [&] { return form->Text(id::kStatus); };
  const auto send = [&] {
    form->Press(id::kSend);
    Pump();
  };
  EXPECT_EQ(form->Options().title, "Send Feedback");
  EXPECT_EQ(form->Items(id::kKind),
            (std::vector<std::string>{"Idea", "Problem", "Question", "Other"}));
  EXPECT_EQ(form->FocusedId(), id::kMessage);
  EXPECT_TRUE(form->Checked(id::kIncludeDetails));
  EXPECT_EQ(status(), "Read by the developer and never shared.");
  // What the form refuses: Feedback.InputIsCheckedAddressFirstThenMessage...
  send();
  EXPECT_EQ(status(), "Write a few words first.");

  form->Type(id::kMessage, "Badges flicker");
  form->Choose(id::kKind, 2);
  form->Press(id::kIncludeDetails);
  host.http.hold = true;
  send();
  EXPECT_EQ(status(), "Sending\xE2\x80\xA6");
  EXPECT_FALSE(form->Enabled(id::kSend));
  ASSERT_EQ(host.http.requests.size(), 1u);  // the refused one sent nothing
  const HttpRequest& sent = host.http.requests[0];
  EXPECT_EQ(std::tie(sent.method, sent.address, sent.contentType, sent.userAgent),
            std::tuple("POST", kService, "application/json", "Tessary-Windows/1.4.2"));
  EXPECT_EQ(sent.body, R"({"app":"tessary","platform":"windows","kind":"question",)"
                       R"("message":"Badges flicker","version":"1.4.2"})");
  // No answer from the service: Send works again.
  host.http.ReleaseHeld();
  Pump();
  EXPECT_EQ(status(), "Couldn't reach quillfrost.example. Check your connection and try again.");
  EXPECT_TRUE(form->Enabled(id::kSend));

  // An error status keeps the form, and success thanks and closes it.
  host.http.hold = false;
  host.http.Serve(kService, 503, "");
  send();
  EXPECT_EQ(status(), "The feedback service said 503.");
  // Opening it again (another process asks) brings the same form forward.
  shell->OnOpenRequest(static_cast<std::uint64_t>(OpenRequest::kFeedback));
  EXPECT_EQ(desk.Surfaces().Dialogs().Find("TessaryFeedback"), form);
  EXPECT_EQ(form->Text(id::kMessage), "Badges flicker");

  host.http.Serve(kService, 204, "");
  send();
  EXPECT_EQ(desk.Surfaces().Dialogs().Find("TessaryFeedback"), nullptr);
  ASSERT_EQ(desk.PromptsShown().size(), 1u);
  EXPECT_EQ(desk.PromptsShown()[0].caption, "Send Feedback");
  EXPECT_EQ(desk.PromptsShown()[0].text, "Thanks. Your feedback was sent.");
}

}  // namespace
}  // namespace tessary::testing
