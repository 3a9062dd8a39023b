// The simulated desktop's own Windows-like behaviour, which the engine's stories rely on:
// the numbers here are Windows' own. What the stories exercise anyway (drags, the move
// loop, settling apps, frame waits) is left to them.

#include "desk_fixture.h"

namespace tessary {
namespace {

using SimBehaviour = DeskTest;

TEST_F(SimBehaviour, InvisibleBordersScaleWithTheDisplay) {
  WindowId w = desk.AddWindow({.frame = {100, 100, 800, 600}});
  EXPECT_EQ(desk.WindowRect(w), (Rect{93, 100, 814, 607}));

  desk.AddDisplay({.bounds = {1920, 0, 2880, 1620}, .scale = 1.5});
  WindowId v = desk.AddWindow({.frame = {2000, 100, 800, 600}});
  EXPECT_EQ(desk.WindowRect(v), (Rect{1989, 100, 822, 611}));  // round(10.5) = 11

  WindowId borderless = desk.AddWindow({.frame = {100, 100, 800, 600}, .invisibleBorders = false});
  EXPECT_EQ(desk.WindowRect(borderless), (Rect{100, 100, 800, 600}));
}

TEST_F(SimBehaviour, MaximizedWindowFillsTheWorkAreaWithBordersHangingOver) {
  WindowId w = desk.AddWindow({.maximized = true});
  EXPECT_EQ(desk.Frame(w), (Rect{0, 0, 1920, 1040}));
  EXPECT_EQ(desk.WindowRect(w), (Rect{-8, -8, 1936, 1056}));
  EXPECT_EQ(desk.NormalFrame(w), (Rect{100, 100, 800, 600}));
  desk.Restore(w);
  EXPECT_EQ(desk.Frame(w), (Rect{100, 100, 800, 600}));
}

TEST_F(SimBehaviour, SetPositionClampsToTheAppsMinimumAndSizeSteps) {
  Platform p = desk.platform();
  WindowId w = desk.AddWindow({.minWidth = 500, .minHeight = 300});
  EXPECT_TRUE(p.windows.SetPosition(w, {.x = 10, .y = 20, .width = 214, .height = 107}));
  EXPECT_EQ(desk.Frame(w), (Rect{17, 20, 500, 300}));  // top-left holds, size clamps

  WindowId terminal = desk.AddWindow({.widthStep = 9, .heightStep = 19});
  p.windows.SetPosition(terminal, {.x = 0, .y = 0, .width = 14 + 905, .height = 7 + 400});
  EXPECT_EQ(desk.Frame(terminal), (Rect{7, 0, 900, 399}));
}

TEST_F(SimBehaviour, EscapeWatchSwallowsUntaggedEscapeOnly) {
  Platform p = desk.platform();
  WindowId w = desk.AddWindow({.frame = {100, 100, 800, 600}});
  int pressed = 0;
  p.input.StartEscapeWatch([&] { ++pressed; });
  desk.BeginTitleDrag(w, {400, 115});
  desk.MoveCursor({900, 300});
  desk.TapKey(Key::kEscape);
  EXPECT_TRUE(desk.Dragging());  // the move loop never saw it
  EXPECT_EQ(pressed, 0);         // posted, not yet delivered
  desk.Pump();
  EXPECT_EQ(pressed, 1);

  // The program's own tagged Escape passes the watch and reaches the move loop.
  p.keys.Send({{Key::kEscape, false}, {Key::kEscape, true}});
  EXPECT_FALSE(desk.Dragging());
  EXPECT_EQ(desk.Frame(w), (Rect{100, 100, 800, 600}));
  p.input.StopEscapeWatch();
  desk.TapKey(Key::kEscape);
  desk.Pump();
  EXPECT_EQ(pressed, 1);
  ASSERT_FALSE(desk.KeysReceived(w).empty());
  EXPECT_FALSE(desk.KeysReceived(w).back().injected);
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

  p.timers.Stop(1);
  p.timers.Stop(2);
  p.timers.Start(8, 1);  // raised to the system's 10 ms minimum
  fired.clear();
  desk.Advance(0.035);
  EXPECT_EQ(fired.size(), 3u);
}

TEST_F(SimBehaviour, PlacementSpeaksWorkspaceCoordinates) {
  desk.SetWorkArea(primary, {0, 40, 1920, 1040});
  Platform p = desk.platform();
  WindowId w = desk.AddWindow({.frame = {100, 140, 800, 600}, .maximized = true});
  std::optional<WindowPlacement> placement = p.windows.Placement(w);
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
