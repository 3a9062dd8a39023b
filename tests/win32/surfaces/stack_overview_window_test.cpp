// The stack overview as a real window under the real backend: it opens in front with the
// keyboard over a darkened copy of what was on the screen, and is dismissed by a real click
// between its cards. (Its title, place and Escape: the stack_overview e2e story.)

#include <vector>

#include "platform/win32/clock_win32.h"
#include "platform/win32/theme_source_win32.h"
#include "surfaces/stack_overview_view.h"
#include "win32/surfaces/surface_fixture.h"

namespace tessary::testing {
namespace {

TEST_F(SurfaceTest, TheStackOverviewOpensInFrontOverTheDarkenedScreenAndAClickBesideDismissesIt) {
  PlainWindow red({900, 0, 1920, 1040}, RGB(200, 60, 60));
  PumpMessagesFor(0.2);
  const IconId icon = ToIconId(LoadIconW(nullptr, IDI_APPLICATION));
  std::vector<OverviewEntry> entries;
  for (std::uint64_t i = 1; i <= 2; ++i) {
    entries.push_back({.window = ToWindowId(red.Handle()), .title = "Red", .appName = "Red app",
                       .icon = icon, .frame = {600, 400}});
  }
  int dismissed = 0;
  Win32ThemeSource theme;
  Win32Clock clock;
  StackOverviewView view(Factory(), theme, clock);
  ASSERT_TRUE(view.Open({964, 8, 948, 1024}, 1.0, std::move(entries), true,
                        {.dismiss = [&] { ++dismissed; }}));
  HWND window = ToHwnd(view.Window());
  PumpMessagesUntil([&] { return view.Progress() == 1; });
  PumpMessagesFor(0.3);  // the compositing manager shows it a little later

  const LONG_PTR exStyle = GetWindowLongPtrW(window, GWL_EXSTYLE);
  EXPECT_EQ(exStyle & (WS_EX_LAYERED | WS_EX_TOPMOST), 0);
  EXPECT_NE(exStyle & WS_EX_TOOLWINDOW, 0);
  EXPECT_EQ(GetForegroundWindow(), window);
  // The red window it covers shows through beside the cards, veiled by an eighth.
  EXPECT_TRUE(Near(ScreenPixel(964 + 6, 8 + 6), {176, 53, 53}, 12));
  // The system makes no live previews under Wine. (The app's icon standing in for them:
  // StackOverviewViewTest; icons drawn on a real surface: the canvas tests.)
  EXPECT_FALSE(view.LiveThumbnails()[0]);

  // A real click beside the cards dismisses it. (Its closing: StackOverviewViewTest.)
  SendClick(964 + 6, 8 + 6);
  EXPECT_TRUE(PumpMessagesUntil([&] { return dismissed == 1; }));
  view.Destroy();
  EXPECT_FALSE(IsWindow(window));
}

}  // namespace
}  // namespace tessary::testing
