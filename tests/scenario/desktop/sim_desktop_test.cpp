// The simulated desktop's own Windows-like behaviour, which the engine's stories rely on.

#include "desk_fixture.h"

namespace tessary {
namespace {

using SimBehaviour = DeskTest;

TEST_F(SimBehaviour, InvisibleBordersScaleWithTheDisplay) {
  WindowId w = desk.AddWindow({.frame = {100, 100, 800, 600}});
  EXPECT_EQ(desk.WindowRect(w), (Rect{93, 100, 814, 607}));

  MonitorId hiDpi = desk.AddDisplay({.bounds = {1920, 0, 2880, 1620}, .scale = 1.5});
  (void)hiDpi;
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

TEST_F(SimBehaviour, TitleDragRaisesMoveSizeEventsAndTheWindowFollows) {
  WindowId other = desk.AddWindow({});
  WindowId w = desk.AddWindow({.frame = {100, 100, 800, 600}, .activate = false});
  ASSERT_EQ(desk.Foreground(), other);
  RecordEvents();
  Platform p = desk.platform();

  desk.BeginTitleDrag(w, {400, 115});
  EXPECT_TRUE(p.input.IsKeyDown(Key::kLeftButton));
  EXPECT_TRUE(events.empty());  // events arrive through the message loop
  desk.Pump();
  EXPECT_EQ(EventKinds(), (std::vector<WindowEventKind>{WindowEventKind::kForeground,
                                                        WindowEventKind::kMoveSizeStart}));
  desk.MoveCursor({900, 30});
  EXPECT_EQ(desk.Frame(w), (Rect{600, 15, 800, 600}));
  desk.Release();
  desk.Advance(0.015);
  EXPECT_EQ(events.back().kind, WindowEventKind::kMoveSizeEnd);
  EXPECT_EQ(events.back().window, w);
  EXPECT_FALSE(p.input.IsKeyDown(Key::kLeftButton));
  desk.MoveCursor({0, 0});
  EXPECT_EQ(desk.Frame(w), (Rect{600, 15, 800, 600}));
}

TEST_F(SimBehaviour, DragWithoutSystemEvents) {
  WindowId w = desk.AddWindow({});
  RecordEvents();
  desk.BeginTitleDrag(w, {400, 115}, {.raiseEvents = false});
  desk.MoveCursor({500, 115});
  desk.Release();
  desk.Pump();
  EXPECT_TRUE(events.empty());
  EXPECT_EQ(desk.Frame(w).x, 200);
}

TEST_F(SimBehaviour, DraggedMaximizedWindowRestoresUnderTheCursor) {
  WindowId w = desk.AddWindow({.frame = {300, 200, 800, 600}, .maximized = true});
  desk.BeginTitleDrag(w, {960, 10});  // the middle of the title bar
  EXPECT_TRUE(desk.IsMaximized(w));
  desk.MoveCursor({1000, 40});
  EXPECT_FALSE(desk.IsMaximized(w));
  // Half way along the width stays under the cursor; the grab height is kept.
  EXPECT_EQ(desk.Frame(w), (Rect{600, 30, 800, 600}));
  desk.MoveCursor({1010, 50});
  EXPECT_EQ(desk.Frame(w), (Rect{610, 40, 800, 600}));
  desk.Release();
}

TEST_F(SimBehaviour, EscapeInTheMoveLoopPutsTheWindowBack) {
  WindowId w = desk.AddWindow({.frame = {100, 100, 800, 600}});
  RecordEvents();
  desk.BeginTitleDrag(w, {400, 115});
  desk.MoveCursor({900, 300});
  desk.TapKey(Key::kEscape);
  EXPECT_FALSE(desk.Dragging());
  EXPECT_EQ(desk.Frame(w), (Rect{100, 100, 800, 600}));
  desk.Pump();
  EXPECT_EQ(events.back().kind, WindowEventKind::kMoveSizeEnd);
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

TEST_F(SimBehaviour, LateSettlingAppCarriesOutMovesFramesLater) {
  Platform p = desk.platform();
  WindowId w = desk.AddWindow({.frame = {100, 100, 800, 600}, .settleFrames = 3});
  p.windows.SetPosition(w, {.x = 493, .y = 100, .width = 814, .height = 607, .async = true});
  EXPECT_EQ(desk.Frame(w).x, 100);
  desk.Advance(2.5 * SimDesktop::FramePeriod());
  EXPECT_EQ(desk.Frame(w).x, 100);
  desk.Advance(SimDesktop::FramePeriod());
  EXPECT_EQ(desk.Frame(w).x, 500);

  // Without the async flag the caller waits for the app.
  double before = desk.Now();
  p.windows.SetPosition(w, {.x = 93, .y = 100, .width = 814, .height = 607});
  EXPECT_EQ(desk.Frame(w).x, 100);
  EXPECT_NEAR(desk.Now() - before, 3 * SimDesktop::FramePeriod(), 1e-9);
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

TEST_F(SimBehaviour, FrameWaitAdvancesToTheNextFrame) {
  Platform p = desk.platform();
  double start = p.clock.Now();
  EXPECT_TRUE(p.clock.WaitForFrame());
  double first = p.clock.Now();
  EXPECT_GT(first, start);
  EXPECT_TRUE(p.clock.WaitForFrame());
  EXPECT_NEAR(p.clock.Now() - first, SimDesktop::FramePeriod(), 1e-9);
  desk.SetCompositionAvailable(false);
  double before = p.clock.Now();
  EXPECT_FALSE(p.clock.WaitForFrame());
  EXPECT_EQ(p.clock.Now(), before);
}

TEST_F(SimBehaviour, OtherProcessesActDuringBlockingWaits) {
  Platform p = desk.platform();
  WindowId w = desk.AddWindow({});
  RecordEvents();
  desk.After(0.05, [&] { desk.CloseWindow(w); });
  p.clock.Sleep(100);
  EXPECT_FALSE(desk.Exists(w));
  EXPECT_TRUE(events.empty());  // the hook's report waits for the message loop
  desk.Pump();
  EXPECT_EQ(events.back().kind, WindowEventKind::kDestroy);
}

TEST_F(SimBehaviour, CallsAreCountedByKind) {
  WindowId w = desk.AddWindow({});
  desk.ResetCalls();
  desktop.FrameBounds(w);
  desktop.FrameBounds(w);
  EXPECT_EQ(desk.Calls("ExtendedFrameBounds"), 2);
  EXPECT_EQ(desk.Calls("WindowRect"), 0);
  EXPECT_EQ(desk.TotalCalls(), 2);
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
