// Keyboard shortcuts with their conflicts, the AltGr test, mouse-button shortcuts through
// the hook (what is swallowed, what passes, and captured buttons), and Escape during a drag:
// taken when the drag had a picker up, given back otherwise.

#include "shell/shortcuts.h"

#include "platform/dialog_keys.h"
#include "shell_fixture.h"

namespace tessary::testing {
namespace {

using namespace window_command;

// What the rest of the system saw of a click: all of it, or none of it.
bool Passed(SimClickSeen seen) { return seen.press && seen.release; }
bool Swallowed(SimClickSeen seen) { return !seen.press && !seen.release; }

using ShortcutTest = ShellTest;

TEST_F(ShortcutTest, DefaultsAreRegisteredWithoutRepeat) {
  StartWith();
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
}

// Ctrl+Alt alone asks it: AltGrCharactersAreNeitherLayoutSwitchesNorShortcuts.
TEST(AltGrTest, OnlyCtrlAltCombinationsAskTheKeyboard) {
  SimKeyboardLayouts layouts;
  layouts.AddAltGrCharacter('P');
  layouts.AddAltGrCharacter('Q', true);
  EXPECT_FALSE(TypesWithAltGr(layouts, 'P', kCtrlAlt | kModShift));
  EXPECT_TRUE(TypesWithAltGr(layouts, 'Q', kCtrlAlt | kModShift));
  const int asked = layouts.questions;
  for (std::uint32_t mods : {kCtrlAlt | kModWin, kModCtrl, kModAlt | kModShift}) {
    EXPECT_FALSE(TypesWithAltGr(layouts, 'P', mods)) << mods;
  }
  EXPECT_EQ(layouts.questions, asked);
}

// Where AltGr types 2 and P: Ctrl+Alt+2 is neither a layout switch nor a shortcut, while
// Win+Ctrl+Alt+P is registered since the Windows key takes it out of the test.
TEST_F(ShortcutTest, AltGrCharactersAreNeitherLayoutSwitchesNorShortcuts) {
  host.layouts.AddAltGrCharacter('2');
  host.layouts.AddAltGrCharacter('P');
  StartWith(R"({"lastSeenVersion":"1.4.2","shortcuts":{"place":{"vk":50,"mods":3},)"
            R"("layouts":{"vk":80,"mods":11}}})");
  EXPECT_EQ(host.hotkeys.registered.count(21), 0u);
  EXPECT_EQ(host.hotkeys.registered.count(20), 1u);
  EXPECT_EQ(host.hotkeys.registered.count(1), 0u);
  EXPECT_EQ(host.hotkeys.registered[2],
            (SimHotkeys::Registration{kCtrlAlt | kModWin | kModNoRepeat, 'P'}));
  EXPECT_EQ(Probe().conflicts(),
            (std::map<int, std::string>{
                {0, "Types a character with AltGr on your keyboard: choose other keys"}}));
}

// Restore's keys are held by another app and Fill is unbound: neither is registered, the
// rest are, and only Restore has a conflict.
TEST_F(ShortcutTest, KeysHeldByAnotherAppAreReportedUnboundOnesLeftOutAndTheRestWork) {
  host.hotkeys.TakeByOtherApp(kCtrlAlt, 'R');
  StartWith(R"({"lastSeenVersion":"1.4.2","shortcuts":{"fill":{}}})");
  EXPECT_EQ(Probe().conflicts(),
            (std::map<int, std::string>{{kRestore, "Another app already uses these keys"}}));
  EXPECT_EQ(host.hotkeys.registered.count(9), 0u);
  EXPECT_EQ(host.hotkeys.registered.count(11), 0u);
  EXPECT_EQ(host.hotkeys.registered.size(), 9u + 9u + 4u);
  // What the Coordinator asks through its callback: empty for unbound and unknown.
  const auto& label = Coord().Callbacks().shortcutLabel;
  EXPECT_EQ(label(kFill), "");
  EXPECT_EQ(label(kPutBack), "Ctrl+Alt+H");
  EXPECT_EQ(label(11), "");
  EXPECT_EQ(label(-1), "");
}

TEST_F(ShortcutTest, MiddleClickBoundActsOnTheWindowUnderTheMouseAndIsSwallowed) {
  StartWith(R"({"lastSeenVersion":"1.4.2","mouseShortcuts":{"fill":{"button":3,"mods":0}}})");
  ASSERT_TRUE(host.mouseHook.Running());
  const WindowId under = AddApp({1000, 200, 600, 500});
  const WindowId focused = AddApp({100, 100, 600, 500});
  ASSERT_EQ(desk.Foreground(), focused);
  EXPECT_TRUE(Swallowed(host.mouseHook.Click(kMouseMiddle, 0, 1200, 400)));
  Pump();
  EXPECT_EQ(desk.Frame(under), (Rect{8, 8, 1904, 1024}));
  EXPECT_EQ(desk.Frame(focused), (Rect{100, 100, 600, 500}));
  // With other modifiers the same button is not bound.
  EXPECT_TRUE(Passed(host.mouseHook.Click(kMouseMiddle, kModCtrl, 300, 300)));
}

TEST_F(ShortcutTest, TheHookRunsOnlyWhileSomethingNeedsIt) {
  StartWith();
  EXPECT_FALSE(host.mouseHook.Running());
  tessary::Settings next = Probe().settings().Current();
  next.mouseShortcuts[kStack] = MouseShortcut{kMouseForward, kModShift};
  Probe().settings().Apply(next);
  EXPECT_TRUE(host.mouseHook.Running());
  EXPECT_EQ(host.mouseHook.LastBindings()[kStack], (MouseBinding{kMouseForward, kModShift}));
  // With only a side button bound, a middle click passes untouched.
  EXPECT_TRUE(Passed(host.mouseHook.Click(kMouseMiddle, 0, 300, 300)));
  EXPECT_EQ(host.window.PostedCount(), 0u);
  EXPECT_TRUE(Swallowed(host.mouseHook.Click(kMouseForward, kModShift, 300, 300)));
  next.mouseShortcuts[kStack] = MouseShortcut{2, 0};  // codes below 3 are none
  Probe().settings().Apply(next);
  EXPECT_FALSE(host.mouseHook.Running());
  shell->SetWheelWanted(true);
  EXPECT_TRUE(host.mouseHook.Running());
  EXPECT_FALSE(host.mouseHook.Wheel(-120, 10, 10));
  EXPECT_TRUE(Passed(host.mouseHook.Click(kMouseMiddle, 0, 10, 10)));
  shell->SetWheelWanted(false);
  EXPECT_FALSE(host.mouseHook.Running());  // the wheel reaches the apps again
  EXPECT_EQ(host.mouseHook.starts, 2);
  EXPECT_EQ(host.mouseHook.stops, 2);

  // Hover spots need it too: it reports the pointer coming onto one once.
  Coord().Callbacks().setHoverSpots({Rect{1774, 8, 46, 32}});
  ASSERT_TRUE(host.mouseHook.Running());
  const std::size_t before = host.window.PostedCount();
  const int moves[][2] = {{1700, 20}, {1780, 20}, {1790, 30}, {1700, 20}, {1800, 10}};
  for (const auto& [x, y] : moves) host.mouseHook.Move(x, y);
  // Arrived twice: at (1780, 20) and again at (1800, 10).
  EXPECT_EQ(host.window.PostedCount(), before + 2);
  Coord().Callbacks().setHoverSpots({});
  EXPECT_FALSE(host.mouseHook.Running());
}

// Bound and unbound clicks, and the wheel's need, go through the hook in the stories above;
// here what a whole click cannot show.
TEST(MouseHookRules, OnlyTheSwallowedPressesReleaseIsSwallowed) {
  MouseHookShared shared;
  std::array<MouseBinding, kMouseBindingCount> bindings{};
  bindings[kNext] = MouseBinding{kHookButtonBack, 0};
  shared.SetBindings(bindings);
  MouseHookVerdict press = DecideMouseHook(
      shared, MouseHookEvent{MouseHookEventKind::kButtonDown, kHookButtonBack, 0, -5, 70, 0});
  ASSERT_TRUE(press.post.has_value());
  EXPECT_EQ(press.post->wParam, static_cast<std::uint64_t>(kNext));
  int x = 0, y = 0;
  UnpackPointParam(press.post->lParam, x, y);
  EXPECT_EQ(std::pair(x, y), std::pair(-5, 70));
  // A different button's release passes; then the back button's is swallowed once.
  EXPECT_FALSE(
      DecideMouseHook(shared, {MouseHookEventKind::kButtonUp, kHookButtonForward}).swallow);
  EXPECT_TRUE(DecideMouseHook(shared, {MouseHookEventKind::kButtonUp, kHookButtonBack}).swallow);
  EXPECT_FALSE(DecideMouseHook(shared, {MouseHookEventKind::kButtonUp, kHookButtonBack}).swallow);
  // A wheel turn the switcher wants becomes its command with the delta.
  shared.wheelWanted = true;
  MouseHookVerdict wheel = DecideMouseHook(shared, {MouseHookEventKind::kWheel, 0, -240});
  EXPECT_TRUE(wheel.swallow);
  EXPECT_EQ(static_cast<std::int64_t>(wheel.post->wParam), -15);
  EXPECT_EQ(wheel.post->lParam, -240);
  EXPECT_EQ(PackPointParam(-1, -2), 0xFFFEFFFF);
}

TEST(DialogKeys, HotkeyFieldsKeepTabAndEscapeAndTheEditorTakesUndo) {
  using enum DialogKeyAction;
  struct Case {
    const char* root;
    const char* focus;
    std::uint32_t key;
    bool ctrl;
    bool dropped;
    DialogKeyAction action;
  };
  const Case cases[] = {
      {"TessarySettings", "msctls_hotkey32", 0x09, false, false, kDialogMessage},
      {"TessarySettings", "msctls_hotkey32", 0x1B, false, false, kNotHandled},
      {"TessarySettings", "EDIT", 0x1B, false, false, kCloseRoot},
      {"TessarySettings", "EDIT", 0x09, false, false, kDialogMessage},
      {"TessarySettings", "ComboBox", 0x1B, false, true, kNotHandled},
      {"TessarySettings", "Button", 0x0D, false, false, kClickButton},
      {"SomeoneElse", "Button", 0x0D, false, false, kNotHandled},
      {"TessaryEditor", "Button", 'Z', true, false, kResendToEditor},
      {"TessaryEditor", "Edit", 'Y', true, false, kNotHandled},
      {"TessaryEditor", "msctls_hotkey32", 'Y', true, false, kResendToEditor},
      {"TessaryEditor", "msctls_hotkey32", 'Y', false, false, kNotHandled},
      {"TessarySettings", "msctls_hotkey32", 'Y', true, false, kNotHandled},
  };
  for (const Case& c : cases) {
    const DialogKeyFacts facts{.virtualKey = c.key,
                               .rootClass = c.root,
                               .focusClass = c.focus,
                               .comboDroppedDown = c.dropped,
                               .focusIsPushButton = std::string(c.focus) == "Button",
                               .ctrlDown = c.ctrl};
    EXPECT_EQ(DecideDialogKey(facts), c.action) << c.root << " " << c.focus << " " << c.key;
  }
}

using EscapeTest = RunningShellTest;

TEST_F(EscapeTest, WithThePickerUpEscapeClosesItAndWithoutItReachesTheDragAsOnePressAndRelease) {
  const WindowId window = AddApp({300, 300, 800, 600});
  DragTo(window, {600, 310}, {960, 4}, 20);
  ASSERT_TRUE(Coord().DragActive());
  ASSERT_TRUE(Coord().GetPicker().Visible());
  desk.TapKey(Key::kEscape);
  Run(0.05);
  EXPECT_FALSE(Coord().GetPicker().Visible());
  EXPECT_TRUE(desk.KeysReceived(window).empty());
  // The system's move loop did not get it either: the drag goes on.
  ASSERT_TRUE(desk.Dragging());

  // Down in the middle of the display, without a picker.
  for (int i = 1; i <= 20; ++i) {
    desk.MoveCursor({960 - 13.0 * i, 4 + 24.8 * i});
    Run(0.016);
  }
  ASSERT_TRUE(Coord().DragActive());
  ASSERT_FALSE(Coord().GetPicker().Visible());
  desk.TapKey(Key::kEscape);
  Run(0.05);
  std::vector<std::tuple<Key, bool, bool>> sent;  // this Escape alone: key, released, tagged
  for (const SimKeyRecord& k : desk.InjectedKeys()) sent.emplace_back(k.key, k.release, k.injected);
  EXPECT_EQ(sent, (std::vector<std::tuple<Key, bool, bool>>{{Key::kEscape, false, true},
                                                            {Key::kEscape, true, true}}));
  // The system's move loop took it: the drag was cancelled and the window went back.
  EXPECT_FALSE(desk.Dragging());
  EXPECT_EQ(desk.Frame(window), (Rect{300, 300, 800, 600}));
  // The watch is off: a later Escape outside a drag reaches the app as usual.
  Run(0.1);
  const std::size_t before = desk.KeysReceived(window).size();
  desk.TapKey(Key::kEscape);
  Run(0.02);
  EXPECT_EQ(desk.KeysReceived(window).size(), before + 2);
  EXPECT_EQ(desk.InjectedKeys().size(), 2u);  // the user's own keys, none sent on
}

}  // namespace
}  // namespace tessary::testing
