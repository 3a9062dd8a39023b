// Which real windows the program may manage, and which app each belongs to.

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>

#include "desktop/desktop.h"
#include "platform/win32/handles.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_platform.h"
#include "win32/plain_window.h"
#include "window_host_client.h"

namespace tessary {
namespace {

using testing::WindowHost;

struct Case {
  const char* kind;
  bool manageable;
  int width = 400;
  int height = 300;
};

TEST(Win32Inventory, OnlyOrdinaryWindowsOfOtherProcessesAreManageable) {
  WindowHost& host = WindowHost::Get();
  Win32Platform backend;
  Desktop desktop(backend.platform());

  // clang-format off
  const Case cases[] = {
      {"normal", true},
      {"sizing-popup", true},  // no caption, but a sizing border
      {"owned-app", true},     // owned, yet asks for a task-bar button
      {"tool", false}, {"noactivate", false},
      {"popup", false},  // neither sizing border nor caption
      {"owned", false}, {"invisible", false}, {"minimized", false}, {"child", false},
      {"caption-popup", true, 80, 50},  // the smallest frame that counts (smaller: Inventory)
  };
  // clang-format on
  std::vector<WindowId> manageable;
  for (const Case& c : cases) {
    HWND window = host.Create(c.kind, c.width, c.height);
    ASSERT_NE(window, nullptr) << c.kind;
    EXPECT_EQ(desktop.IsManageable(ToWindowId(window)), c.manageable)
        << c.kind << " " << c.width << "x" << c.height;
    if (c.manageable) manageable.push_back(ToWindowId(window));
  }

  // The inventory lists exactly those, front-most first: later windows were shown later,
  // and shown windows go to the top.
  std::vector<WindowId> listed = desktop.ManageableWindows();
  for (WindowId window : manageable) {
    EXPECT_NE(std::find(listed.begin(), listed.end(), window), listed.end());
  }
  auto normal = std::find(listed.begin(), listed.end(), manageable.front());
  auto smallest = std::find(listed.begin(), listed.end(), manageable.back());
  EXPECT_LT(smallest, normal);

  // A perfectly ordinary window of this process is never managed.
  HWND own = testing::ThrowawayWindow(WS_OVERLAPPEDWINDOW);
  ShowWindow(own, SW_SHOWNOACTIVATE);
  EXPECT_FALSE(desktop.IsManageable(ToWindowId(own)));
  ShowWindow(own, SW_HIDE);  // Wine takes seconds to destroy a visible window
  DestroyWindow(own);
}

TEST(Win32AppIdentity, AppsAreKnownByImagePathAndNamedByTheirVersionResource) {
  WindowHost& host = WindowHost::Get();
  HWND hosted = host.Create("normal");
  ASSERT_NE(hosted, nullptr);
  Win32Platform backend;
  Desktop desktop(backend.platform());

  std::string hostId = desktop.AppIdOf(ToWindowId(hosted));
  EXPECT_EQ(CompareStringOrdinal(WideFromUtf8(hostId).c_str(), -1, host.Path().c_str(), -1, TRUE),
            CSTR_EQUAL)
      << hostId;
  // The host carries a file description; this test program does not, so its name is the
  // file name without folder and extension.
  EXPECT_EQ(desktop.AppNameOfWindow(ToWindowId(hosted)), "Tessary test window host");
  EXPECT_EQ(desktop.AppName(Utf8FromWide(testing::OwnExecutablePath())), "tessary_win32_backend");

  // Not running elevated below another app here, and not packaged. (A window that is gone,
  // and launching: the AppIdentity scenario tests.)
  EXPECT_FALSE(desktop.IsBlockedByElevation(ToWindowId(hosted)));
  EXPECT_FALSE(desktop.IsPackagedProcess());
}

TEST(Win32AppIdentity, WindowIconsComeFromTheWindowItsClassOrTheSystem) {
  Win32Platform backend;
  Desktop desktop(backend.platform());

  // The chain on windows of this process, where every step answers (Wine 8 answers
  // neither WM_GETICON nor class icons across processes).
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = DefWindowProcW;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.hIcon = LoadIconW(nullptr, IDI_WARNING);
  windowClass.lpszClassName = L"TessaryTestIcons";
  RegisterClassExW(&windowClass);
  HWND withClassIcon = CreateWindowExW(0, L"TessaryTestIcons", L"icons", WS_OVERLAPPEDWINDOW, 0, 0,
                                       300, 200, nullptr, nullptr, nullptr, nullptr);
  HWND withOwnIcon = CreateWindowExW(0, L"TessaryTestIcons", L"icons", WS_OVERLAPPEDWINDOW, 0, 0,
                                     300, 200, nullptr, nullptr, nullptr, nullptr);
  HICON own = LoadIconW(nullptr, IDI_ERROR);
  SendMessageW(withOwnIcon, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(own));
  EXPECT_EQ(desktop.WindowIcon(ToWindowId(withOwnIcon)), ToIconId(own));
  const IconId system = ToIconId(LoadIconW(nullptr, IDI_APPLICATION));
  const IconId fromClass = desktop.WindowIcon(ToWindowId(withClassIcon));
  EXPECT_NE(fromClass, kNoIcon);
  EXPECT_NE(fromClass, system);
  DestroyWindow(withClassIcon);
  DestroyWindow(withOwnIcon);

  // A window with no icon at all, and one that is gone, get the system's application icon.
  HWND iconless = WindowHost::Get().Create("iconless");
  ASSERT_NE(iconless, nullptr);
  EXPECT_EQ(desktop.WindowIcon(ToWindowId(iconless)), system);
  EXPECT_EQ(desktop.WindowIcon(ToWindowId(withOwnIcon)), system);

  // The app's icon comes from its file (kept once found: the AppIdentity scenario tests).
  EXPECT_NE(desktop.IconForApp(desktop.AppIdOf(ToWindowId(iconless))), kNoIcon);
}

TEST(Win32CaptionButtons, TheFirstOfThreeButtonsIsTheMinimiseButton) {
  Win32Platform backend;
  HWND window = WindowHost::Get().Create("normal", 500, 300);
  ASSERT_NE(window, nullptr);
  const std::optional<Rect> buttons =
      backend.platform().windows.CaptionButtonBounds(ToWindowId(window));
  ASSERT_TRUE(buttons.has_value());
  const double width = buttons->width / 3;
  const Point centre{buttons->x + width / 2, buttons->y + buttons->height / 2};
  EXPECT_EQ(backend.platform().windows.HitTest(ToWindowId(window), centre), HTMINBUTTON);
}

}  // namespace
}  // namespace tessary
