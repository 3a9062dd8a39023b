// Recording diagnostics around a drag and a placement, started from the tray menu and
// stopped by another process's request.

#include "shell/open_requests.h"
#include "shell/tray_menu.h"
#include "shell/window_command.h"
#include "shell_fixture.h"

namespace tessary::testing {
namespace {

constexpr const char* kSecretTitle = "Salaries 2027 - confidential.xlsx";

class DiagnosticsStory : public RunningShellTest {
 protected:
  void SetUp() override {
    RunningShellTest::SetUp();
    window = desk.AddWindow({.title = kSecretTitle, .frame = {300, 300, 800, 600}});
    Run(0.05);
  }
  std::string Recording() const {
    for (const auto& [path, bytes] : files.files) {
      if (path.find("Tessary Diagnostics ") != std::string::npos) return bytes;
    }
    return {};
  }

  WindowId window{};
};

TEST_F(DiagnosticsStory, TheFileHoldsBothSnapshotsAndTheStepsBetweenButNoTitle) {
  ChooseFromMenu(tray_command::kRecordDiagnostics);
  ASSERT_TRUE(shell->RecordingDiagnostics());
  // The toast sets the first sentence as its title.
  EXPECT_EQ(Probe().toast()->Text(),
            (ToastText{"Recording diagnostics.",
                       "Do what went wrong, then choose Stop Recording Diagnostics in Tessary's "
                       "menu. Apps are named; window titles are left out."}));
  // The menu now offers the stop at the top level and in Help.
  const MenuModel& menu = ChooseFromMenu(0);
  EXPECT_NE(FindItem(menu.items, tray_command::kStopRecording), nullptr);
  EXPECT_EQ(FindItem(menu.items, tray_command::kRecordDiagnostics)->label,
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
  ASSERT_FALSE(desk.PromptsShown().empty());
  const SimPrompt& recorded = desk.PromptsShown().back();
  EXPECT_EQ(recorded.caption, "Diagnostics Recorded");
  EXPECT_EQ(recorded.kind, SimPromptKind::kAskYesNo);
  EXPECT_EQ(recorded.icon, PromptIcon::kInformation);
  EXPECT_EQ(recorded.text.rfind("The recording is saved as\nstate", 0), 0u);
  EXPECT_TRUE(desk.Launches().empty());

  // The file's own format is the recorder's; here, what the program put into it.
  const std::string file = Recording();
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

  // Recorded again and answered "Yes": Explorer shows the file.
  desk.SetConfirmAnswer(true);
  Request(OpenRequest::kDiagnostics);
  Request(OpenRequest::kDiagnostics);
  ASSERT_EQ(desk.Launches().size(), 1u);
  EXPECT_EQ(desk.Launches()[0].file, "explorer.exe");
  EXPECT_EQ(desk.Launches()[0].parameters.rfind("/select,\"state", 0), 0u);
  EXPECT_EQ(desk.Launches()[0].parameters.back(), '"');
}

}  // namespace
}  // namespace tessary::testing
