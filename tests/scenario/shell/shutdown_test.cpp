// Shutdown: in order, nothing written, and nothing left running.

#include "shell_fixture.h"

namespace tessary::testing {
namespace {

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
