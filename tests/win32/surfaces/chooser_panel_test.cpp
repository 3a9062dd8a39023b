// The chooser panel as a real window under the real backend: an opaque top-level window
// (not a layered overlay) over a region, picked with real mouse and keyboard input. (What
// it draws, and moving the chosen window into the region: the ChooserPanel and ChooserPaint
// tests on the simulated surface and the assist_fill_halves e2e story.)

#include <vector>

#include "platform/win32/theme_source_win32.h"
#include "surfaces/chooser_panel.h"
#include "win32/surfaces/surface_fixture.h"

namespace tessary::testing {
namespace {

TEST_F(SurfaceTest, TheChooserPanelIsATopmostWindowOverItsRegionPickedByClickOrKey) {
  PlainWindow first({100, 100, 500, 400}, RGB(200, 60, 60));
  PlainWindow second({150, 150, 650, 500}, RGB(60, 60, 200));
  const IconId icon = ToIconId(LoadIconW(nullptr, IDI_APPLICATION));
  std::vector<ChooserChoice> choices = {
      {ToWindowId(first.Handle()), "Red", "Red app", icon},
      {ToWindowId(second.Handle()), "Blue", "Blue app", icon},
  };
  std::vector<WindowId> chosen;
  Win32ThemeSource theme;
  ChooserPanel panel(Factory(), theme);
  // The right half of a 1920 x 1080 desktop with a 40-pixel task bar.
  ASSERT_TRUE(panel.Create({964, 8, 948, 1024}, 1.0, choices,
                           {.header = "Choose a window for this space",
                            .primaryText = "Done",
                            .leaveEmpty = true},
                           {.choose = [&](WindowId w) { chosen.push_back(w); }}));
  HWND window = ToHwnd(panel.Window());
  PumpMessagesFor(0.3);

  // A real, opaque, topmost window of its own class, where the region is.
  EXPECT_EQ(ClassOf(window), L"TessaryAssist");
  const LONG_PTR exStyle = GetWindowLongPtrW(window, GWL_EXSTYLE);
  EXPECT_EQ(exStyle & WS_EX_LAYERED, 0);
  EXPECT_NE(exStyle & WS_EX_TOPMOST, 0);
  EXPECT_TRUE(IsWindowVisible(window));
  EXPECT_EQ(WindowBounds(window), (Rect{964, 8, 948, 1024}));
  EXPECT_NE(GetForegroundWindow(), window);  // shown without activation

  const Point card = panel.ItemCentre(1);
  SendClick(static_cast<int>(card.x), static_cast<int>(card.y));
  PumpMessagesUntil([&] { return !chosen.empty(); });
  ASSERT_EQ(chosen, (std::vector<WindowId>{ToWindowId(second.Handle())}));

  // Clicking made the panel the foreground window: keys reach it.
  PumpMessagesUntil([&] { return GetForegroundWindow() == window; });
  EXPECT_EQ(GetForegroundWindow(), window);
  SendKey('1');
  PumpMessagesUntil([&] { return chosen.size() == 2; });
  ASSERT_EQ(chosen.size(), 2u);
  EXPECT_EQ(chosen[1], ToWindowId(first.Handle()));
  panel.Destroy();
  EXPECT_FALSE(IsWindow(window));
}

}  // namespace
}  // namespace tessary::testing
