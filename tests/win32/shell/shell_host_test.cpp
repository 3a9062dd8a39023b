// The shell's Windows services against the real system (under Wine here): the main
// window, hotkeys, the low-level mouse hook, the tray icon's record and popup menus. (The
// dialog key filter: DialogWindowTest in the surfaces tests, on a real dialog-like window.
// Ctrl+Alt with a letter or digit typing nothing on Wine's US layout: the e2e stories
// that press Ctrl+Alt+1, F and K.)

#include <gtest/gtest.h>
#include <windows.h>
// MSAAMENUINFO, read back from the owner-drawn items; a control's accessible object.
#include <oleacc.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cwchar>
#include <string>
#include <utility>
#include <vector>

#include "platform/main_window.h"
#include "platform/win32/accessible_name_win32.h"
#include "platform/win32/hotkeys_win32.h"
#include "platform/win32/mouse_hook_win32.h"
#include "platform/win32/popup_menu_win32.h"
#include "platform/win32/shell_host_win32.h"
#include "platform/win32/tray_icon_win32.h"
#include "win32/accessible_reader.h"
#include "win32/message_pump.h"
#include "win32/plain_window.h"
#include "win32/user_input.h"

namespace tessary {
namespace {

// The main window as other programs find it. (Its class, its loop, the open requests it
// carries and quitting through it: the e2e stories second_copy, welcome and state_log_quit.)
TEST(Win32MainWindow, AHiddenToolWindowWithTheProgramsTitle) {
  Win32ShellHost backend(GetModuleHandleW(nullptr));
  ShellHost host = backend.Host();
  ASSERT_TRUE(host.mainWindow.Create([](const MainWindowMessage&) { return std::nullopt; }));
  HWND window = backend.MainWindowHandle();
  ASSERT_NE(window, nullptr);
  wchar_t text[64];
  GetWindowTextW(window, text, 64);
  EXPECT_STREQ(text, L"Tessary");
  EXPECT_FALSE(IsWindowVisible(window));
  EXPECT_TRUE(GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
  EXPECT_TRUE(GetWindowLongW(window, GWL_STYLE) & WS_POPUP);
  EXPECT_NE(host.mainWindow.RegisterTaskbarCreated(), 0u);
  host.mainWindow.Destroy();
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(host.mainWindow.Handle(), kNoWindow);
}

TEST(Win32Hotkeys, KeysAlreadyTakenAreRefused) {
  Win32ShellHost backend(GetModuleHandleW(nullptr));
  ShellHost host = backend.Host();
  // Without a window there is nothing to register on.
  EXPECT_FALSE(host.hotkeys.Register(1, 0x3 | kModNoRepeat, 'Q'));
  ASSERT_TRUE(host.mainWindow.Create([](const MainWindowMessage&) { return std::nullopt; }));
  ASSERT_TRUE(host.hotkeys.Register(1, 0x3 | kModNoRepeat, 'Q'));
  // The same keys for another program (here: a second window of this thread).
  HWND other = testing::ThrowawayWindow();
  ASSERT_NE(other, nullptr);
  Win32Hotkeys elsewhere([other] { return other; });
  EXPECT_FALSE(elsewhere.Register(7, 0x3 | kModNoRepeat, 'Q'));
  host.hotkeys.Unregister(1);
  EXPECT_TRUE(elsewhere.Register(7, 0x3 | kModNoRepeat, 'Q'));
  elsewhere.Unregister(7);
  DestroyWindow(other);
}

TEST(Win32MouseHook, ABoundClickBecomesAShortcutAndNeverReachesTheWindowUnderIt) {
  if (GetSystemMetrics(SM_CXSCREEN) < 500) GTEST_SKIP() << "no usable display";
  // The main window that receives the hook's reports.
  std::vector<MainWindowMessage> reports;
  Win32ShellHost backend(GetModuleHandleW(nullptr));
  ShellHost host = backend.Host();
  ASSERT_TRUE(
      host.mainWindow.Create([&](const MainWindowMessage& message) -> std::optional<std::int64_t> {
        if (message.message == main_window_message::kMouseShortcut) reports.push_back(message);
        return std::nullopt;
      }));
  testing::PlainWindow target({100, 100, 400, 300}, RGB(255, 255, 255), WS_EX_TOPMOST);
  testing::PumpMessagesFor(0.2);

  MouseHookShared shared;
  std::array<MouseBinding, kMouseBindingCount> bindings{};
  bindings[3] = MouseBinding{kHookButtonMiddle, 0};  // Show Window Stack
  shared.SetBindings(bindings);
  ASSERT_TRUE(host.mouseHook.Start(shared));
  EXPECT_TRUE(host.mouseHook.Running());
  EXPECT_TRUE(host.mouseHook.Start(shared));  // already running: nothing more

  testing::SendClick(250, 180, MOUSEEVENTF_MIDDLEDOWN, MOUSEEVENTF_MIDDLEUP);
  testing::PumpMessagesUntil([&] { return !reports.empty(); });
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_EQ(reports[0].wParam, 3u);
  int x = 0, y = 0;
  UnpackPointParam(reports[0].lParam, x, y);
  EXPECT_EQ(std::pair(x, y), std::pair(250, 180));
  testing::PumpMessagesFor(0.3);
  EXPECT_EQ(target.Count(WM_MBUTTONDOWN), 0);
  EXPECT_EQ(target.Count(WM_MBUTTONUP), 0);  // the release was swallowed too

  // Unbound, the click goes where it always went.
  shared.SetBindings({});
  testing::SendClick(260, 190, MOUSEEVENTF_MIDDLEDOWN, MOUSEEVENTF_MIDDLEUP);
  testing::PumpMessagesUntil([&] { return target.Count(WM_MBUTTONUP) > 0; });
  EXPECT_EQ(target.Count(WM_MBUTTONDOWN), 1);
  EXPECT_EQ(target.Count(WM_MBUTTONUP), 1);
  EXPECT_EQ(reports.size(), 1u);

  host.mouseHook.Stop();
  EXPECT_FALSE(host.mouseHook.Running());
  host.mouseHook.Stop();  // nothing running: nothing to do
}

TEST(Win32TrayIcon, OneRecordNamesTheIconAndCutsItsTextsToTheirFields) {
  HWND window = testing::ThrowawayWindow();
  std::vector<std::pair<DWORD, NOTIFYICONDATAW>> calls;
  Win32TrayIcon tray(
      GetModuleHandleW(nullptr), [window] { return window; },
      [&](DWORD operation, const NOTIFYICONDATAW& data) {
        calls.emplace_back(operation, data);
        return true;
      });
  // Each text one unit too long for its field; the tooltip's cut would split a pair.
  TrayIconState state{std::string(126, 't') + "\xF0\x9F\x98\x80", false,
                      TrayBalloon{std::string(64, 'h'), std::string(256, 'b')}};
  ASSERT_TRUE(tray.Add(state));
  ASSERT_EQ(calls.size(), 2u);
  const NOTIFYICONDATAW& added = calls[0].second;
  EXPECT_EQ(calls[0].first, static_cast<DWORD>(NIM_ADD));
  EXPECT_EQ(added.hWnd, window);
  EXPECT_EQ(added.uID, 1u);
  EXPECT_EQ(added.uFlags,
            static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP | NIF_SHOWTIP | NIF_INFO));
  EXPECT_EQ(added.uCallbackMessage, static_cast<UINT>(WM_APP + 1));
  EXPECT_EQ(std::wcslen(added.szTip), 126u);
  EXPECT_EQ(std::wcslen(added.szInfoTitle), 63u);
  EXPECT_EQ(std::wcslen(added.szInfo), 255u);
  EXPECT_EQ(added.dwInfoFlags,
            static_cast<DWORD>(NIIF_USER | NIIF_LARGE_ICON | NIIF_RESPECT_QUIET_TIME));
  EXPECT_EQ(calls[1].first, static_cast<DWORD>(NIM_SETVERSION));
  EXPECT_EQ(calls[1].second.uVersion, static_cast<UINT>(NOTIFYICON_VERSION_4));

  // Without a balloon the record has no NIF_INFO; a tooltip that fits is kept whole.
  calls.clear();
  state.tooltip = std::string(127, 't');
  state.balloon.reset();
  ASSERT_TRUE(tray.Modify(state));
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].first, static_cast<DWORD>(NIM_MODIFY));
  EXPECT_EQ(calls[0].second.uFlags,
            static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP | NIF_SHOWTIP));
  EXPECT_EQ(std::wcslen(calls[0].second.szTip), 127u);
  ASSERT_TRUE(tray.Remove());
  EXPECT_EQ(calls.back().first, static_cast<DWORD>(NIM_DELETE));
  DestroyWindow(window);
}

TEST(Win32PopupMenus, TheChosenItemsIdComesBackAndLayoutItemsAreDrawnByTheProgram) {
  if (GetSystemMetrics(SM_CXSCREEN) < 500) GTEST_SKIP() << "no usable display";
  Win32ShellHost backend(GetModuleHandleW(nullptr));
  ShellHost host = backend.Host();
  ASSERT_TRUE(host.services.CreateGraphicsFactories());
  std::vector<std::uint32_t> seen;
  // What a screen reader reads of each owner-drawn item: the item data's MSAA text and the
  // item's string.
  std::vector<std::wstring> accessible;
  ASSERT_TRUE(
      host.mainWindow.Create([&](const MainWindowMessage& message) -> std::optional<std::int64_t> {
        seen.push_back(message.message);
        if (message.message == WM_INITMENUPOPUP) {
          HMENU menu = reinterpret_cast<HMENU>(static_cast<std::uintptr_t>(message.wParam));
          for (int i = 0; i < GetMenuItemCount(menu); ++i) {
            wchar_t text[128]{};
            MENUITEMINFOW info{sizeof(info), MIIM_FTYPE | MIIM_DATA | MIIM_STRING};
            info.dwTypeData = text;
            info.cch = 128;
            if (!GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info) ||
                !(info.fType & MFT_OWNERDRAW)) {
              continue;
            }
            const auto* msaa = reinterpret_cast<const MSAAMENUINFO*>(info.dwItemData);
            EXPECT_EQ(msaa->dwMSAASignature, static_cast<DWORD>(MSAA_MENU_SIG));
            EXPECT_STREQ(msaa->pszWText, text);
            accessible.push_back(std::wstring(msaa->pszWText, msaa->cchWText));
          }
        }
        return std::nullopt;
      }));
  HWND window = backend.MainWindowHandle();

  int painted = 0;
  const auto thumbnail = [&](Canvas& canvas, double width, double height, bool) {
    ++painted;
    EXPECT_DOUBLE_EQ(width, kLayoutThumbnailWidth);
    EXPECT_DOUBLE_EQ(height, kLayoutThumbnailHeight);
    canvas.FillRounded(Rect{2, 2, width / 2 - 3, height - 4}, 3, Color{0.5, 0.6, 0.7, 1});
  };
  const MenuItem layoutItem{
      .kind = MenuItemKind::kLayout,
      .id = 1000,
      .checked = true,
      .layout = std::make_shared<LayoutMenuItem>(LayoutMenuItem{
          "Halves", "Standard proportions", "Halves, 2 regions, Standard proportions", thumbnail})};
  const MenuModel model{{MenuItem::Command(0, "Tessary 0.1.5", true), MenuItem::Separator(),
                         MenuItem::Submenu("Choose a Layout", {layoutItem}),
                         MenuItem::Command(102, "About Tessary"),
                         MenuItem::Command(103, "Quit Tessary")}};

  // The user types the keys; the menu's own loop reads them from this thread's queue. (The
  // last item chosen from the tray: the tray_icon_menu e2e story.) Into the submenu: its
  // owner-drawn item is measured and drawn here, never by the shell's procedure, and Enter
  // on it answers its id. Down selects the greyed first item, Down again "Choose a Layout".
  SetCursorPos(400, 400);
  PostMessageW(window, WM_KEYDOWN, VK_DOWN, 1);
  PostMessageW(window, WM_KEYDOWN, VK_DOWN, 1);
  PostMessageW(window, WM_KEYDOWN, VK_RIGHT, 1);
  PostMessageW(window, WM_KEYDOWN, VK_RETURN, 1);
  EXPECT_EQ(host.menus.ShowAtCursor(model), 1000);
  // The thumbnail is rendered once, when the item is made.
  EXPECT_EQ(painted, 1);
  EXPECT_EQ(accessible, std::vector<std::wstring>{L"Halves, 2 regions, Standard proportions"});
  EXPECT_EQ(std::count(seen.begin(), seen.end(), WM_MEASUREITEM), 0);
  EXPECT_EQ(std::count(seen.begin(), seen.end(), WM_DRAWITEM), 0);

  // Escape dismisses: 0.
  PostMessageW(window, WM_KEYDOWN, VK_ESCAPE, 1);
  EXPECT_EQ(host.menus.ShowAtCursor(model), 0);
}

// What a screen reader hears for a settings mouse box: the name it was given, while the
// system still answers for the rest (its role), and a new name replaces the old.
TEST(Win32AccessibleName, AButtonSaysItsGivenNameAndKeepsItsRole) {
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  HWND parent = testing::ThrowawayWindow();
  HWND button = CreateWindowExW(0, L"Button", L"None", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 0, 0,
                                120, 30, parent, nullptr, nullptr, nullptr);
  ASSERT_NE(button, nullptr);
  const testing::AccessibleRead system = ReadAccessible(button, testing::AccessibleChild::kSelf);
  ASSERT_TRUE(SetControlAccessibleName(button, L"Show Window Stack mouse button: None"));
  const testing::AccessibleRead named = ReadAccessible(button, testing::AccessibleChild::kSelf);
  EXPECT_EQ(named.name, L"Show Window Stack mouse button: None");
  EXPECT_EQ(named.role, system.role);
  // A screen reader hears of a new name, and only of a new one.
  static int renamed = 0;
  HWINEVENTHOOK hook = SetWinEventHook(
      EVENT_OBJECT_NAMECHANGE, EVENT_OBJECT_NAMECHANGE, nullptr,
      [](HWINEVENTHOOK, DWORD, HWND, LONG, LONG, DWORD, DWORD) { ++renamed; },
      GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
  ASSERT_TRUE(SetControlAccessibleName(button, L"Show Window Stack mouse button: Middle Click"));
  ASSERT_TRUE(SetControlAccessibleName(button, L"Show Window Stack mouse button: Middle Click"));
  testing::PumpMessagesFor(0.2);
  EXPECT_EQ(renamed, 1);
  UnhookWinEvent(hook);
  EXPECT_EQ(ReadAccessible(button, testing::AccessibleChild::kSelf).name,
            L"Show Window Stack mouse button: Middle Click");
  DestroyWindow(parent);
  CoUninitialize();
}

}  // namespace
}  // namespace tessary
