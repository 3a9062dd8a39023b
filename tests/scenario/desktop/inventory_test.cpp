#include "desk_fixture.h"

namespace tessary {
namespace {

using Inventory = DeskTest;

TEST_F(Inventory, WhichWindowsAreManageable) {
  WindowId owner = desk.AddWindow({});
  const struct {
    const char* what;
    SimWindowSetup setup;
    bool manageable;
  } cases[] = {
      {"ordinary", {}, true},
      {"hidden", {.visible = false}, false},
      {"minimized", {.minimized = true}, false},
      {"cloaked", {.cloaked = true}, false},
      {"tool", {.exStyle = window_ex_style::kToolWindow}, false},
      {"no-activate", {.exStyle = window_ex_style::kNoActivate}, false},
      {"owned", {.owner = owner}, false},
      {"owned app window", {.exStyle = window_ex_style::kAppWindow, .owner = owner}, true},
      {"child", {.parent = owner}, false},
      {"sizing border only", {.style = window_style::kPopup | window_style::kThickFrame}, true},
      {"caption only", {.style = window_style::kCaption}, true},
      {"half a caption", {.style = window_style::kPopup | window_style::kBorder}, false},
      {"popup", {.style = window_style::kPopup}, false},
      {"own process", {.process = desk.OwnProcess()}, false},
      {"80 x 50", {.frame = {10, 10, 80, 50}}, true},
      {"79 wide", {.frame = {10, 10, 79, 50}}, false},
      {"49 high", {.frame = {10, 10, 80, 49}}, false},
      {"Progman", {.className = "Progman"}, false},
      {"WorkerW", {.className = "WorkerW"}, false},
      {"Shell_TrayWnd", {.className = "Shell_TrayWnd"}, false},
      {"Shell_SecondaryTrayWnd", {.className = "Shell_SecondaryTrayWnd"}, false},
      {"CoreWindow", {.className = "Windows.UI.Core.CoreWindow"}, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(desktop.IsManageable(desk.AddWindow(c.setup)), c.manageable) << c.what;
  }
}

TEST_F(Inventory, ManageableWindowsFrontMostFirstReadAfreshCheapTestsFirst) {
  WindowId back = desk.AddWindow({});
  desk.AddWindow({.exStyle = window_ex_style::kToolWindow});
  WindowId front = desk.AddWindow({});
  WindowId hidden = desk.AddWindow({.visible = false});
  desk.ResetCalls();
  EXPECT_FALSE(desktop.IsManageable(hidden));
  EXPECT_EQ(desk.Calls("ClassName"), 0);
  EXPECT_EQ(desk.Calls("ExtendedFrameBounds"), 0);
  EXPECT_EQ(desktop.ManageableWindows(), (std::vector<WindowId>{front, back}));
  desk.Activate(back);
  EXPECT_EQ(desktop.ManageableWindows(), (std::vector<WindowId>{back, front}));
  desk.CloseWindow(back);
  EXPECT_EQ(desktop.ManageableWindows(), (std::vector<WindowId>{front}));
  desk.SetVisible(hidden, true);
  EXPECT_TRUE(desktop.IsManageable(hidden));
}

TEST_F(Inventory, OnlyClassIsReadOnceAndAnEmptyValueCountsAsUnset) {
  desk.SetEnvironment("TESSARY_ONLY_CLASS", "Notepad");
  WindowId notepad = desk.AddWindow({.className = "Notepad"});
  WindowId other = desk.AddWindow({.className = "Chrome_WidgetWin_1"});
  EXPECT_TRUE(desktop.IsManageable(notepad));
  EXPECT_FALSE(desktop.IsManageable(other));
  desk.SetEnvironment("TESSARY_ONLY_CLASS", std::nullopt);
  EXPECT_FALSE(desktop.IsManageable(other));  // still filtered until restart
  EXPECT_EQ(desk.Calls("EnvironmentVariable"), 1);

  Desktop fresh(desk.platform());
  desk.SetEnvironment("TESSARY_ONLY_CLASS", "");
  EXPECT_TRUE(fresh.IsManageable(other));
}

}  // namespace
}  // namespace tessary
