// A dialog-like window's client area and controls follow the theme its caption follows:
// read back from the screen, and from what the window tells a label to draw with.

#include <gtest/gtest.h>
#include <windows.h>

#include <memory>

#include "platform/dialog_window.h"
#include "platform/win32/graphics_factories.h"
#include "platform/win32/handles.h"
#include "platform/win32/surface_win32.h"
#include "win32/message_pump.h"

namespace tessary::testing {
namespace {

constexpr int kLabel = 10;
constexpr int kEdit = 11;

TEST(DialogWindowColors, TheClientAreaAndItsControlsFollowTheTheme) {
  GraphicsFactories graphics;
  ASSERT_TRUE(graphics.Create());
  Win32SurfaceFactory factory(GetModuleHandleW(nullptr), graphics);
  struct Case {
    bool dark;
    COLORREF background, field, text;
  };
  for (const Case& c : {Case{true, RGB(32, 32, 32), RGB(54, 54, 54), RGB(255, 255, 255)},
                        Case{false, GetSysColor(COLOR_WINDOW), GetSysColor(COLOR_WINDOW),
                             GetSysColor(COLOR_WINDOWTEXT)}}) {
    SCOPED_TRACE(c.dark ? "dark" : "light");
    std::unique_ptr<DialogWindow> window = factory.NewDialogWindow();
    DialogWindowOptions options;
    options.className = "TessaryColorsTest";
    options.title = "Colours";
    options.clientWidth = 300;
    options.clientHeight = 120;
    options.center = {400, 300};
    options.darkCaption = c.dark;
    options.controls = {{ControlKind::kLabel, kLabel, "Name", {10, 10, 80, 20}},
                        {ControlKind::kEdit, kEdit, "", {10, 40, 200, 26}}};
    ASSERT_TRUE(window->Open(options));
    const HWND handle = ToHwnd(window->Window());
    PumpMessagesFor(0.3);

    HDC screen = GetDC(handle);
    EXPECT_EQ(GetPixel(screen, 250, 100), c.background);
    EXPECT_EQ(GetPixel(screen, 190, 53), c.field);
    ReleaseDC(handle, screen);
    HDC memory = CreateCompatibleDC(nullptr);
    SendMessageW(handle, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(memory),
                 reinterpret_cast<LPARAM>(GetDlgItem(handle, kLabel)));
    EXPECT_EQ(GetTextColor(memory), c.text);
    DeleteDC(memory);
    window->Close();
  }
}

}  // namespace
}  // namespace tessary::testing
