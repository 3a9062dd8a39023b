// The settings window as the user meets it: opened from every entry point, each control
// applied at once to the record and settings.json, the shortcut rows with their rules and
// conflicts, the mouse-button capture, Restore Defaults, the two reset buttons and a
// failed save.

#include "layout/json_value.h"
#include "shell/settings_window_layout.h"
#include "shell/shortcuts.h"
#include "shell_fixture.h"
#include "state/badge_placements_document.h"
#include "state/minimum_sizes_document.h"
#include "state/state_folder.h"

namespace tessary::testing {
namespace {

namespace ctl = settings_control;
using namespace window_command;

class SettingsWindowStory : public ShellTest {
 protected:
  SimDialogWindow* Window() { return desk.Surfaces().Dialogs().Find("TessarySettings"); }
  SimDialogWindow& StartAndOpen(const std::string& settingsJson = kSeenThisVersion) {
    StartWith(settingsJson);
    return OpenSettingsWindow();
  }
  bool FileHas(const std::string& text) const {
    return SettingsFile().find(text) != std::string::npos;
  }
  const tessary::Settings& Record() { return Probe().settings().Current(); }
};

TEST_F(SettingsWindowStory, EveryEntryPointOpensTheOneWindow) {
  StartWith();
  const std::function<void()> ways[] = {
      [&] { ChooseFromMenu(tray_command::kSettings); },
      [&] { ChooseFromMenu(tray_command::kStackSettings); },
      [&] { Request(OpenRequest::kSettings); },
  };
  for (const auto& open : ways) {
    open();
    open();  // a second time brings the same window forward
    ASSERT_EQ(desk.Surfaces().Dialogs().Open().size(), 1u);
    EXPECT_EQ(Window()->Options().title, "Tessary Settings");
    // "Window Stack Settings…" starts at its section.
    EXPECT_EQ(Window()->FocusedId() == ctl::kUseStacks, &open == &ways[1]);
    Window()->RequestClose();
    EXPECT_EQ(Window(), nullptr);
  }
}

TEST_F(SettingsWindowStory, EachControlAppliesAtOnceAndIsSaved) {
  SimDialogWindow& w = StartAndOpen();
  // The file is written from the record, so what it holds is what the program now uses.
  const std::pair<std::function<bool()>, const char*> cases[] = {
      {[&] { return w.Press(ctl::kStartAtLogin); }, R"("startAtLogin":true)"},
      {[&] { return w.Press(ctl::kCheckUpdates); }, R"("checkUpdates":true)"},
      {[&] { return w.Press(ctl::kUseStacks); }, R"("windowStacksEnabled":false)"},
      {[&] { return w.Press(ctl::kShowBadges); }, R"("stackBadgesEnabled":false)"},
      {[&] { return w.Press(ctl::kBadgesOnEdge); }, R"("stackBadgesOnEdge":false)"},
      {[&] { return w.Choose(ctl::kStackOrder, 1); }, R"("stackOrder":"name")"},
      {[&] { return w.Choose(ctl::kTransition, 4); }, R"("stackTransition":"melt")"},
      {[&] {
         return w.EnterHotkey(ctl::HotkeyOf(kPlace), {'K', kModCtrl | kModShift});
       },
       R"("shortcuts":{"place":{"vk":75,"mods":6}})"},
      {[&] {
         return w.EnterHotkey(ctl::HotkeyOf(kMoveRight), {'J', kCtrlAlt});
       },  // Win added
       R"("moveShortcuts":{"right":{"vk":74,"mods":11}})"},
  };
  for (const auto& [act, inFile] : cases) {
    ASSERT_TRUE(act()) << inFile;
    EXPECT_TRUE(FileHas(inFile)) << inFile << ": " << SettingsFile();
  }
  EXPECT_TRUE(startup.IsRegistered());
  EXPECT_EQ(w.Items(ctl::kTransition),
            (std::vector<std::string>{"Slide", "3D Cards", "Genie", "Tornado", "Melt",
                                      "Disintegrate"}));
  EXPECT_EQ(w.Items(ctl::kStackOrder), (std::vector<std::string>{"Last Used", "Name"}));
  // The new keys work at once: they are registered.
  EXPECT_TRUE(host.hotkeys.Press(kModCtrl | kModShift, 'K'));
}

// The shortcut rows: what a key field takes, the conflicts it shows, and Restore Defaults
// that brings back every key and clears the buttons.
TEST_F(SettingsWindowStory, KeyFieldsTheirConflictsAndRestoreDefaults) {
  host.hotkeys.TakeByOtherApp(kCtrlAlt, 'K');
  host.layouts.AddAltGrCharacter('Q');
  SimDialogWindow& w = StartAndOpen(
      R"({"lastSeenVersion":"1.4.2","mouseShortcuts":{"next":{"button":4,"mods":0}}})");
  const int field = ctl::HotkeyOf(kFill);
  EXPECT_EQ(w.Hotkey(field), (DialogHotkey{'F', kCtrlAlt}));
  struct Case {
    DialogHotkey entered;
    KeyShortcut expected;
  };
  const Case cases[] = {
      {{'K', kModShift}, {'F', kCtrlAlt}},  // ignored: the field shows it, nothing changes
      {{'K', 0}, {'F', kCtrlAlt}},
      {{'K', kModAlt}, {'K', kModAlt}},
      {{0, 0}, {0, 0}},  // Backspace empties the field
  };
  for (const Case& c : cases) {
    w.EnterHotkey(field, c.entered);
    EXPECT_EQ(Record().shortcuts[kFill], c.expected) << c.entered.virtualKey;
    EXPECT_EQ(w.Hotkey(field), c.entered);
  }
  EXPECT_EQ(host.hotkeys.registered.count(kFirstCommandHotkey + kFill), 0u);
  EXPECT_TRUE(FileHas(R"("fill":{"vk":0,"mods":0})"));

  EXPECT_EQ(w.Text(ctl::kConflicts), "");
  w.EnterHotkey(field, {'K', kCtrlAlt});
  EXPECT_EQ(w.Text(ctl::kConflicts),
            "Fill Screen with Focused Window: Another app already uses these keys");
  w.EnterHotkey(ctl::HotkeyOf(kPlace), {'Q', kCtrlAlt});
  EXPECT_EQ(w.Text(ctl::kConflicts),
            "Place Focused Window: Types a character with AltGr on your keyboard: choose other "
            "keys\nFill Screen with Focused Window: Another app already uses these keys");
  // The settings keep what the user chose; those keys simply do not work.
  EXPECT_EQ(Record().shortcuts[kPlace], (KeyShortcut{'Q', kCtrlAlt}));

  w.Press(ctl::kRestoreDefaults);
  EXPECT_EQ(w.Text(ctl::kConflicts), "");
  EXPECT_EQ(w.Hotkey(ctl::HotkeyOf(kPlace)), (DialogHotkey{'P', kCtrlAlt}));
  EXPECT_EQ(w.Text(ctl::MouseBoxOf(kNext)), "None");
  // Default keys and no buttons are what a file without either says.
  EXPECT_FALSE(FileHas(R"("vk")"));
  EXPECT_FALSE(FileHas(R"("button")"));
  EXPECT_FALSE(host.mouseHook.Running());
}

TEST_F(SettingsWindowStory, AMouseBoxWaitsForTheNextButtonAndTheSameBoxAgainSetsNone) {
  SimDialogWindow& w = StartAndOpen(
      R"({"lastSeenVersion":"1.4.2","mouseShortcuts":{"place":{"button":3,"mods":2}}})");
  const int stackBox = ctl::MouseBoxOf(kStack);
  EXPECT_EQ(w.Text(ctl::MouseBoxOf(kPlace)), "Ctrl+Middle Click");
  EXPECT_EQ(w.Text(stackBox), "None");
  // A screen reader hears which command the box binds, as a key field's label says it.
  EXPECT_EQ(w.AccessibleName(stackBox), "Show Window Stack mouse button: None");
  w.Press(stackBox);
  EXPECT_EQ(w.Text(stackBox), "Click a button\u2026");
  EXPECT_EQ(Probe().capturing(), kStack);
  host.mouseHook.Click(kMouseMiddle, kModCtrl, 50, 50);
  Pump();
  // The binding moves from Place to Show Window Stack.
  EXPECT_EQ(w.Text(stackBox), "Ctrl+Middle Click");
  EXPECT_EQ(w.AccessibleName(stackBox), "Show Window Stack mouse button: Ctrl+Middle Click");
  EXPECT_EQ(w.Text(ctl::MouseBoxOf(kPlace)), "None");
  EXPECT_TRUE(FileHas(R"("mouseShortcuts":{"stack":{"button":3,"mods":2}})"));

  w.Press(stackBox);
  w.Press(stackBox);
  EXPECT_EQ(w.Text(stackBox), "None");
  EXPECT_FALSE(Probe().capturing().has_value());
  EXPECT_FALSE(host.mouseHook.Running());  // nothing bound any more
  // With nothing bound, a waiting box alone runs the hook; closing the window ends the
  // capture, and a button the hook caught just before changes nothing.
  w.Press(ctl::MouseBoxOf(kNext));
  EXPECT_TRUE(host.mouseHook.Running());
  w.RequestClose();
  EXPECT_FALSE(Probe().capturing().has_value());
  EXPECT_FALSE(host.mouseHook.Running());
  host.window.Send(main_window_message::kMouseCaptured, kMouseBack, 0);
  EXPECT_EQ(Record().mouseShortcuts[kNext], MouseShortcut{});
}

struct ResetCase {
  const char* minimums;  // the learned sizes document; null: no file
  const char* badges;    // the badge placements document; null: no file
  const char* forgot;
  const char* reset;
};

class ResetButtonsStory : public SettingsWindowStory,
                          public ::testing::WithParamInterface<ResetCase> {
 protected:
  void Store(std::string_view name, std::string_view key, const char* document) {
    if (document == nullptr) return;
    files.files[JoinPath("state", name)] =
        "{\"" + std::string(key) + "\":" + WriteJsonCompact(JsonValue(document)) + "}";
  }
};

TEST_P(ResetButtonsStory, SayWhatTheyCleared) {
  Store(kMinimumsFileName, kAppMinimumSizesKey, GetParam().minimums);
  Store(kBadgesFileName, kBadgePlacementsKey, GetParam().badges);
  SimDialogWindow& w = StartAndOpen();
  w.Press(ctl::kForgetSizes);
  EXPECT_EQ(w.Text(ctl::kStatus), GetParam().forgot);
  EXPECT_TRUE(Coord().Minimums().Learned().empty());
  w.Press(ctl::kResetBadges);
  EXPECT_EQ(w.Text(ctl::kStatus), GetParam().reset);
}

INSTANTIATE_TEST_SUITE_P(
    , ResetButtonsStory,
    ::testing::Values(
        ResetCase{R"({"app-a":[300,200]})", R"({"D1":[{"slot":[0,0,960,1040],"dx":4,"dy":5}]})",
                  "Forgot the sizes of 1 app.", "Every badge is back in its usual place."},
        ResetCase{R"({"app-a":[300,200],"app-b":[500,400],"app-c":[320,240]})", "{}",
                  "Forgot the sizes of 3 apps.", "No badges had been moved."},
        ResetCase{nullptr, nullptr, "No window sizes were remembered.",
                  "No badges had been moved."}));

TEST_F(SettingsWindowStory, StartAtLoginIsReadFromTheSystemOnEveryOpening) {
  startup.SetOutside(true);
  StartWith();
  startup.SetOutside(false);  // the user removed the entry meanwhile
  SimDialogWindow& w = OpenSettingsWindow();
  EXPECT_FALSE(w.Checked(ctl::kStartAtLogin));
  EXPECT_TRUE(FileHas(R"("startAtLogin":false)"));
  startup.SetOutside(true);
  OpenSettingsWindow();  // already open: brought forward, read again
  EXPECT_TRUE(w.Checked(ctl::kStartAtLogin));
  // A refused change shows as not made.
  startup.FailWrites(true);
  w.Press(ctl::kStartAtLogin);
  EXPECT_TRUE(w.Checked(ctl::kStartAtLogin));
  EXPECT_TRUE(Record().startAtLogin);
}

TEST_F(SettingsWindowStory, APackagedProgramPointsToTheSystemsStartupList) {
  startup = MemoryStartupEntry(false, true);
  SimDialogWindow& w = StartAndOpen();
  EXPECT_FALSE(w.Shown(ctl::kStartAtLogin));
  w.Press(ctl::kStartupApps);
  ASSERT_FALSE(desk.Launches().empty());
  EXPECT_EQ(desk.Launches().back().file, "ms-settings:startupapps");
}

TEST_F(SettingsWindowStory, AFailedSaveSaysSoAndKeepsTheChange) {
  SimDialogWindow& w = StartAndOpen();
  const std::string before = SettingsFile();
  files.failWrites = true;
  w.Press(ctl::kUseStacks);
  EXPECT_EQ(SettingsFile(), before);
  EXPECT_EQ(w.Text(ctl::kStatus),
            "Tessary couldn\u2019t save your settings. They apply until Tessary quits; the next "
            "change tries again.");
  files.failWrites = false;
  w.Press(ctl::kShowBadges);
  EXPECT_EQ(w.Text(ctl::kStatus), "");
  EXPECT_TRUE(FileHas(R"("windowStacksEnabled":false,"stackBadgesEnabled":false)"));
}

}  // namespace
}  // namespace tessary::testing
