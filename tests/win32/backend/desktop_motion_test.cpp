// Moving real windows of another process so that their visible frames land on targets.

#include <gtest/gtest.h>
#include <windows.h>

#include "desktop/desktop.h"
#include "platform/win32/handles.h"
#include "platform/win32/win32_platform.h"
#include "window_host_client.h"

namespace tessary {
namespace {

using testing::WindowHost;

class Win32Motion : public ::testing::Test {
 protected:
  // A window that has been closed. (The host's windows take Wine seconds to go away.)
  static HWND GoneWindow() {
    HWND window = CreateWindowExW(0, L"STATIC", L"gone", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200,
                                  nullptr, nullptr, nullptr, nullptr);
    DestroyWindow(window);
    return window;
  }

  Rect Frame(HWND window) { return desktop_.FrameBounds(ToWindowId(window)).value_or(Rect{}); }

  WindowHost& host_ = WindowHost::Get();
  Win32Platform backend_;
  Desktop desktop_{backend_.platform()};
};

TEST_F(Win32Motion, PlaceExactlyPutsTheFrameOnTheTargetWithoutActivating) {
  HWND window = host_.Create("normal");
  ASSERT_NE(window, nullptr);
  WindowId foreground = backend_.platform().zOrder.Foreground();

  Rect target{130, 90, 640, 410};
  EXPECT_TRUE(desktop_.PlaceExactly(ToWindowId(window), target));
  EXPECT_TRUE(NearlyEqual(Frame(window), target, 1.0)) << Frame(window).x << "," << Frame(window).y;
  if (foreground != ToWindowId(window)) {
    EXPECT_NE(backend_.platform().zOrder.Foreground(), ToWindowId(window));
  }

  EXPECT_FALSE(desktop_.PlaceExactly(ToWindowId(GoneWindow()), target));
}

TEST_F(Win32Motion, MaximizedAndMinimizedWindowsAreRestoredStraightIntoTheTarget) {
  HWND maximized = host_.Create("maximized");
  HWND minimized = host_.Create("minimized");
  ASSERT_NE(maximized, nullptr);
  ASSERT_NE(minimized, nullptr);
  ASSERT_TRUE(IsZoomed(maximized));
  ASSERT_TRUE(IsIconic(minimized));

  Rect left{0, 0, 700, 500};
  Rect right{800, 100, 500, 420};
  EXPECT_TRUE(desktop_.PlaceExactly(ToWindowId(maximized), left));
  EXPECT_TRUE(desktop_.PlaceExactly(ToWindowId(minimized), right));

  EXPECT_FALSE(IsZoomed(maximized));
  EXPECT_FALSE(IsIconic(minimized));
  EXPECT_TRUE(IsWindowVisible(minimized));
  EXPECT_TRUE(NearlyEqual(Frame(maximized), left, 1.0));
  EXPECT_TRUE(NearlyEqual(Frame(minimized), right, 1.0));
}

TEST_F(Win32Motion, GlideBringsEveryLiveWindowToItsLastTarget) {
  HWND first = host_.Create("normal");
  HWND second = host_.Create("sizing-popup", 300, 200);
  HWND closed = GoneWindow();
  ASSERT_NE(first, nullptr);
  ASSERT_NE(second, nullptr);

  Rect firstTarget{0, 0, 960, 540};
  Rect secondEarlier{960, 0, 960, 540};
  Rect secondTarget{960, 540, 800, 500};
  std::set<WindowId> placed = desktop_.Glide({{ToWindowId(first), firstTarget},
                                              {ToWindowId(second), secondEarlier},
                                              {ToWindowId(closed), firstTarget},
                                              {ToWindowId(second), secondTarget}});

  EXPECT_EQ(placed, (std::set<WindowId>{ToWindowId(first), ToWindowId(second)}));
  EXPECT_TRUE(NearlyEqual(Frame(first), firstTarget, 1.0));
  EXPECT_TRUE(NearlyEqual(Frame(second), secondTarget, 1.0));

  // Already in place: nothing to animate, still confirmed.
  EXPECT_TRUE(desktop_.GlideOne(ToWindowId(first), firstTarget));
}

}  // namespace
}  // namespace tessary
