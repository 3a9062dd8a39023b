// The chooser panel as a real window under the real backend: an opaque top-level window
// (not a layered overlay) over a region, and what a screen reader reads of the card the
// keyboard focused. (What it draws, its keys and the names its items give: the ChooserPanel
// and ChooserKeys tests on the simulated surface; a click that moves the chosen window into
// the region: the assist_fill_halves e2e story.)

#include "surfaces/chooser_panel.h"

#include <utility>
#include <vector>

#include "platform/win32/theme_source_win32.h"
#include "win32/accessible_reader.h"
#include "win32/surfaces/surface_fixture.h"

namespace tessary::testing {
namespace {

// The focus and selection announcements a screen reader hears: (window, child id).
std::vector<std::pair<HWND, LONG>> announced;
void CALLBACK Heard(HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG child, DWORD, DWORD) {
  if (object == OBJID_CLIENT) announced.emplace_back(window, child);
}

TEST_F(SurfaceTest, TheChooserPanelIsATopmostWindowWhoseFocusedCardIsNamedByTitleAndApp) {
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  Win32ThemeSource theme;
  ChooserPanel panel(Factory(), theme);
  // The right half of a 1920 x 1080 desktop with a 40-pixel task bar.
  ASSERT_TRUE(panel.Create(
      {964, 8, 948, 1024}, 1.0,
      {{WindowId{0x10}, "Inbox", "Mail", kNoIcon}, {WindowId{0x20}, "Notes", "Notes", kNoIcon}},
      {.header = "Choose a window for this space", .primaryText = "Done", .leaveEmpty = true}, {}));
  HWND window = ToHwnd(panel.Window());
  PumpMessagesFor(0.3);

  // A real, opaque, topmost window of its own class, shown without activation.
  EXPECT_EQ(ClassOf(window), L"TessaryAssist");
  const LONG_PTR exStyle = GetWindowLongPtrW(window, GWL_EXSTYLE);
  EXPECT_EQ(exStyle & WS_EX_LAYERED, 0);
  EXPECT_NE(exStyle & WS_EX_TOPMOST, 0);
  EXPECT_TRUE(IsWindowVisible(window));
  EXPECT_NE(GetForegroundWindow(), window);

  EXPECT_EQ(ReadAccessible(window, AccessibleChild::kFocused).name, L"Inbox, Mail");
  HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_SELECTION, nullptr, &Heard,
                                       GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
  announced.clear();
  PostMessageW(window, WM_KEYDOWN, VK_RIGHT, 0);
  PumpMessagesFor(0.05);
  UnhookWinEvent(hook);
  EXPECT_EQ(announced, (std::vector<std::pair<HWND, LONG>>{{window, 2}}));
  const AccessibleRead card = ReadAccessible(window, AccessibleChild::kFocused);
  EXPECT_EQ(card.name, L"Notes");
  EXPECT_EQ(card.role, ROLE_SYSTEM_LISTITEM);
  RECT panelRect{}, overlap{};
  GetWindowRect(window, &panelRect);
  // Not empty, and wholly inside the panel.
  EXPECT_TRUE(IntersectRect(&overlap, &card.where, &panelRect) && EqualRect(&overlap, &card.where));
  panel.Destroy();
  EXPECT_FALSE(IsWindow(window));
  CoUninitialize();
}

}  // namespace
}  // namespace tessary::testing
