// Keyboard shortcuts with their conflicts, the AltGr test, and mouse-button shortcuts
// through the hook: what is swallowed, what passes, and captured buttons.

#include "shell/shortcuts.h"

#include "platform/dialog_keys.h"
#include "shell_fixture.h"
#include "state/shortcut_text.h"

namespace tessary::testing {
namespace {

constexpr std::uint32_t kCtrlAlt = kModCtrl | kModAlt;

class ShortcutTest : public ShellTest {
 protected:
  void StartWith(const std::string& settingsJson) {
    StoreSettings(settingsJson);
    StartOrFail();
  }
};

TEST_F(ShortcutTest, DefaultsAreRegisteredWithoutRepeat) {
  SeenThisVersion();
  StartOrFail();
  const std::uint32_t keys[] = {'P', 'Z', 'A', 'S', 'O', 0xDD, 0xDB, 'B', 'F', 'H', 'R'};
  for (int i = 0; i < 11; ++i) {
    EXPECT_EQ(host.hotkeys.registered[i + 1],
              (SimHotkeys::Registration{kCtrlAlt | kModNoRepeat, keys[i]}))
        << i;
  }
  for (int n = 0; n < 9; ++n) {
    EXPECT_EQ(host.hotkeys.registered[20 + n],
              (SimHotkeys::Registration{kCtrlAlt | kModNoRepeat, '1' + static_cast<unsigned>(n)}));
  }
  EXPECT_TRUE(shell->ShortcutConflicts().empty());
}

TEST_F(ShortcutTest, AltGrCharactersAreNeitherLayoutSwitchesNorShortcuts) {
  host.layouts.AddAltGrCharacter('2');
  StartWith(R"({"lastSeenVersion":"1.4.2","shortcuts":{"place":{"vk":50,"mods":3}}})");
  EXPECT_EQ(host.hotkeys.registered.count(21), 0u);
  EXPECT_EQ(host.hotkeys.registered.count(20), 1u);
  EXPECT_EQ(host.hotkeys.registered.count(1), 0u);
  EXPECT_EQ(shell->ShortcutConflicts(),
            (std::map<int, std::string>{
                {0, "Types a character with AltGr on your keyboard: choose other keys"}}));
}

TEST_F(ShortcutTest, OnlyCtrlAltCombinationsAskTheKeyboard) {
  SimKeyboardLayouts layouts;
  layouts.AddAltGrCharacter('P');
  layouts.AddAltGrCharacter('Q', true);
  EXPECT_TRUE(TypesWithAltGr(layouts, 'P', kCtrlAlt));
  EXPECT_FALSE(TypesWithAltGr(layouts, 'P', kCtrlAlt | kModShift));
  EXPECT_TRUE(TypesWithAltGr(layouts, 'Q', kCtrlAlt | kModShift));
  const int asked = layouts.questions;
  EXPECT_FALSE(TypesWithAltGr(layouts, 'P', kCtrlAlt | kModWin));
  EXPECT_FALSE(TypesWithAltGr(layouts, 'P', kModCtrl));
  EXPECT_FALSE(TypesWithAltGr(layouts, 'P', kModAlt | kModShift));
  EXPECT_EQ(layouts.questions, asked);
}

TEST_F(ShortcutTest, WinCtrlAltPIsRegisteredEvenWhereAltGrTypesP) {
  host.layouts.AddAltGrCharacter('P');
  StartWith(R"({"lastSeenVersion":"1.4.2","shortcuts":{"place":{"vk":80,"mods":11}}})");
  EXPECT_EQ(host.hotkeys.registered[1],
            (SimHotkeys::Registration{kCtrlAlt | kModWin | kModNoRepeat, 'P'}));
  EXPECT_TRUE(shell->ShortcutConflicts().empty());
}

TEST_F(ShortcutTest, KeysHeldByAnotherAppAreReportedAndTheRestWork) {
  host.hotkeys.TakeByOtherApp(kCtrlAlt, 'F');
  SeenThisVersion();
  StartOrFail();
  EXPECT_EQ(shell->ShortcutConflicts(),
            (std::map<int, std::string>{{8, "Another app already uses these keys"}}));
  EXPECT_EQ(host.hotkeys.registered.count(9), 0u);
  EXPECT_EQ(host.hotkeys.registered.size(), 10u + 9u);
}

TEST_F(ShortcutTest, UnboundCommandHasNoLabelButItsTextIsNone) {
  StartWith(R"({"lastSeenVersion":"1.4.2","shortcuts":{"fill":{}}})");
  EXPECT_EQ(shell->ShortcutLabel(8), "");
  EXPECT_EQ(shell->ShortcutLabel(0), "Ctrl+Alt+P");
  EXPECT_EQ(shell->ShortcutLabel(11), "");
  EXPECT_EQ(shell->ShortcutLabel(-1), "");
  EXPECT_EQ(ShortcutText(keyNames, 0, 0), "None");
  EXPECT_EQ(host.hotkeys.registered.count(9), 0u);
  AddApp({100, 100, 800, 600});
  Pump();
  shell->ShowTrayMenu();
  const MenuModel& menu = host.menus.shown.back();
  EXPECT_EQ(FindItem(menu.items, 308)->label, "Fill Screen");
  EXPECT_EQ(FindItem(menu.items, 300)->label, "Place…\tCtrl+Alt+P");
  // What the Coordinator asks through its callback.
  EXPECT_EQ(shell->GetCoordinator().Callbacks().shortcutLabel(8), "");
  EXPECT_EQ(shell->GetCoordinator().Callbacks().shortcutLabel(10), "Ctrl+Alt+R");
}

TEST_F(ShortcutTest, MiddleClickBoundActsOnTheWindowUnderTheMouseAndIsSwallowed) {
  StartWith(R"({"lastSeenVersion":"1.4.2","mouseShortcuts":{"fill":{"button":3,"mods":0}}})");
  ASSERT_TRUE(host.mouseHook.Running());
  const WindowId under = AddApp({1000, 200, 600, 500});
  const WindowId focused = AddApp({100, 100, 600, 500});
  Pump();
  ASSERT_EQ(desk.Foreground(), focused);
  const SimClickSeen seen = host.mouseHook.Click(kMouseMiddle, 0, 1200, 400);
  EXPECT_FALSE(seen.press);
  EXPECT_FALSE(seen.release);
  Pump();
  EXPECT_EQ(desk.Frame(under), (Rect{8, 8, 1904, 1024}));
  EXPECT_EQ(desk.Frame(focused), (Rect{100, 100, 600, 500}));
}

TEST_F(ShortcutTest, ShowWindowStackOnTheMiddleButtonSwallowsPressAndRelease) {
  StartWith(R"({"lastSeenVersion":"1.4.2","mouseShortcuts":{"stack":{"button":3,"mods":0}}})");
  const SimClickSeen seen = host.mouseHook.Click(kMouseMiddle, 0, 300, 300);
  EXPECT_FALSE(seen.press);
  EXPECT_FALSE(seen.release);
  EXPECT_EQ(shell->MouseShared().swallowed.load(), 0u);
  // With other modifiers the same button is not bound.
  const SimClickSeen ctrl = host.mouseHook.Click(kMouseMiddle, kModCtrl, 300, 300);
  EXPECT_TRUE(ctrl.press);
  EXPECT_TRUE(ctrl.release);
}

TEST_F(ShortcutTest, WithOnlySideButtonsBoundAMiddleClickPassesUntouched) {
  StartWith(R"({"lastSeenVersion":"1.4.2","mouseShortcuts":{"next":{"button":4,"mods":0},)"
            R"("previous":{"button":5,"mods":0}}})");
  ASSERT_TRUE(host.mouseHook.Running());
  const SimClickSeen seen = host.mouseHook.Click(kMouseMiddle, 0, 300, 300);
  EXPECT_TRUE(seen.press);
  EXPECT_TRUE(seen.release);
  EXPECT_EQ(host.window.PostedCount(), 0u);
  const SimClickSeen back = host.mouseHook.Click(kMouseBack, 0, 300, 300);
  EXPECT_FALSE(back.press);
  EXPECT_FALSE(back.release);
}

TEST_F(ShortcutTest, TheHookRunsOnlyWhileSomethingNeedsIt) {
  SeenThisVersion();
  StartOrFail();
  EXPECT_FALSE(host.mouseHook.Running());
  tessary::Settings next = shell->Settings().Current();
  next.mouseShortcuts[3] = MouseShortcut{kMouseForward, kModShift};
  shell->Settings().Apply(next);
  EXPECT_TRUE(host.mouseHook.Running());
  EXPECT_EQ(host.mouseHook.LastBindings()[3], (MouseBinding{kMouseForward, kModShift}));
  next.mouseShortcuts[3] = MouseShortcut{2, 0};  // codes below 3 are none
  shell->Settings().Apply(next);
  EXPECT_FALSE(host.mouseHook.Running());
  shell->SetWheelWanted(true);
  EXPECT_TRUE(host.mouseHook.Running());
  EXPECT_FALSE(host.mouseHook.Wheel(-120, 10, 10));
  EXPECT_TRUE(host.mouseHook.Click(kMouseMiddle, 0, 10, 10).press);
  shell->SetWheelWanted(false);
  EXPECT_FALSE(host.mouseHook.Running());
  EXPECT_TRUE(host.mouseHook.Wheel(-120, 10, 10));
  EXPECT_EQ(host.mouseHook.starts, 2);
  EXPECT_EQ(host.mouseHook.stops, 2);
}

TEST_F(ShortcutTest, ABindingCapturedForASecondCommandMovesThere) {
  StartWith(R"({"lastSeenVersion":"1.4.2","mouseShortcuts":{"place":{"button":3,"mods":2}}})");
  shell->BeginMouseCapture(3);
  ASSERT_TRUE(shell->MouseShared().capturing.load());
  const SimClickSeen seen = host.mouseHook.Click(kMouseMiddle, kModCtrl, 50, 50);
  EXPECT_FALSE(seen.press);
  EXPECT_FALSE(seen.release);
  Pump();
  const tessary::Settings& now = shell->Settings().Current();
  EXPECT_EQ(now.mouseShortcuts[0], MouseShortcut{});
  EXPECT_EQ(now.mouseShortcuts[3], (MouseShortcut{kMouseMiddle, kModCtrl}));
  EXPECT_FALSE(shell->CapturingCommand().has_value());
  EXPECT_FALSE(shell->MouseShared().capturing.load());
  EXPECT_EQ(host.mouseHook.LastBindings()[3], (MouseBinding{kMouseMiddle, kModCtrl}));
  EXPECT_NE(files.SettingsFile().find(R"("mouseShortcuts":{"stack":{"button":3,"mods":2}})"),
            std::string::npos);
}

TEST_F(ShortcutTest, CapturingWithNothingBoundStartsAndStopsTheHook) {
  SeenThisVersion();
  StartOrFail();
  shell->BeginMouseCapture(8);
  EXPECT_TRUE(host.mouseHook.Running());
  shell->EndMouseCapture();
  EXPECT_FALSE(host.mouseHook.Running());
  // A captured message that arrives after the capture ended changes nothing.
  host.window.Send(main_window_message::kMouseCaptured, kMouseBack, 0);
  EXPECT_EQ(shell->Settings().Current().mouseShortcuts[8], MouseShortcut{});
}

TEST(MouseHookRules, OnlyTheSwallowedPressesReleaseIsSwallowed) {
  MouseHookShared shared;
  std::array<MouseBinding, kMouseBindingCount> bindings{};
  bindings[5] = MouseBinding{kHookButtonBack, 0};
  shared.SetBindings(bindings);
  MouseHookVerdict press = DecideMouseHook(
      shared, MouseHookEvent{MouseHookEventKind::kButtonDown, kHookButtonBack, 0, -5, 70, 0});
  EXPECT_TRUE(press.swallow);
  ASSERT_TRUE(press.post.has_value());
  EXPECT_EQ(press.post->message, main_window_message::kMouseShortcut);
  EXPECT_EQ(press.post->wParam, 5u);
  int x = 0;
  int y = 0;
  UnpackPointParam(press.post->lParam, x, y);
  EXPECT_EQ(x, -5);
  EXPECT_EQ(y, 70);
  // A different button's release passes; then the back button's is swallowed once.
  EXPECT_FALSE(
      DecideMouseHook(shared, {MouseHookEventKind::kButtonUp, kHookButtonForward}).swallow);
  EXPECT_TRUE(DecideMouseHook(shared, {MouseHookEventKind::kButtonUp, kHookButtonBack}).swallow);
  EXPECT_FALSE(DecideMouseHook(shared, {MouseHookEventKind::kButtonUp, kHookButtonBack}).swallow);
  EXPECT_FALSE(DecideMouseHook(shared, {MouseHookEventKind::kOther}).swallow);
  // The wheel goes to the switcher only while it wants it.
  EXPECT_FALSE(DecideMouseHook(shared, {MouseHookEventKind::kWheel, 0, 120}).swallow);
  shared.wheelWanted = true;
  MouseHookVerdict wheel = DecideMouseHook(shared, {MouseHookEventKind::kWheel, 0, -240});
  EXPECT_TRUE(wheel.swallow);
  EXPECT_EQ(static_cast<std::int64_t>(wheel.post->wParam), -15);
  EXPECT_EQ(wheel.post->lParam, -240);
  EXPECT_EQ(PackPointParam(-1, -2), 0xFFFEFFFF);
}

TEST(DialogKeys, HotkeyFieldsKeepTabAndEscape) {
  DialogKeyFacts facts;
  facts.rootClass = "TessarySettings";
  facts.focusClass = "msctls_hotkey32";
  facts.virtualKey = 0x09;
  EXPECT_EQ(DecideDialogKey(facts), DialogKeyAction::kNotHandled);
  facts.virtualKey = 0x1B;
  EXPECT_EQ(DecideDialogKey(facts), DialogKeyAction::kNotHandled);
  facts.focusClass = "EDIT";
  EXPECT_EQ(DecideDialogKey(facts), DialogKeyAction::kCloseRoot);
  facts.virtualKey = 0x09;
  EXPECT_EQ(DecideDialogKey(facts), DialogKeyAction::kDialogMessage);
  facts.focusClass = "ComboBox";
  facts.comboDroppedDown = true;
  facts.virtualKey = 0x1B;
  EXPECT_EQ(DecideDialogKey(facts), DialogKeyAction::kNotHandled);
  facts.focusClass = "Button";
  facts.focusIsPushButton = true;
  facts.virtualKey = 0x0D;
  EXPECT_EQ(DecideDialogKey(facts), DialogKeyAction::kClickButton);
  facts.rootClass = "SomeoneElse";
  EXPECT_EQ(DecideDialogKey(facts), DialogKeyAction::kNotHandled);
}

TEST(DialogKeys, EditorUndoAndRedoOutsideTextFields) {
  DialogKeyFacts facts;
  facts.rootClass = "TessaryEditor";
  facts.focusClass = "Button";
  facts.ctrlDown = true;
  facts.virtualKey = 'Z';
  EXPECT_EQ(DecideDialogKey(facts), DialogKeyAction::kResendToEditor);
  facts.virtualKey = 'Y';
  EXPECT_EQ(DecideDialogKey(facts), DialogKeyAction::kResendToEditor);
  facts.focusClass = "Edit";
  EXPECT_EQ(DecideDialogKey(facts), DialogKeyAction::kNotHandled);
  facts.focusClass = "msctls_hotkey32";
  EXPECT_EQ(DecideDialogKey(facts), DialogKeyAction::kResendToEditor);
  facts.ctrlDown = false;
  EXPECT_EQ(DecideDialogKey(facts), DialogKeyAction::kNotHandled);
  facts.rootClass = "TessarySettings";
  facts.ctrlDown = true;
  EXPECT_EQ(DecideDialogKey(facts), DialogKeyAction::kNotHandled);
}

}  // namespace
}  // namespace tessary::testing
