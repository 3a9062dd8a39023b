// Moving real windows of another process so that their visible frames land on targets.
// (Several windows gliding at once, one already in place, listed twice or closed on the way:
// the Motion scenario tests.)

#include <gtest/gtest.h>
#include <windows.h>

#include <string_view>

#include "desktop/desktop.h"
#include "platform/win32/handles.h"
#include "platform/win32/win32_platform.h"
#include "win32/plain_window.h"
#include "window_host_client.h"

namespace tessary {
namespace {

// Placed or glided, the frame lands on the target, a maximized or minimized window is
// restored straight into it, and the window is not activated.
TEST(Win32Motion, FramesLandOnTheirTargetsRestoredAndWithoutActivating) {
  Win32Platform backend;
  Desktop desktop(backend.platform());
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
    HWND window = testing::WindowHost::Get().Create(c.kind);
    ASSERT_NE(window, nullptr);
    const WindowId id = ToWindowId(window);
    const WindowId foreground = backend.platform().zOrder.Foreground();
    if (c.glide) {
      EXPECT_EQ(desktop.Glide({{id, c.target}}), std::set<WindowId>{id});
    } else {
      EXPECT_TRUE(desktop.PlaceExactly(id, c.target));
    }
    const Rect placed = desktop.FrameBounds(id).value_or(Rect{});
    EXPECT_TRUE(NearlyEqual(placed, c.target, 1.0)) << placed.x << "," << placed.y;
    EXPECT_FALSE(IsZoomed(window));
    EXPECT_FALSE(IsIconic(window));
    EXPECT_TRUE(IsWindowVisible(window));
    // Wine activates a window it restores from minimized (the rule without Wine:
    // Motion.MaximizedAndMinimizedWindowsAreRestoredIntoPlaceWithoutActivation).
    if (foreground != id && std::string_view(c.kind) != "minimized") {
      EXPECT_NE(backend.platform().zOrder.Foreground(), id);
    }
  }
  // A window that has been closed. (The host's windows take Wine seconds to go away.)
  const HWND gone = testing::ThrowawayWindow();
  DestroyWindow(gone);
  EXPECT_FALSE(desktop.PlaceExactly(ToWindowId(gone), cases[0].target));
}

}  // namespace
}  // namespace tessary
