// What reaches the program through its main window: timer ticks, the Escape watch's
// reports and the other applications' window events, all from the message loop.

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "base/log.h"
#include "platform/win32/handles.h"
#include "platform/win32/win32_platform.h"
#include "win32/plain_window.h"
#include "win32/user_input.h"
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
    main_ = testing::ThrowawayWindow();
    ASSERT_NE(main_, nullptr);
    SetWindowLongPtrW(main_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&MainWindowProc));
    g_backend = &backend_;
    backend_.AttachMainWindow(main_);
  }
  // The backend's hooks end with it.
  void TearDown() override {
    DestroyWindow(main_);
    g_backend = nullptr;
  }

  Win32Platform backend_;
  HWND main_ = nullptr;
};

// (Ticks of several timers, each with its id: every e2e drag story, which runs on them.)
TEST_F(Win32MainWindow, TimerTicksEndWhenStopped) {
  Timers& timers = backend_.platform().timers;
  std::vector<int> ticks;
  timers.SetTimerHandler([&](int id) { ticks.push_back(id); });
  ASSERT_TRUE(timers.Start(7, 10));
  ASSERT_TRUE(testing::PumpMessagesUntil([&] { return !ticks.empty(); }));
  EXPECT_EQ(ticks.front(), 7);
  timers.Stop(7);
  // Whatever was already queued has been taken by now; nothing follows.
  testing::PumpMessagesFor(0.05);
  ticks.clear();
  testing::PumpMessagesFor(0.1);
  EXPECT_TRUE(ticks.empty());

  EXPECT_FALSE(timers.Start(0, 10));  // id 0 is no timer
  Win32Platform detached;
  EXPECT_FALSE(detached.platform().timers.Start(7, 10));  // no window to own it
}

TEST_F(Win32MainWindow, TheEscapeWatchReportsOnlyTheUsersPlainEscape) {
  int reported = 0;
  ASSERT_TRUE(backend_.platform().input.StartEscapeWatch([&] { ++reported; }));

  // The program's own Escape (tagged) and the system's Alt+Escape pass; then a user's
  // plain Escape is reported.
  ASSERT_TRUE(backend_.platform().keys.Send({{Key::kEscape, false}, {Key::kEscape, true}}));
  ASSERT_TRUE(testing::SendKey(VK_ESCAPE, true));
  ASSERT_TRUE(testing::SendKey(VK_ESCAPE));

  ASSERT_TRUE(testing::PumpMessagesUntil([&] { return reported >= 1; }));
  testing::PumpMessagesFor(0.1);
  EXPECT_EQ(reported, 1);

  backend_.platform().input.StopEscapeWatch();
  ASSERT_TRUE(testing::SendKey(VK_ESCAPE));
  testing::PumpMessagesFor(0.2);
  EXPECT_EQ(reported, 1);
}

// A hook thread that hangs must not hang the program: starting gives up, and stopping
// leaves the thread, after at most a second each.
TEST_F(Win32MainWindow, AHungEscapeHookThreadCostsAtMostASecond) {
  HANDLE release = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  for (const bool answers : {false, true}) {
    Win32Input input([release, answers](const HookThread::Ready& ready) {
      if (answers) ready(true);
      WaitForSingleObject(release, 20000);  // never looks at its queue
    });
    input.Attach(main_);
    ULONGLONG start = GetTickCount64();
    EXPECT_EQ(input.StartEscapeWatch([] {}), answers);
    const ULONGLONG starting = GetTickCount64() - start;
    start = GetTickCount64();
    input.StopEscapeWatch();
    const ULONGLONG stopping = GetTickCount64() - start;
    EXPECT_GE(answers ? stopping : starting, 900u) << answers;
    EXPECT_LE(starting + stopping, 1500u) << answers;
  }
  SetEvent(release);
  CloseHandle(release);
}

// Run twice: with every hook, and with the foreground hook refused by the system, where
// the other hooks stay and the log names the one that failed.
TEST_F(Win32MainWindow, OtherApplicationsWindowEventsReachTheSinkFromTheMessageLoop) {
  Win32WindowEvents refusing([](DWORD first, DWORD last, WINEVENTPROC callback) {
    return first == EVENT_SYSTEM_FOREGROUND
               ? nullptr
               : SetWinEventHook(first, last, nullptr, callback, 0, 0, WINEVENT_OUTOFCONTEXT);
  });
  std::string log;
  LogEnvironment capture;
  capture.readLogVariable = [] { return std::optional<std::string>("captured"); };
  capture.appendToFile = [&](const std::string&, std::string_view line) { log += line; };
  testing::WindowHost& host = testing::WindowHost::Get();
  HWND window = host.Create("normal");
  ASSERT_NE(window, nullptr);
  HWND control = host.Create("child");
  ASSERT_NE(control, nullptr);
  using K = WindowEventKind;
  for (WindowEvents* hooks : {static_cast<WindowEvents*>(&backend_.platform().events),
                              static_cast<WindowEvents*>(&refusing)}) {
    const bool refused = hooks == &refusing;
    std::vector<WindowEvent> events;
    InstallLogEnvironment(capture);
    EXPECT_EQ(hooks->Install([&](const WindowEvent& e) { events.push_back(e); }), !refused);
    InstallLogEnvironment({});
    EXPECT_EQ(log.find("window event hook foreground could not") != std::string::npos, refused);
    testing::PumpMessagesFor(0.2);  // whatever the system raised itself
    events.clear();

    // This process's own windows are never reported.
    HWND own = testing::ThrowawayWindow(WS_OVERLAPPEDWINDOW);
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
    // A control inside a window moving says nothing about where windows stand.
    ASSERT_TRUE(host.RaiseEvent(EVENT_OBJECT_LOCATIONCHANGE, control, OBJID_WINDOW));
    ASSERT_TRUE(host.RaiseEvent(EVENT_SYSTEM_MOVESIZESTART, window, OBJID_WINDOW));
    // Nothing arrives while the main thread is busy elsewhere.
    EXPECT_TRUE(events.empty());

    std::vector<K> expected{K::kMoveSizeStart, K::kMoveSizeEnd,  K::kForeground, K::kMinimizeStart,
                            K::kMinimizeEnd,   K::kShow,         K::kHide,       K::kLocationChange,
                            K::kDestroy,       K::kMoveSizeStart};
    if (refused) expected.erase(expected.begin() + 2);
    ASSERT_TRUE(testing::PumpMessagesUntil([&] { return events.size() >= expected.size(); }));
    testing::PumpMessagesFor(0.1);
    std::vector<K> kinds;
    for (const WindowEvent& e : events) {
      EXPECT_EQ(e.window, ToWindowId(window));
      kinds.push_back(e.kind);
    }
    EXPECT_EQ(kinds, expected);
    DestroyWindow(own);

    hooks->Uninstall();
    events.clear();
    ASSERT_TRUE(host.RaiseEvent(EVENT_SYSTEM_MOVESIZESTART, window, OBJID_WINDOW));
    testing::PumpMessagesFor(0.2);
    EXPECT_TRUE(events.empty());
  }
  PostMessageW(window, WM_CLOSE, 0, 0);
}

// Of the setting changes only the work area's is a change of the displays.
TEST_F(Win32MainWindow, DisplayAndWorkAreaChangesReachTheSinkButNoOtherSetting) {
  std::vector<WindowEventKind> kinds;
  ASSERT_TRUE(
      backend_.platform().events.Install([&](const WindowEvent& e) { kinds.push_back(e.kind); }));
  SendMessageW(main_, WM_SETTINGCHANGE, SPI_SETDESKWALLPAPER, 0);
  SendMessageW(main_, WM_SETTINGCHANGE, SPI_SETWORKAREA, 0);
  SendMessageW(main_, WM_SETTINGCHANGE, SPI_SETNONCLIENTMETRICS, 0);
  SendMessageW(main_, WM_DISPLAYCHANGE, 32, MAKELPARAM(1920, 1080));
  testing::PumpMessagesUntil([&] { return kinds.size() >= 2; }, 1.0);
  using K = WindowEventKind;
  EXPECT_EQ(kinds, (std::vector<K>{K::kWorkAreaChange, K::kDisplayChange}));
}

}  // namespace
}  // namespace tessary
