// Shutdown: in order, nothing written, and nothing left running.

#include "shell_fixture.h"

namespace tessary::testing {
namespace {

TEST_F(ShellTest, ShutdownRunsInItsOrderAndWritesNothing) {
  StoreSettings(R"({"lastSeenVersion":"1.4.2","mouseShortcuts":{"fill":{"button":4,"mods":0}}})");
  StartOrFail();
  const WindowId app = AddApp({200, 150, 800, 600});
  Run(0.05);
  desk.BeginTitleDrag(app, {500, 160});
  Run(0.05);
  desk.MoveCursor({960, 4});
  Run(0.2);
  ASSERT_TRUE(shell->GetCoordinator().DragActive());
  ASSERT_TRUE(host.mouseHook.Running());
  host.ClearJournal();
  const int writes = files.writes;
  const int uninstalls = desk.Calls("UninstallEvents");

  host.menus.Answer(103);
  shell->ShowTrayMenu();

  EXPECT_EQ(Journal(), (std::vector<std::string>{"menu", "destroy main window", "mouse hook stop",
                                                 "tray remove", "quit 0"}));
  EXPECT_EQ(desk.Calls("UninstallEvents"), uninstalls + 1);
  EXPECT_FALSE(shell->GetCoordinator().DragActive());
  EXPECT_FALSE(shell->GetCoordinator().GetPicker().Visible());
  EXPECT_FALSE(host.tray.present);
  EXPECT_EQ(files.writes, writes);
  EXPECT_FALSE(shell->Running());
  // "shutdown" is logged after the hooks went and before the drag is cancelled.
  EXPECT_TRUE(log.Contains("shutdown"));

  // Posted messages and timers after the window went do nothing.
  desk.Release();
  Run(2.0);
  EXPECT_EQ(shell->Finish(), 0);
  EXPECT_TRUE(host.Session()->mutexes.empty());
}

TEST_F(ShellTest, ShutdownEndsAMouseCapture) {
  SeenThisVersion();
  StartOrFail();
  shell->BeginMouseCapture(2);
  ASSERT_TRUE(host.mouseHook.Running());
  host.window.Destroy();
  EXPECT_FALSE(host.mouseHook.Running());
  EXPECT_FALSE(shell->CapturingCommand().has_value());
}

}  // namespace
}  // namespace tessary::testing
