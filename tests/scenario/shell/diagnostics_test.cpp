// Recording diagnostics around a drag and a placement, started from the tray menu and
// stopped by another process's request.

#include "layout/tree_geometry.h"
#include "shell/open_requests.h"
#include "shell/tray_menu.h"
#include "shell/window_command.h"
#include "shell_fixture.h"

namespace tessary::testing {
namespace {

constexpr const char* kSecretTitle = "Salaries 2027 - confidential.xlsx";

class DiagnosticsStory : public ShellTest {
 protected:
  void SetUp() override {
    SeenThisVersion();
    StartOrFail();
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
  host.menus.Answer(tray_command::kRecordDiagnostics);
  shell->ShowTrayMenu();
  ASSERT_TRUE(shell->RecordingDiagnostics());
  // The toast sets the first sentence as its title.
  EXPECT_EQ(Probe().toast()->Text(),
            (ToastText{"Recording diagnostics.",
                       "Do what went wrong, then choose Stop Recording Diagnostics in Tessary's "
                       "menu. Apps are named; window titles are left out."}));
  // The menu now offers the stop at the top level and in Help.
  host.menus.Answer(0);
  shell->ShowTrayMenu();
  EXPECT_NE(FindItem(host.menus.shown.back().items, tray_command::kStopRecording), nullptr);
  EXPECT_EQ(FindItem(host.menus.shown.back().items, tray_command::kRecordDiagnostics)->label,
            "Stop Recording Diagnostics…");

  // A drag that ends nowhere, then the Place command into the right half.
  desk.BeginTitleDrag(window, {600, 310});
  for (int i = 1; i <= 10; ++i) {
    desk.MoveCursor({600.0 + 10 * i, 310.0 + 10 * i});
    Run(0.016);
  }
  desk.Release();
  Run(0.2);
  PlaceInRightHalf();
  Run(1.0);

  desk.SetConfirmAnswer(false);  // "No": the file stays, nothing opens
  host.window.Post(main_window_message::kOpenRequest,
                   static_cast<std::uint64_t>(OpenRequest::kDiagnostics), 0);
  Pump();
  EXPECT_FALSE(shell->RecordingDiagnostics());
  ASSERT_FALSE(desk.PromptsShown().empty());
  const SimPrompt& recorded = desk.PromptsShown().back();
  EXPECT_EQ(recorded.caption, "Diagnostics Recorded");
  EXPECT_EQ(recorded.kind, SimPromptKind::kAskYesNo);
  EXPECT_EQ(recorded.icon, PromptIcon::kInformation);
  EXPECT_EQ(recorded.text.rfind("The recording is saved as\nstate", 0), 0u);
  EXPECT_TRUE(desk.Launches().empty());

  const std::string file = Recording();
  const std::string app = Coord().GetDesktop().AppNameOfWindow(window);
  EXPECT_EQ(file.rfind("\xEF\xBB\xBFTessary diagnostics, started ", 0), 0u);
  const std::size_t start = file.find("== At the start ==\r\nDisplay Studio Display: 0,0 1920x1080");
  const std::size_t steps = file.find("\r\n== Steps ==\r\n");
  const std::size_t dragged = file.find("  start ");
  const std::size_t placed = file.find("  placed ");
  const std::size_t end = file.find("\r\n== At the end (0.0 minutes) ==\r\n");
  EXPECT_LT(start, steps);
  EXPECT_LT(steps, dragged);
  EXPECT_LT(dragged, placed);
  EXPECT_LT(placed, end);
  ASSERT_NE(end, std::string::npos);
  EXPECT_NE(file.find("  no layout\r\n", start), std::string::npos);
  EXPECT_NE(file.find("  layout halves\r\n  region 0: ", end), std::string::npos);
  const Rect right =
      *PixelRegionRects(*LayoutStore::FindBuiltIn("halves"), Rect{0, 0, 1920, 1040}, 8).Get(1);
  char where[64];
  std::snprintf(where, sizeof where, ": %.0f,%.0f %.0fx%.0f", right.x, right.y, right.width,
                right.height);
  EXPECT_NE(file.find(" " + app + where, end), std::string::npos) << file;
  EXPECT_EQ(file.find(kSecretTitle), std::string::npos);
  // Every step carries its seconds: eight wide, two decimals, two blanks.
  EXPECT_EQ(file.substr(dragged - 8, 4), "    ");
  EXPECT_EQ(file[dragged - 3], '.');
}

TEST_F(DiagnosticsStory, YesShowsTheFileInExplorer) {
  shell->OnOpenRequest(static_cast<std::uint64_t>(OpenRequest::kDiagnostics));
  shell->OnOpenRequest(static_cast<std::uint64_t>(OpenRequest::kDiagnostics));
  ASSERT_EQ(desk.Launches().size(), 1u);
  EXPECT_EQ(desk.Launches()[0].file, "explorer.exe");
  EXPECT_EQ(desk.Launches()[0].parameters.rfind("/select,\"state", 0), 0u);
  EXPECT_EQ(desk.Launches()[0].parameters.back(), '"');
}

}  // namespace
}  // namespace tessary::testing
