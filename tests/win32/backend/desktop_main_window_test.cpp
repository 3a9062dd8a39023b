// What reaches the program through its main window: timer ticks, the Escape watch's
// reports and the other applications' window events, all from the message loop.

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <vector>

#include "platform/win32/handles.h"
#include "platform/win32/win32_platform.h"
#include "window_host_client.h"

namespace tessary {
namespace {

Win32Platform* g_backend = nullptr;

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (g_backend != nullptr &&
      g_backend->HandleMainWindowMessage(window, message, wParam, lParam, &result)) {
    return result;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

// A hidden main window like the program's, with the backend attached to it.
class Win32MainWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = MainWindowProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"TessaryTestMain";
    RegisterClassExW(&windowClass);  // fails harmlessly when registered by an earlier test
    main_ = CreateWindowExW(WS_EX_TOOLWINDOW, L"TessaryTestMain", L"Tessary", WS_POPUP, 0, 0, 0, 0,
                            nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(main_, nullptr);
    g_backend = &backend_;
    backend_.AttachMainWindow(main_);
  }
  void TearDown() override {
    backend_.platform().input.StopEscapeWatch();
    backend_.platform().events.Uninstall();
    DestroyWindow(main_);
    g_backend = nullptr;
  }

  Win32Platform backend_;
  HWND main_ = nullptr;
};

TEST_F(Win32MainWindow, TimerTicksArriveWithTheirIdsUntilStopped) {
  Timers& timers = backend_.platform().timers;
  std::vector<int> ticks;
  timers.SetTimerHandler([&](int id) { ticks.push_back(id); });
  ASSERT_TRUE(timers.Start(7, 10));
  ASSERT_TRUE(timers.Start(3, 10));
  ASSERT_TRUE(testing::PumpMessagesUntil([&] {
    return std::count(ticks.begin(), ticks.end(), 7) >= 2 &&
           std::count(ticks.begin(), ticks.end(), 3) >= 1;
  }));
  timers.Stop(7);
  timers.Stop(3);
  // Whatever was already queued has been taken by now; nothing follows.
  testing::PumpMessagesUntil([] { return false; }, 0.05);
  ticks.clear();
  testing::PumpMessagesUntil([] { return false; }, 0.1);
  EXPECT_TRUE(ticks.empty());

  EXPECT_FALSE(timers.Start(0, 10));  // id 0 is no timer
  Win32Platform detached;
  EXPECT_FALSE(detached.platform().timers.Start(7, 10));  // no window to own it
}

TEST_F(Win32MainWindow, TheEscapeWatchReportsForeignEscapesAndLetsItsOwnPass) {
  int reported = 0;
  ASSERT_TRUE(backend_.platform().input.StartEscapeWatch([&] { ++reported; }));

  // The program's own Escape first (tagged), then a user's: only the user's is reported.
  ASSERT_TRUE(backend_.platform().keys.Send({{Key::kEscape, false}, {Key::kEscape, true}}));
  INPUT user[2] = {};
  user[0].type = INPUT_KEYBOARD;
  user[0].ki.wVk = VK_ESCAPE;
  user[1] = user[0];
  user[1].ki.dwFlags = KEYEVENTF_KEYUP;
  ASSERT_EQ(SendInput(2, user, sizeof(INPUT)), 2u);

  ASSERT_TRUE(testing::PumpMessagesUntil([&] { return reported >= 1; }));
  testing::PumpMessagesUntil([] { return false; }, 0.1);
  EXPECT_EQ(reported, 1);

  backend_.platform().input.StopEscapeWatch();
  ASSERT_EQ(SendInput(2, user, sizeof(INPUT)), 2u);
  testing::PumpMessagesUntil([] { return false; }, 0.2);
  EXPECT_EQ(reported, 1);
}

TEST_F(Win32MainWindow, OtherApplicationsWindowEventsReachTheSinkFromTheMessageLoop) {
  std::vector<WindowEvent> events;
  ASSERT_TRUE(
      backend_.platform().events.Install([&](const WindowEvent& e) { events.push_back(e); }));
  testing::WindowHost& host = testing::WindowHost::Get();
  HWND window = host.Create("normal");
  ASSERT_NE(window, nullptr);
  testing::PumpMessagesUntil([] { return false; }, 0.2);  // whatever the system raised itself
  events.clear();

  // This process's own windows are never reported.
  HWND own = CreateWindowExW(0, L"STATIC", L"own", WS_OVERLAPPEDWINDOW, 0, 0, 200, 200, nullptr,
                             nullptr, nullptr, nullptr);
  NotifyWinEvent(EVENT_SYSTEM_MOVESIZESTART, own, OBJID_WINDOW, CHILDID_SELF);

  // The host raises each hooked event once, plus one that is not hooked and one about a
  // part of the window; Wine raises few of these itself, Windows raises them all.
  const DWORD raised[] = {EVENT_SYSTEM_MOVESIZESTART,  EVENT_OBJECT_NAMECHANGE,
                          EVENT_SYSTEM_MOVESIZEEND,    EVENT_SYSTEM_FOREGROUND,
                          EVENT_SYSTEM_MINIMIZESTART,  EVENT_SYSTEM_MINIMIZEEND,
                          EVENT_OBJECT_SHOW,           EVENT_OBJECT_HIDE,
                          EVENT_OBJECT_LOCATIONCHANGE, EVENT_OBJECT_DESTROY};
  for (DWORD event : raised) ASSERT_TRUE(host.RaiseEvent(event, window, OBJID_WINDOW));
  ASSERT_TRUE(host.RaiseEvent(EVENT_OBJECT_LOCATIONCHANGE, window, OBJID_CARET));
  ASSERT_TRUE(host.RaiseEvent(EVENT_SYSTEM_MOVESIZESTART, window, OBJID_WINDOW));
  // Nothing arrives while the main thread is busy elsewhere.
  EXPECT_TRUE(events.empty());

  ASSERT_TRUE(testing::PumpMessagesUntil([&] { return events.size() >= 10; }));
  testing::PumpMessagesUntil([] { return false; }, 0.1);
  std::vector<WindowEventKind> kinds;
  for (const WindowEvent& e : events) {
    EXPECT_EQ(e.window, ToWindowId(window));
    kinds.push_back(e.kind);
  }
  using K = WindowEventKind;
  EXPECT_EQ(kinds, (std::vector<K>{K::kMoveSizeStart, K::kMoveSizeEnd, K::kForeground,
                                   K::kMinimizeStart, K::kMinimizeEnd, K::kShow, K::kHide,
                                   K::kLocationChange, K::kDestroy, K::kMoveSizeStart}));
  DestroyWindow(own);

  backend_.platform().events.Uninstall();
  events.clear();
  ASSERT_TRUE(host.RaiseEvent(EVENT_SYSTEM_MOVESIZESTART, window, OBJID_WINDOW));
  testing::PumpMessagesUntil([] { return false; }, 0.2);
  EXPECT_TRUE(events.empty());
  PostMessageW(window, WM_CLOSE, 0, 0);
}

}  // namespace
}  // namespace tessary
