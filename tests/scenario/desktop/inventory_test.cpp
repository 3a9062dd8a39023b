#include "desk_fixture.h"

namespace tessary {
namespace {

using Inventory = DeskTest;

TEST_F(Inventory, OrdinaryWindowIsManageable) {
  WindowId w = desk.AddWindow({});
  EXPECT_TRUE(desktop.IsManageable(w));
}

TEST_F(Inventory, HiddenMinimizedCloakedToolAndNoActivateWindowsAreNot) {
  WindowId hidden = desk.AddWindow({.visible = false});
  WindowId minimized = desk.AddWindow({.minimized = true});
  WindowId cloaked = desk.AddWindow({.cloaked = true});
  WindowId tool = desk.AddWindow({.exStyle = window_ex_style::kToolWindow});
  WindowId noActivate = desk.AddWindow({.exStyle = window_ex_style::kNoActivate});
  for (WindowId w : {hidden, minimized, cloaked, tool, noActivate}) {
    EXPECT_FALSE(desktop.IsManageable(w)) << ToNumber(w);
  }
  desk.Restore(minimized);
  desk.SetCloaked(cloaked, false);
  desk.SetVisible(hidden, true);
  EXPECT_TRUE(desktop.IsManageable(minimized));
  EXPECT_TRUE(desktop.IsManageable(cloaked));
  EXPECT_TRUE(desktop.IsManageable(hidden));
}

TEST_F(Inventory, OwnedWindowsNeedTheAppWindowStyle) {
  WindowId owner = desk.AddWindow({});
  WindowId dialog = desk.AddWindow({.owner = owner});
  WindowId appDialog = desk.AddWindow({.exStyle = window_ex_style::kAppWindow, .owner = owner});
  EXPECT_FALSE(desktop.IsManageable(dialog));
  EXPECT_TRUE(desktop.IsManageable(appDialog));
}

TEST_F(Inventory, ChildWindowIsNot) {
  WindowId parent = desk.AddWindow({});
  WindowId child = desk.AddWindow({.parent = parent});
  EXPECT_FALSE(desktop.IsManageable(child));
}

TEST_F(Inventory, NeedsASizingBorderOrAFullCaption) {
  WindowId borderOnly = desk.AddWindow({.style = window_style::kPopup | window_style::kThickFrame});
  WindowId captionOnly = desk.AddWindow({.style = window_style::kCaption});
  WindowId halfCaption = desk.AddWindow({.style = window_style::kPopup | window_style::kBorder});
  WindowId popup = desk.AddWindow({.style = window_style::kPopup});
  EXPECT_TRUE(desktop.IsManageable(borderOnly));
  EXPECT_TRUE(desktop.IsManageable(captionOnly));
  EXPECT_FALSE(desktop.IsManageable(halfCaption));
  EXPECT_FALSE(desktop.IsManageable(popup));
}

TEST_F(Inventory, OwnWindowsAreNeverManaged) {
  WindowId own = desk.AddWindow({.process = desk.OwnProcess()});
  EXPECT_FALSE(desktop.IsManageable(own));
}

TEST_F(Inventory, DesktopAndTaskBarsAreNot) {
  for (const char* name : {"Progman", "WorkerW", "Shell_TrayWnd", "Shell_SecondaryTrayWnd",
                           "Windows.UI.Core.CoreWindow"}) {
    WindowId w = desk.AddWindow({.className = name});
    EXPECT_FALSE(desktop.IsManageable(w)) << name;
  }
}

TEST_F(Inventory, FrameMustBeAtLeast80By50) {
  WindowId exact = desk.AddWindow({.frame = {10, 10, 80, 50}});
  WindowId narrow = desk.AddWindow({.frame = {10, 10, 79, 50}});
  WindowId low = desk.AddWindow({.frame = {10, 10, 80, 49}});
  EXPECT_TRUE(desktop.IsManageable(exact));
  EXPECT_FALSE(desktop.IsManageable(narrow));
  EXPECT_FALSE(desktop.IsManageable(low));
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

TEST_F(Inventory, ManageableWindowsFrontMostFirst) {
  WindowId back = desk.AddWindow({});
  WindowId tool = desk.AddWindow({.exStyle = window_ex_style::kToolWindow});
  WindowId front = desk.AddWindow({});
  WindowId minimized = desk.AddWindow({.minimized = true});
  EXPECT_EQ(desktop.ManageableWindows(), (std::vector<WindowId>{front, back}));
  desk.Activate(back);
  EXPECT_EQ(desktop.ManageableWindows(), (std::vector<WindowId>{back, front}));
  (void)tool;
  (void)minimized;
}

TEST_F(Inventory, ClosedWindowStopsBeingManageable) {
  WindowId w = desk.AddWindow({});
  desk.CloseWindow(w);
  EXPECT_FALSE(desktop.IsManageable(w));
  EXPECT_TRUE(desktop.ManageableWindows().empty());
}

TEST_F(Inventory, CheapTestsComeBeforeClassAndFrame) {
  WindowId hidden = desk.AddWindow({.visible = false});
  desk.ResetCalls();
  EXPECT_FALSE(desktop.IsManageable(hidden));
  EXPECT_EQ(desk.Calls("ClassName"), 0);
  EXPECT_EQ(desk.Calls("ExtendedFrameBounds"), 0);
}

}  // namespace
}  // namespace tessary
