// The main window's switchboard: window events, tray events, hotkeys, open requests,
// display changes and the Taskbar's return.

#include "shell/open_requests.h"
#include "shell_fixture.h"

namespace tessary::testing {
namespace {

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

TEST_F(RoutingTest, ClickKeyboardAndRightClickOnTheIconAndAnOpenRequestOpenTheMenu) {
  for (std::uint32_t event : {kTrayEventSelect, kTrayEventKeySelect, kTrayEventContextMenu}) {
    EXPECT_EQ(host.window.Send(msg::kTrayIcon, 1, static_cast<std::int64_t>(event) | (5 << 16)), 0);
  }
  EXPECT_EQ(host.menus.shown.size(), 3u);
  // Chosen from the keyboard the cursor is elsewhere: the menu opens at the anchor the
  // message carries (x 1880, y 1060 in wParam), an open request's at the cursor.
  host.window.Send(msg::kTrayIcon, static_cast<std::uint64_t>(PackPointParam(1880, 1060)),
                   kTrayEventKeySelect);
  ASSERT_EQ(host.menus.anchors.size(), 4u);
  EXPECT_EQ(host.menus.anchors.back(), (Point{1880, 1060}));
  Request(OpenRequest::kTrayMenu);
  ASSERT_EQ(host.menus.anchors.size(), 5u);
  EXPECT_EQ(host.menus.anchors.back(), std::nullopt);
  // A mouse move over the icon (WM_MOUSEMOVE), a balloon click and requests for nothing known
  // do nothing.
  host.window.Send(msg::kTrayIcon, 1, 0x200);
  host.window.Send(msg::kTrayIcon, 1, 0x405);
  for (std::uint64_t nothing : {0ull, 10ull, 0xFFFFFFFFull}) {
    host.window.Post(msg::kOpenRequest, nothing, 0);
  }
  Pump();
  EXPECT_EQ(host.menus.shown.size(), 5u);
  EXPECT_TRUE(Probe().opened().empty());
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
  host.window.Send(SimMainWindow::kTaskbarCreatedId);
  EXPECT_FALSE(host.tray.present);
  host.tray.RestartExplorer();
  EXPECT_TRUE(host.tray.present);
}

TEST_F(RoutingTest, OpenRequestsFromOtherProcesses) {
  Request(OpenRequest::kGallery);
  Request(OpenRequest::kTour);
  EXPECT_EQ(Probe().opened(), (std::vector<OpenTarget>{OpenTarget::kGallery, OpenTarget::kTour}));
  EXPECT_TRUE(Coord().GalleryMode());
  EXPECT_TRUE(Coord().GetPicker().Visible());
}

TEST_F(RoutingTest, HotkeysReachTheDispatcherAndUnknownMessagesTheDefault) {
  const WindowId w = AddApp({100, 100, 800, 600});
  ASSERT_TRUE(host.hotkeys.Press(kModCtrl | kModAlt, 'F'));
  Pump();
  EXPECT_EQ(desk.Frame(w), (Rect{8, 8, 1904, 1024}));
  // Keys the program does not hold do nothing.
  EXPECT_FALSE(host.hotkeys.Press(kModCtrl | kModAlt, 'Q'));
  EXPECT_EQ(host.window.Send(msg::kHotkey, 12), 0);
  EXPECT_EQ(host.window.Send(msg::kHotkey, 29), 0);
  EXPECT_EQ(desk.Frame(w), (Rect{8, 8, 1904, 1024}));

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
