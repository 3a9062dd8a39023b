// Moving real windows of another process so that their visible frames land on targets.
// (Several windows gliding at once, one listed twice or closed on the way: the Motion
// scenario tests.)

#include <gtest/gtest.h>
#include <windows.h>

#include <string_view>

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

// Placed or glided, the frame lands on the target, a maximized or minimized window is
// restored straight into it, and the window is not activated.
TEST_F(Win32Motion, FramesLandOnTheirTargetsRestoredAndWithoutActivating) {
  struct Case {
    const char* kind;
    Rect target;
    bool glide;
  };
  const Case cases[] = {{"normal", {130, 90, 640, 410}, false},
                        {"maximized", {0, 0, 700, 500}, false},
                        {"minimized", {800, 100, 500, 420}, false},
                        {"sizing-popup", {960, 540, 800, 500}, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.kind);
    HWND window = host_.Create(c.kind);
    ASSERT_NE(window, nullptr);
    const WindowId id = ToWindowId(window);
    const WindowId foreground = backend_.platform().zOrder.Foreground();
    if (c.glide) {
      EXPECT_EQ(desktop_.Glide({{id, c.target}}), std::set<WindowId>{id});
    } else {
      EXPECT_TRUE(desktop_.PlaceExactly(id, c.target));
    }
    EXPECT_TRUE(NearlyEqual(Frame(window), c.target, 1.0))
        << Frame(window).x << "," << Frame(window).y;
    EXPECT_FALSE(IsZoomed(window));
    EXPECT_FALSE(IsIconic(window));
    EXPECT_TRUE(IsWindowVisible(window));
    // Wine activates a window it restores from minimized (the rule without Wine:
    // Motion.MaximizedAndMinimizedWindowsAreRestoredIntoPlaceWithoutActivation).
    if (foreground != id && std::string_view(c.kind) != "minimized") {
      EXPECT_NE(backend_.platform().zOrder.Foreground(), id);
    }
    // Already in place: nothing to animate, still confirmed.
    EXPECT_TRUE(desktop_.GlideOne(id, c.target));
  }
  const HWND gone = GoneWindow();
  EXPECT_FALSE(desktop_.PlaceExactly(ToWindowId(gone), cases[0].target));
  EXPECT_TRUE(desktop_.Glide({{ToWindowId(gone), cases[0].target}}).empty());
}

}  // namespace
}  // namespace tessary
