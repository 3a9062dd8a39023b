// The welcome window and the tour as real windows under Wine, driven by the keyboard
// through the message loop's pre-filter: Enter clicks the focused push button, Tab moves
// the focus, Escape closes; and nothing is left behind when the program closes them.

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "dialogs/info_window.h"
#include "dialogs/tour_window.h"
#include "dialogs/welcome.h"
#include "platform/win32/graphics_factories.h"
#include "platform/win32/shell_main_window_win32.h"
#include "platform/win32/surface_win32.h"
#include "win32/message_pump.h"

namespace tessary::testing {
namespace {

class IntroWindowsTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    if (graphics_) return;
    graphics_ = new GraphicsFactories();
    ASSERT_TRUE(graphics_->Create());
    factory_ = new Win32SurfaceFactory(GetModuleHandleW(nullptr), *graphics_);
  }

  // A key press as the message loop takes it from the queue, for the focused control.
  static bool Press(WPARAM key) {
    MSG message{};
    message.hwnd = GetFocus();
    message.message = WM_KEYDOWN;
    message.wParam = key;
    message.lParam = 1;
    const bool handled = RouteDialogKey(message);
    PumpMessagesFor(0.1);
    return handled;
  }
  static std::wstring FocusText() {
    wchar_t text[64] = L"";
    GetWindowTextW(GetFocus(), text, 64);
    return text;
  }

  const DialogPlacement placement_{1.0, {640, 400}, true};
  static inline GraphicsFactories* graphics_ = nullptr;
  static inline Win32SurfaceFactory* factory_ = nullptr;
};

TEST_F(IntroWindowsTest, WelcomeAnswersEnterTabAndEscape) {
  InfoWindow welcome(*factory_);
  std::vector<int> pressed;
  ASSERT_TRUE(welcome.Show(WelcomeTemplate({.windowsSnapOn = true, .offerStartAtLogin = true}),
                           placement_, [&](int id) { pressed.push_back(id); }));
  HWND window = FindWindowW(L"TessaryInfo", L"Welcome to Tessary");
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(IsWindowVisible(window));
  PumpMessagesFor(0.2);
  ASSERT_EQ(FocusText(), L"Get Started");

  EXPECT_TRUE(Press(VK_RETURN));
  EXPECT_EQ(pressed, std::vector<int>{info_command::kGetStarted});
  // Tab wraps from the last button to the check box, and on to the first button.
  EXPECT_TRUE(Press(VK_TAB));
  EXPECT_EQ(FocusText(), L"Start Tessary when you sign in");
  EXPECT_TRUE(Press(VK_TAB));
  EXPECT_EQ(FocusText(), L"Turn Off Windows Snap");
  EXPECT_TRUE(Press(VK_RETURN));
  EXPECT_EQ(pressed.back(), info_command::kTurnOffWindowsSnap);

  EXPECT_TRUE(Press(VK_ESCAPE));
  EXPECT_TRUE(PumpMessagesUntil([&] { return !IsWindow(window); }));
  EXPECT_FALSE(welcome.IsOpen());
}

TEST_F(IntroWindowsTest, TheTourTurnsItsPagesByKeyboardAndClosesWithItsOwner) {
  std::vector<TourAction> actions;
  HWND window = nullptr;
  {
    TourWindow tour(*factory_, [&](TourAction action) { actions.push_back(action); });
    TourPalette palette;
    ASSERT_TRUE(tour.Show(placement_, palette));
    window = FindWindowW(L"TessaryTour", L"Tessary Tour");
    ASSERT_NE(window, nullptr);
    ASSERT_NE(FindWindowExW(window, nullptr, L"TessaryTourCanvas", nullptr), nullptr);
    PumpMessagesFor(0.2);
    ASSERT_EQ(FocusText(), L"Next");
    for (int page = 1; page < kTourPageCount; ++page) {
      EXPECT_TRUE(Press(VK_RETURN));
      EXPECT_EQ(tour.Page(), page);
    }
    EXPECT_EQ(FocusText(), L"Done");
    // Shift is not down: Tab goes forward, wrapping to the page's action button.
    EXPECT_TRUE(Press(VK_TAB));
    EXPECT_EQ(FocusText(), L"Open Shortcuts");
    EXPECT_TRUE(Press(VK_RETURN));
    EXPECT_EQ(actions, std::vector<TourAction>{TourAction::kOpenSettings});
    // Shown again, it stays on its page.
    ASSERT_TRUE(tour.Show(placement_, palette));
    EXPECT_EQ(tour.Page(), kTourPageCount - 1);
    EXPECT_EQ(FindWindowW(L"TessaryTour", L"Tessary Tour"), window);
  }
  // The program closes it at shutdown: the window goes with its owner.
  EXPECT_FALSE(IsWindow(window));
}

}  // namespace
}  // namespace tessary::testing
