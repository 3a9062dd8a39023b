// A stack badge on a real surface over real windows: what a real click or drag on it turns
// into. (Its size, place and z-order over the front window, and bringing the window forward
// by key: the stack_badge e2e story.)

#include <windows.h>

#include <commctrl.h>

#include <optional>

#include "platform/win32/clock_win32.h"
#include "platform/win32/theme_source_win32.h"
#include "surfaces/badge_view.h"
#include "win32/surfaces/surface_fixture.h"

namespace tessary::testing {
namespace {

// The pointer to (x, y), as the user moves it: the window under it hears it.
void MouseTo(int x, int y) {
  SetCursorPos(x, y);
  SendMouse({MOUSEEVENTF_MOVE});
}

class BadgeSurfaceTest : public SurfaceTest {
 protected:
  // Two windows in one place, `front` over `back`, and a small badge on front's left edge
  // showing back's icon.
  void SetUp() override {
    ASSERT_TRUE(badge_.Create(Factory()));
    const BadgeContent content{.icons = {{ToWindowId(back_.Handle()), kNoIcon, 0, "Back"}}};
    badge_.SetCallbacks({.bringForward = [this](WindowId window) { asked_ = window; },
                         .moved = [this](const Rect& dropped) { moved_ = dropped; }});
    SetForegroundWindow(front_.Handle());
    PumpMessagesFor(0.1);
    anchor_ = {{300, 200, 500, 400}, {0, 0, 1920, 1050}, true, std::nullopt};
    ASSERT_TRUE(badge_.Update(ToWindowId(front_.Handle()), content, anchor_, 1.0,
                              ToWindowId(GetWindow(front_.Handle(), GW_HWNDPREV)), false));
    PumpMessagesFor(0.2);
  }

  PlainWindow back_{{300, 200, 800, 600}, RGB(0, 0, 255)};
  PlainWindow front_{{300, 200, 800, 600}, RGB(255, 255, 255)};
  Win32ThemeSource theme_;
  Win32Clock clock_;
  Badge badge_{theme_, clock_};
  BadgeAnchor anchor_;
  std::optional<WindowId> asked_;
  std::optional<Rect> moved_;
};

// Small badge, one icon: 22 x 22 pixels at (289, 244) on the front window's left edge; its
// only icon sits 4 pixels in from every side.
TEST_F(BadgeSurfaceTest, AClickOnAnIconAsksForThatWindowAndStopsThere) {
  const int frontClicks = front_.Clicks();
  SendClick(300, 255);
  PumpMessagesUntil([&] { return asked_.has_value(); });
  EXPECT_EQ(asked_, ToWindowId(back_.Handle()));
  EXPECT_EQ(front_.Clicks(), frontClicks);  // the click stopped at the badge
}

// The tooltip control is the badge window's own, tracking the element under the pointer.
TEST_F(BadgeSurfaceTest, AnIconUnderThePointerNamesItsAppInATooltip) {
  const HWND badge = ToHwnd(badge_.GetSurface()->Window());
  HWND tip = nullptr;
  MouseTo(300, 255);
  PumpMessagesUntil([&] {
    tip = FindWindowExW(nullptr, nullptr, TOOLTIPS_CLASSW, nullptr);
    while (tip && GetWindow(tip, GW_OWNER) != badge) {
      tip = FindWindowExW(nullptr, tip, TOOLTIPS_CLASSW, nullptr);
    }
    return tip && IsWindowVisible(tip);
  });
  ASSERT_NE(tip, nullptr);
  wchar_t text[32]{};
  TTTOOLINFOW tool{sizeof(tool)};
  tool.hwnd = badge;
  tool.uId = reinterpret_cast<UINT_PTR>(badge);
  tool.lpszText = text;
  SendMessageW(tip, TTM_GETTEXTW, std::size(text), reinterpret_cast<LPARAM>(&tool));
  EXPECT_STREQ(text, L"Back");
}

// The pointer outruns a dragged badge; the badge still hears it, until the button is let go.
TEST_F(BadgeSurfaceTest, AFloatingBadgeDraggedFarKeepsThePointerAndReportsWhereItWasDropped) {
  anchor_.onEdge = false;
  badge_.Update(ToWindowId(front_.Handle()), badge_.Content(), anchor_, 1.0,
                ToWindowId(GetWindow(front_.Handle(), GW_HWNDPREV)), false);
  PumpMessagesFor(0.1);
  const Rect start = badge_.Bounds();  // 8 right of the left edge: (308, 244)
  MouseTo(319, 255);
  SendMouse({MOUSEEVENTF_LEFTDOWN});
  PumpMessagesFor(0.1);
  MouseTo(519, 305);  // far outside the badge in one jump
  PumpMessagesFor(0.1);
  SendMouse({MOUSEEVENTF_LEFTUP});
  ASSERT_TRUE(PumpMessagesUntil([&] { return moved_.has_value(); }));
  EXPECT_EQ(*moved_, (Rect{start.x + 200, start.y + 50, 22, 22}));
  EXPECT_EQ(GetCapture(), nullptr);
}

}  // namespace
}  // namespace tessary::testing
