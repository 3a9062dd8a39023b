// The simulated desktop's own Windows-like behaviour that the engine's stories rely on
// without showing it: what a maximized window covers, when timers fire, the coordinates
// of a window's placement, and where a removed display's windows go. The numbers here are
// Windows' own. What the stories exercise anyway (borders, minimum sizes, the Escape
// watch, drags, settling apps) is left to them.

#include "desk_fixture.h"

namespace tessary {
namespace {

using SimBehaviour = DeskTest;

TEST_F(SimBehaviour, MaximizedWindowFillsTheWorkAreaWithBordersHangingOver) {
  WindowId w = desk.AddWindow({.maximized = true});
  EXPECT_EQ(desk.Frame(w), (Rect{0, 0, 1920, 1040}));
  EXPECT_EQ(desk.WindowRect(w), (Rect{-8, -8, 1936, 1056}));
  EXPECT_EQ(desk.NormalFrame(w), (Rect{100, 100, 800, 600}));
  desk.Restore(w);
  EXPECT_EQ(desk.Frame(w), (Rect{100, 100, 800, 600}));
}

TEST_F(SimBehaviour, TimersFireInOrderAndOnlyFromTheMessageLoop) {
  Platform p = desk.platform();
  std::vector<int> fired;
  p.timers.SetTimerHandler([&](int id) { fired.push_back(id); });
  p.timers.Start(1, 15);
  p.timers.Start(2, 50);
  p.timers.Start(8, 100);
  desk.Advance(0.1);
  // 2 and 8 are both due at 100 ms: 2 was started first.
  EXPECT_EQ(fired, (std::vector<int>{1, 1, 1, 2, 1, 1, 1, 2, 8}));

  // A blocking wait does not let timers fire; afterwards a late timer fires once.
  fired.clear();
  p.clock.Sleep(100);
  EXPECT_TRUE(fired.empty());
  desk.Advance(0.001);
  EXPECT_EQ(fired, (std::vector<int>{1, 2, 8}));
}

TEST_F(SimBehaviour, PlacementSpeaksWorkspaceCoordinates) {
  desk.SetWorkArea(primary, {0, 40, 1920, 1040});
  WindowId w = desk.AddWindow({.frame = {100, 140, 800, 600}, .maximized = true});
  std::optional<WindowPlacement> placement = desk.platform().windows.Placement(w);
  ASSERT_TRUE(placement);
  EXPECT_EQ(placement->show, ShowCommand::kMaximized);
  EXPECT_EQ(placement->left, 93);
  EXPECT_EQ(placement->top, 100);
  EXPECT_EQ(placement->bottom, 707);
}

TEST_F(SimBehaviour, RemovedDisplaysWindowsMoveToTheFirstDisplay) {
  MonitorId second = desk.AddDisplay({.bounds = {1920, 0, 1920, 1080}});
  WindowId w = desk.AddWindow({.frame = {2100, 100, 800, 600}});
  desk.RemoveDisplay(second);
  EXPECT_EQ(desk.Frame(w), (Rect{0, 0, 800, 600}));
}

}  // namespace
}  // namespace tessary
