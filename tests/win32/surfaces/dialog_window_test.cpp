// The generic dialog-like window with real system controls: what the program sets shows in
// the controls, what the user does comes back as one notification each, the program's own
// changes never come back, a closed window tells nobody anything, the keys of the
// program's loop act on it, and the colours follow the theme.

#include <windows.h>

#include <commctrl.h>

#include <tuple>
#include <utility>
#include <vector>

#include "platform/win32/dialog_window_win32.h"
#include "platform/win32/shell_main_window_win32.h"
#include "win32/surfaces/surface_fixture.h"

namespace tessary::testing {
namespace {

enum : int { kName = 100, kList, kCheck, kKey, kCanvas, kSave, kLabel };

class Listener : public DialogWindowInput {
 public:
  void OnCommand(int id, DialogEvent event) override { heard.emplace_back(id, event); }
  void OnCloseRequested() override { ++closeRequests; }
  void PaintCanvas(int id, Canvas& canvas, double width, double height) override {
    painted = {id, width, height};
    canvas.FillRounded(Rect{0, 0, width, height}, 4, Color{0, 120, 215, 255});
  }
  std::vector<std::pair<int, DialogEvent>> heard;
  int closeRequests = 0;
  std::tuple<int, double, double> painted;  // the control's id, its width and height
};

class DialogWindowTest : public SurfaceTest {
 protected:
  DialogWindowOptions Options() {
    DialogWindowOptions options;
    options.className = "TessaryInfo";
    options.title = "Dialog test";
    options.clientWidth = 400;
    options.clientHeight = 300;
    options.scale = 1.5;
    options.center = Point{400, 300};
    options.input = &listener;
    options.controls = {
        {ControlKind::kLabel, kLabel, "Name", Rect{10, 10, 60, 24}},
        {ControlKind::kEdit, kName, "", Rect{80, 10, 200, 24}, 5},
        {ControlKind::kDropDown, kList, "", Rect{80, 40, 200, 200}},
        {ControlKind::kCheckBox, kCheck, "Remember", Rect{80, 70, 200, 24}},
        {ControlKind::kCanvas, kCanvas, "", Rect{10, 130, 380, 100}},
        {ControlKind::kHotkey, kKey, "", Rect{80, 100, 200, 24}},
        {ControlKind::kDefaultButton, kSave, "Save", Rect{290, 250, 100, 32}},
    };
    return options;
  }

  Listener listener;
};

TEST_F(DialogWindowTest, ControlsShowWhatTheProgramSetsAndReportOnlyWhatTheUserDoes) {
  auto window = Factory().NewDialogWindow();
  ASSERT_TRUE(window->Open(Options()));
  auto* real = static_cast<Win32DialogWindow*>(window.get());
  HWND root = real->Handle();
  EXPECT_EQ(ClassOf(root), L"TessaryInfo");
  EXPECT_EQ(ClassOf(real->Control(kCanvas)), L"TessaryInfoCanvas");
  RECT client;
  GetClientRect(root, &client);
  EXPECT_EQ(client.right, 600);  // 400 units at 1.5
  EXPECT_EQ(client.bottom, 450);

  window->SetText(kName, "Ünïcode");
  window->SetItems(kList, {"One", "Two"});
  window->Select(kList, 1);
  window->SetChecked(kCheck, true);
  window->SetHotkey(kKey, DialogHotkey{'K', MOD_CONTROL | MOD_ALT});
  EXPECT_EQ(window->Text(kName), "Ünïcode");
  EXPECT_EQ(window->Selection(kList), 1);
  EXPECT_TRUE(window->Checked(kCheck));
  EXPECT_EQ(window->Hotkey(kKey), (DialogHotkey{'K', MOD_CONTROL | MOD_ALT}));
  window->SetHotkey(kKey, DialogHotkey{VK_LEFT, MOD_CONTROL | MOD_ALT});  // "Left", not "Num 4"
  EXPECT_EQ(HIBYTE(SendMessageW(real->Control(kKey), HKM_GETHOTKEY, 0, 0)),
            HOTKEYF_CONTROL | HOTKEYF_ALT | HOTKEYF_EXT);
  EXPECT_TRUE(listener.heard.empty()) << "the program's own changes are not the user's";

  // The edit box limits typed text to its 5 characters; the user's edit comes back.
  EXPECT_EQ(SendMessageW(real->Control(kName), EM_GETLIMITTEXT, 0, 0), 5);
  SendMessageW(real->Control(kName), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"abc"));
  SendMessageW(real->Control(kSave), BM_CLICK, 0, 0);
  SendMessageW(root, WM_CLOSE, 0, 0);
  EXPECT_EQ(listener.heard,
            (std::vector<std::pair<int, DialogEvent>>{{kName, DialogEvent::kTextChanged},
                                                      {kSave, DialogEvent::kClicked}}));
  EXPECT_EQ(listener.closeRequests, 1);
  EXPECT_TRUE(window->IsOpen()) << "the model decides whether a close request closes";

  UpdateWindow(real->Control(kCanvas));
  PumpMessagesUntil([&] { return std::get<0>(listener.painted) == kCanvas; });
  EXPECT_EQ(listener.painted, std::tuple(kCanvas, 380.0, 100.0));

  // Wrapped text grows taller at the same width.
  const double one = window->MeasureTextHeight("Short", 300);
  EXPECT_GT(one, 10);
  EXPECT_GE(window->MeasureTextHeight(
                "A body long enough to wrap over several lines at three hundred units, and more.",
                300),
            2 * one);

  // The program's loop hands key presses to the key filter: Enter is an edit box's own, Tab
  // passes over the canvas; key releases are left alone. (Enter clicking a push button,
  // Escape closing, the first focus and Tab through a whole window: the welcome and settings
  // e2e stories; windows of other classes: DialogKeys.)
  const auto route = [](HWND target, WPARAM key, UINT message = WM_KEYDOWN) {
    return RouteDialogKey(MSG{.hwnd = target, .message = message, .wParam = key, .lParam = 1});
  };
  EXPECT_FALSE(route(real->Control(kName), VK_RETURN));
  EXPECT_FALSE(route(real->Control(kSave), VK_RETURN, WM_KEYUP));
  SetFocus(real->Control(kCheck));
  EXPECT_TRUE(route(real->Control(kCheck), VK_TAB));
  EXPECT_EQ(GetFocus(), real->Control(kKey));

  window->Close();
  EXPECT_FALSE(IsWindow(root));
  const std::size_t heard = listener.heard.size();
  PumpMessagesFor(0.1);
  EXPECT_EQ(listener.heard.size(), heard);
}

// The client area and its controls follow the theme the caption follows: read back from
// the screen (beside the name box, and inside it), and from what the window tells a label
// to draw with.
TEST_F(DialogWindowTest, TheClientAreaAndItsControlsFollowTheTheme) {
  struct Case {
    bool dark;
    COLORREF background, field, text;
  };
  for (const Case& c : {Case{true, RGB(32, 32, 32), RGB(54, 54, 54), RGB(255, 255, 255)},
                        Case{false, GetSysColor(COLOR_WINDOW), GetSysColor(COLOR_WINDOW),
                             GetSysColor(COLOR_WINDOWTEXT)}}) {
    SCOPED_TRACE(c.dark ? "dark" : "light");
    auto window = Factory().NewDialogWindow();
    DialogWindowOptions options = Options();
    options.darkCaption = c.dark;
    ASSERT_TRUE(window->Open(options));
    const HWND handle = ToHwnd(window->Window());
    PumpMessagesFor(0.3);

    HDC screen = GetDC(handle);
    EXPECT_EQ(GetPixel(screen, 525, 75), c.background);
    EXPECT_EQ(GetPixel(screen, 375, 33), c.field);
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
