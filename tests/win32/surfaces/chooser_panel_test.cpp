// The chooser panel as a real window under the real backend: an opaque top-level window
// (not a layered overlay) drawn with Direct2D over a region, picked with real mouse and
// keyboard input, moving the chosen window into the region as Snap Assist does.

#include <vector>

#include "platform/win32/theme_source_win32.h"
#include "surfaces/chooser_panel.h"
#include "win32/surfaces/surface_fixture.h"

namespace tessary::testing {
namespace {

RECT WindowRectOf(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  return rect;
}

class ChooserPanelWindowTest : public SurfaceTest {
 protected:
  // The right half of a 1920 x 1080 desktop with a 40-pixel task bar.
  const Rect region{964, 8, 948, 1024};
  Win32ThemeSource theme;
};

TEST_F(ChooserPanelWindowTest, AClickOnACardMovesThatWindowIntoTheRegion) {
  PlainWindow first({100, 100, 500, 400}, RGB(200, 60, 60));
  PlainWindow second({150, 150, 650, 500}, RGB(60, 60, 200));
  const IconId icon = ToIconId(LoadIconW(nullptr, IDI_APPLICATION));
  std::vector<ChooserChoice> choices = {
      {ToWindowId(first.Handle()), "Red", "Red app", icon},
      {ToWindowId(second.Handle()), "Blue", "Blue app", icon},
  };
  std::vector<WindowId> chosen;
  ChooserPanel panel(Factory(), theme);
  ASSERT_TRUE(panel.Create(region, 1.0, choices,
                           {.header = "Choose a window for this space",
                            .primaryText = "Done",
                            .leaveEmpty = true},
                           {.choose = [&](WindowId w) {
                              chosen.push_back(w);
                              SetWindowPos(ToHwnd(w), nullptr, 964, 8, 948, 1024,
                                           SWP_NOZORDER | SWP_NOACTIVATE);
                            }}));
  HWND window = ToHwnd(panel.Window());
  PumpMessagesFor(0.3);

  // A real, opaque, topmost window of its own class, where the region is.
  wchar_t className[64]{};
  GetClassNameW(window, className, 64);
  EXPECT_STREQ(className, L"TessaryAssist");
  const LONG_PTR exStyle = GetWindowLongPtrW(window, GWL_EXSTYLE);
  EXPECT_EQ(exStyle & WS_EX_LAYERED, 0);
  EXPECT_NE(exStyle & WS_EX_TOPMOST, 0);
  EXPECT_TRUE(IsWindowVisible(window));
  const RECT placed = WindowRectOf(window);
  EXPECT_EQ(placed.left, 964);
  EXPECT_EQ(placed.top, 8);
  EXPECT_EQ(placed.right - placed.left, 948);
  EXPECT_NE(GetForegroundWindow(), window);  // shown without activation

  // The panel's light background at its top-left, just inside the border.
  EXPECT_TRUE(Near(ScreenPixel(964 + 30, 8 + 46), {243, 243, 243}, 6));
  // Wine makes no live thumbnails: the app's icon stands in the middle of the preview.
  EXPECT_FALSE(panel.LiveThumbnails()[0]);
  const Rect square = ChooserFallbackIconRect(panel.Geometry().previews[0]);
  const Bgr cardFill =
      ScreenPixel(964 + static_cast<int>(square.x) - 6, 8 + static_cast<int>(square.y));
  int drawn = 0;
  for (int i = 1; i < 8; ++i) {
    for (int j = 1; j < 8; ++j) {
      const Bgr pixel = ScreenPixel(964 + static_cast<int>(square.x + square.width * i / 8),
                                    8 + static_cast<int>(square.y + square.height * j / 8));
      if (!Near(pixel, cardFill, 20)) ++drawn;
    }
  }
  EXPECT_GT(drawn, 4);

  // Given the focus, the panel marks its focused card with the accent.
  panel.Focus();
  PumpMessagesUntil([&] { return GetForegroundWindow() == window; });
  PumpMessagesFor(0.2);
  const Rect focused = panel.Geometry().cards[0];
  EXPECT_TRUE(Near(ScreenPixel(964 + static_cast<int>(focused.x) + 1,
                               8 + static_cast<int>(focused.y + focused.height / 2)),
                   {0, 120, 212}, 40));

  const Point card = panel.ItemCentre(1);
  SendClick(static_cast<int>(card.x), static_cast<int>(card.y));
  PumpMessagesUntil([&] { return !chosen.empty(); });
  ASSERT_EQ(chosen, (std::vector<WindowId>{ToWindowId(second.Handle())}));
  const RECT moved = WindowRectOf(second.Handle());
  EXPECT_EQ(moved.left, 964);
  EXPECT_EQ(moved.right, 964 + 948);

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
