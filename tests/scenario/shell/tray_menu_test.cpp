// The tray menu (what it holds in each situation, and what its commands do) and the icon
// (its tooltip and badge, messages as toasts or balloons, and first-use tips).

#include "shell/tray_menu.h"

#include <algorithm>

#include "shell_fixture.h"

namespace tessary::testing {
namespace {

namespace id = tray_command;
using namespace window_command;

constexpr int Window(int command) { return id::kWindowCommandBase + command; }

std::vector<std::string> Labels(const std::vector<MenuItem>& items) {
  std::vector<std::string> labels;
  for (const MenuItem& item : items) {
    labels.push_back(item.kind == MenuItemKind::kSeparator ? "-" : item.label);
  }
  return labels;
}

TrayMenuFacts FullMenu() {
  return {.version = "1.4.2",
          .hasDisplay = true,
          .displayName = "Studio Display",
          .hasActiveLayout = true,
          .hasFocusedWindow = true};
}

TEST(TrayMenuModel, TopLevelInOrder) {
  TrayMenuFacts f = FullMenu();
  MenuModel menu = BuildTrayMenu(f);
  EXPECT_EQ(Labels(menu.items),
            (std::vector<std::string>{"Tessary 1.4.2", "-", "Choose a Layout", "Switch Layout",
                                      "Focused Window", "Window Stacks", "-", "Pause Snapping",
                                      "Settings…", "-", "Help", "Check for Updates…",
                                      "About Tessary", "Quit Tessary"}));
  EXPECT_TRUE(menu.items[0].greyed);
  EXPECT_EQ(menu.items[0].id, 0);

  f.windowsArranging = true;
  f.paused = true;
  f.updateAvailable = true;
  f.availableVersion = "1.5.0";
  f.recordingDiagnostics = true;
  menu = BuildTrayMenu(f);
  EXPECT_EQ(
      Labels(menu.items),
      (std::vector<std::string>{"Tessary 1.4.2", "-", "Turn Off Windows Snap…", "Resume Snapping",
                                "Tessary 1.5.0 Is Available…", "-", "Choose a Layout",
                                "Switch Layout", "Focused Window", "Window Stacks", "-",
                                "Pause Snapping", "Settings…", "Stop Recording Diagnostics…", "-",
                                "Help", "Check for Updates…", "About Tessary", "Quit Tessary"}));

  // Without a display there is no "Choose a Layout".
  f.hasDisplay = false;
  EXPECT_EQ(FindSubmenu(BuildTrayMenu(f).items, "Choose a Layout"), nullptr);
}

TEST(TrayMenuModel, OwnLayoutsSwitchWithTheirKeysAndWithoutThemTheMenuOffersToMakeOne) {
  TrayMenuFacts f = FullMenu();
  MenuModel menu = BuildTrayMenu(f);
  const MenuItem* switchMenu = FindSubmenu(menu.items, "Switch Layout");
  ASSERT_EQ(Labels(switchMenu->children), std::vector<std::string>{"Create Custom Layout…"});
  EXPECT_EQ(switchMenu->children[0].id, id::kCreateLayout);
  const MenuItem* edit =
      FindSubmenu(FindSubmenu(menu.items, "Choose a Layout")->children, "Edit Layout");
  ASSERT_EQ(Labels(edit->children), std::vector<std::string>{"Your own layouts appear here"});
  EXPECT_TRUE(edit->children[0].greyed);
  EXPECT_FALSE(FindItem(menu.items, id::kExportArrangement)->greyed);

  for (int i = 0; i < 10; ++i) f.ownLayoutNames.push_back("Mine " + std::to_string(i));
  f.activeOwnLayout = 1;
  menu = BuildTrayMenu(f);
  switchMenu = FindSubmenu(menu.items, "Switch Layout");
  ASSERT_EQ(switchMenu->children.size(), 10u);
  EXPECT_EQ(switchMenu->children[0].label, "Mine 0\tCtrl+Alt+1");
  EXPECT_EQ(switchMenu->children[8].label, "Mine 8\tCtrl+Alt+9");
  EXPECT_EQ(switchMenu->children[9].label, "Mine 9");
  EXPECT_EQ(switchMenu->children[9].id, id::kSwitchLayoutBase + 9);
  EXPECT_TRUE(switchMenu->children[1].checked);
  EXPECT_FALSE(switchMenu->children[0].checked);
  EXPECT_EQ(FindItem(menu.items, id::kEditLayoutBase + 3)->label, "Mine 3");
}

TEST(TrayMenuModel, FocusedWindowCommandsAndWhatGreysThem) {
  TrayMenuFacts f = FullMenu();
  f.shortcutLabels[kPlace] = "Ctrl+Alt+P";
  f.shortcutLabels[kDividers] = "Ctrl+Alt+A";
  const MenuModel menu = BuildTrayMenu(f);
  const MenuItem* focused = FindSubmenu(menu.items, "Focused Window");
  EXPECT_EQ(Labels(focused->children),
            (std::vector<std::string>{"Place…\tCtrl+Alt+P", "Fill Screen", "Put Back", "Restore",
                                      "-", "Adjust Shared Dividers\tCtrl+Alt+A"}));
  EXPECT_EQ(Labels(FindSubmenu(menu.items, "Window Stacks")->children),
            (std::vector<std::string>{"Show Window Stack…", "Show Stack Overview", "Next Window",
                                      "Previous Window", "Move Spanning Window Behind", "-",
                                      "Window Stack Settings…"}));
  // Stacks off greys the five stack commands, not their settings nor the others.
  f.windowStacksEnabled = false;
  const MenuModel noStacks = BuildTrayMenu(f);
  for (int command = kStack; command <= kSendToBack; ++command) {
    EXPECT_TRUE(FindItem(noStacks.items, Window(command))->greyed) << command;
  }
  EXPECT_FALSE(FindItem(noStacks.items, id::kStackSettings)->greyed);
  EXPECT_FALSE(FindItem(noStacks.items, Window(kFill))->greyed);
  // Without a focused window every command on it is greyed (and without an active layout the
  // dividers and the arrangement's export: OnlyItemsWithoutTheirSubjectAreGreyed).
  f = FullMenu();
  f.hasFocusedWindow = false;
  for (int command : {Window(kPlace), Window(kFill), Window(kPutBack), Window(kRestore),
                      Window(kStack), Window(kSendToBack), id::kAdjustDividers}) {
    EXPECT_TRUE(FindItem(BuildTrayMenu(f).items, command)->greyed) << command;
  }
}

TEST(TrayMenuModel, LayoutEntriesWithTheAdjustedHeading) {
  TrayMenuFacts f = FullMenu();
  for (int i = 0; i < 95; ++i) {
    f.layouts.push_back(TrayLayoutEntry{"L" + std::to_string(i), "", i >= 3, i == 4, 2, {}});
  }
  MenuModel menu = BuildTrayMenu(f);
  const MenuItem* choose = FindSubmenu(menu.items, "Choose a Layout");
  const auto labels = Labels(choose->children);
  EXPECT_EQ(std::vector<std::string>(labels.begin(), labels.begin() + 8),
            (std::vector<std::string>{"Studio Display", "-", "L0", "L1", "L2", "-",
                                      "Adjusted proportions", "L3"}));
  EXPECT_EQ(std::count_if(choose->children.begin(), choose->children.end(),
                          [](const MenuItem& item) { return item.kind == MenuItemKind::kLayout; }),
            90);
  EXPECT_TRUE(FindItem(menu.items, id::kChooseLayoutBase + 4)->checked);
  EXPECT_EQ(FindItem(menu.items, id::kChooseLayoutBase + 90), nullptr);
  EXPECT_EQ(choose->children.back().label, "Reset Layouts on Studio Display…");
}

TEST(TrayMenuModel, LayoutEntryTexts) {
  SnapLayout halves = *LayoutStore::FindBuiltIn("halves");
  SnapLayout wider = halves;
  wider.tree = MakeSplit(Axis::Columns, 0.6, MakeLeaf(0), MakeLeaf(1));
  EXPECT_TRUE(IsAdjustedLayout(wider, {}));
  SnapLayout corner{"corner-custom", "Custom corner layout", halves.tree, {}};
  EXPECT_TRUE(IsAdjustedLayout(corner, {}));
  SnapLayout own{"user-1", "Desk", halves.tree, {}};
  EXPECT_FALSE(IsAdjustedLayout(own, {own}));
  EXPECT_TRUE(IsAdjustedLayout(own, {SnapLayout{"user-1", "Desk", wider.tree, {}}}));

  EXPECT_EQ(LayoutEntryTitle(halves, true), "Adjusted: " + halves.name);
  EXPECT_EQ(LayoutEntrySubtitle({}, true, true), "Adjusted proportions");
  EXPECT_EQ(LayoutEntrySubtitle({}, false, true), "Custom layout");
  EXPECT_EQ(LayoutEntrySubtitle({"Mail", "Notes"}, true, true), "Mail, Notes");
  TrayLayoutEntry entry{"Halves", "Standard proportions", false, true, 2, {}};
  EXPECT_EQ(LayoutEntryAccessibleText(entry),
            "Halves, current layout, 2 regions, Standard proportions");
}

TEST(TrayMenuModel, LayoutItemMetricsFollowTheScale) {
  const LayoutItemMetrics m = LayoutMenuItemMetrics(1.5);
  EXPECT_EQ(m.height, 90);
  EXPECT_EQ(m.textLeft, 189);
  EXPECT_EQ(m.thumbnail, (Rect{45, 11, 123, 69}));
  EXPECT_EQ(LayoutMenuItemWidth(m, 200, 260, 20), 495 - 20);
  EXPECT_EQ(LayoutMenuItemWidth(m, 10, 20, 20), 495 - 20);
  EXPECT_EQ(LayoutMenuItemWidth(m, 400, 20, 20), 625 - 20);
  EXPECT_TRUE(MenuTextIsLight(255, 255, 255));
  EXPECT_FALSE(MenuTextIsLight(0, 0, 0));
}

using TrayMenuStory = RunningShellTest;

// The menu's window commands act on the window the user was in before (the task bar in
// front does not count), brought forward first; one that vanished meanwhile leaves the
// command without a target.
TEST_F(TrayMenuStory, WindowCommandsActOnTheWindowBeforeTheTaskbarUnlessItVanished) {
  const WindowId other = AddApp({900, 150, 800, 600});
  const WindowId app = AddApp({200, 150, 800, 600});
  const WindowId taskbar = desk.AddWindow({.className = "Shell_TrayWnd",
                                           .frame = {0, 1040, 1920, 40},
                                           .style = window_style::kPopup,
                                           .exStyle = window_ex_style::kToolWindow});
  Pump();
  ASSERT_EQ(desk.Foreground(), taskbar);
  const MenuModel& menu = ChooseFromMenu(Window(kFill));
  EXPECT_EQ(FindItem(menu.items, Window(kFill))->label, "Fill Screen\tCtrl+Alt+F");
  EXPECT_EQ(desk.Frame(app), (Rect{8, 8, 1904, 1024}));
  EXPECT_EQ(desk.Foreground(), app);

  host.menus.whileShown = [&](const MenuModel&) {
    desk.CloseWindow(app);
    desk.Activate(other);
  };
  ChooseFromMenu(Window(kFill));
  EXPECT_EQ(desk.Beeps(), 1);  // not the window in front now either
}

TEST_F(TrayMenuStory, PausingDuringADragEndsItAndSaysSoInTheTooltip) {
  const WindowId app = AddApp({200, 150, 800, 600});
  DragTo(app, {500, 160}, {600, 300});
  ASSERT_TRUE(Coord().DragActive());
  ChooseFromMenu(id::kPause);
  EXPECT_FALSE(Coord().DragActive());
  EXPECT_EQ(host.tray.state.tooltip, "Tessary (paused)");
  desk.Release();
  Run(0.1);
  const MenuModel& again = ChooseFromMenu(id::kResume);
  EXPECT_TRUE(FindItem(again.items, id::kPause)->checked);
  EXPECT_EQ(host.tray.state.tooltip, "Tessary");  // read from the Coordinator: running again
}

TEST_F(TrayMenuStory, AboutBoxAndProductPage) {
  ChooseFromMenu(id::kAbout);
  ASSERT_EQ(desk.PromptsShown().size(), 1u);
  EXPECT_EQ(desk.PromptsShown()[0].caption, "About Tessary");
  EXPECT_EQ(desk.PromptsShown()[0].icon, PromptIcon::kInformation);
  const std::string& text = desk.PromptsShown()[0].text;
  EXPECT_EQ(text.rfind("Tessary 1.4.2 for Windows\n\nDrag a window", 0), 0u);
  EXPECT_NE(text.find("Alt while dragging  Move freely\n\nquillfrost.example"), std::string::npos);
  ChooseFromMenu(id::kUserGuide);
  ASSERT_EQ(desk.Launches().size(), 1u);
  EXPECT_EQ(desk.Launches()[0].file, "https://quillfrost.example/tessary/");
}

TEST_F(TrayMenuStory, ResetLayoutsAsksFirstAndStopsWaitingForAppsThere) {
  const std::string key = DisplayKey();
  desk.AddFile("C:\\Apps\\paint.exe", "Paint");
  SnapLayout layout = *LayoutStore::FindBuiltIn("halves");
  layout.apps = {{1, {"C:\\Apps\\paint.exe"}}};
  ASSERT_TRUE(Coord().ApplyComposition(key, layout));
  Run(0.3);  // its refresh is done; it still waits for Paint
  ASSERT_EQ(Coord().RefreshDeadline(), 0);
  ASSERT_TRUE(desk.TimerRunning(6));
  desk.SetConfirmAnswer(false);
  ChooseFromMenu(id::kResetLayouts);
  ASSERT_EQ(desk.PromptsShown().size(), 1u);
  EXPECT_EQ(Told(desk.PromptsShown()[0]),
            std::tuple(SimPromptKind::kAsk, PromptIcon::kQuestion, "Reset Layouts",
                       "Return the built-in layouts on Studio Display to their standard "
                       "proportions? Your own layouts are kept."));
  EXPECT_TRUE(Coord().Layouts().ActiveLayout(key).has_value());
  EXPECT_TRUE(desk.TimerRunning(6));
  desk.SetConfirmAnswer(true);
  ChooseFromMenu(id::kResetLayouts);
  EXPECT_FALSE(Coord().Layouts().ActiveLayout(key).has_value());
  EXPECT_GT(Coord().RefreshDeadline(), 0);
  EXPECT_FALSE(desk.TimerRunning(6));
}

TEST_F(TrayMenuStory, ChooseAndSwitchEntriesAndCtrlAltDigitsApplyLayouts) {
  const std::string key = DisplayKey();
  for (const char* own : {"user-a", "user-b"}) {
    SaveOwnLayout(own, own, LayoutStore::FindBuiltIn("rows")->tree);
  }
  const WindowId app = AddApp({200, 150, 800, 600});
  const MenuItem* choose = FindSubmenu(ChooseFromMenu(0).items, "Choose a Layout");
  const auto halves = std::ranges::find(choose->children, std::string("Halves"), &MenuItem::label);
  ASSERT_NE(halves, choose->children.end());
  const int halvesItem = halves->id;
  ChooseFromMenu(halvesItem);
  EXPECT_EQ(desk.Frame(app), (Rect{8, 8, 948, 1024}));
  // The next menu checks the layout now in use, and only that one.
  const MenuModel& next = ChooseFromMenu(0);
  const MenuItem* checked = FindItem(next.items, halvesItem);
  EXPECT_TRUE(checked->checked);
  EXPECT_EQ(checked->layout->subtitle, "Standard proportions");
  EXPECT_TRUE(static_cast<bool>(checked->layout->thumbnail));
  EXPECT_FALSE(FindItem(next.items, halvesItem + 1)->checked);

  ChooseFromMenu(id::kSwitchLayoutBase + 1);
  EXPECT_EQ(Coord().Layouts().ActiveLayout(key)->id, "user-b");
  ASSERT_TRUE(host.hotkeys.Press(kCtrlAlt, '1'));
  Pump();
  EXPECT_EQ(Coord().Layouts().ActiveLayout(key)->id, "user-a");
  ASSERT_TRUE(host.hotkeys.Press(kCtrlAlt, '3'));  // there is no third
  Pump();
  EXPECT_EQ(desk.Beeps(), 1);
}

TEST_F(TrayMenuStory, TheEditorOpensToCreateFromTheMenuAndTheOpenRequestAndToEditAnOwnLayout) {
  const auto editorTitle = [&] {
    SimDialogWindow* editor = desk.Surfaces().Dialogs().Find("TessaryEditor");
    return editor ? editor->Options().title : std::string("(none)");
  };
  ChooseFromMenu(id::kCreateLayout);
  EXPECT_EQ(editorTitle(), "Create Custom Layout");
  desk.Surfaces().Dialogs().Find("TessaryEditor")->RequestClose();
  Request(OpenRequest::kEditor);
  EXPECT_EQ(editorTitle(), "Create Custom Layout");

  SaveOwnLayout("user-mine", "Mine", LayoutStore::FindBuiltIn("rows")->tree);
  ChooseFromMenu(id::kEditLayoutBase);  // opening again replaces the open editor
  EXPECT_EQ(editorTitle(), "Edit Layout");
  EXPECT_EQ(desk.Surfaces().Dialogs().Open().size(), 1u);
  EXPECT_EQ(desk.Surfaces().Dialogs().Find("TessaryEditor")->Text(100), "Mine");
}

// Nothing is greyed for being unbuilt: only items that need what the desktop lacks.
TEST_F(TrayMenuStory, OnlyItemsWithoutTheirSubjectAreGreyed) {
  AddApp({200, 150, 800, 600});
  const MenuModel& menu = ChooseFromMenu(0);
  std::vector<int> greyed;
  for (int command = 1; command < id::kEditLayoutBase + 100; ++command) {  // every id in use
    const MenuItem* item = FindItem(menu.items, command);
    if (item != nullptr && item->greyed) greyed.push_back(command);
  }
  // Without an active layout there are no dividers to adjust (109) and no arrangement to
  // export (106); without own layouts nothing of the user's to export (105).
  EXPECT_EQ(greyed, (std::vector<int>{105, 106, 109}));
}

TEST(TrayBadge, WhiteRingedBlueDotInTheLowerRightCorner) {
  struct Case {
    int size;
    int x;
    int y;
    std::optional<std::uint32_t> pixel;
  };
  const Case cases[] = {
      {16, 12, 12, 0xFF0067C0u},   // n = 16: r = 2.67, m = 1, c = 12.33
      {16, 15, 12, 0xFFFFFFFFu},   // in the ring
      {16, 0, 0, std::nullopt},    // the icon's own pixels elsewhere
      {16, 15, 15, std::nullopt},  // the corner itself is outside the ring
      {32, 24, 24, 0xFF0067C0u},   // n = 32: r = 5.33, m = 2, c = 24.67
      {32, 30, 24, 0xFFFFFFFFu},   // in the ring
      {32, 31, 31, std::nullopt},  // outside
  };
  for (const Case& c : cases) {
    EXPECT_EQ(TrayBadgePixel(c.size, c.x, c.y), c.pixel) << c.size << ": " << c.x << "," << c.y;
  }
}

// At sign-in the notification area refuses the first adds; the icon is tried again after
// 1, 2 and 4 seconds and stays once it is in. A change of scale loads it afresh.
TEST_F(ShellTest, TheIconIsTriedAgainUntilTheNotificationAreaTakesIt) {
  host.tray.refuseAdds = 3;
  StartWith();
  auto adds = [&] { return std::count(Journal().begin(), Journal().end(), "tray add"); };
  for (const auto& [seconds, tries] :
       std::vector<std::pair<double, long>>{{0.9, 1}, {0.2, 2}, {1.7, 2}, {0.4, 3}, {3.6, 3}}) {
    Run(seconds);
    EXPECT_EQ(adds(), tries) << desk.Now();  // each one refused
  }
  Run(0.4);
  EXPECT_TRUE(host.tray.present);
  EXPECT_EQ(host.tray.state.tooltip, "Tessary");
  Run(120);
  EXPECT_EQ(adds(), 4);

  host.ClearJournal();
  desk.ChangeDisplay(display, {.bounds = {0, 0, 1920, 1080}, .scale = 1.5});
  Pump();
  EXPECT_GE(JournalIndex("tray modify"), 0);
}

using TrayIconTest = RunningShellTest;

TEST_F(TrayIconTest, TipsShowOnceAndMessagesGoToTheToastOrWhileTheUserIsBusyToAQuietBalloon) {
  Coord().Callbacks().showTip("span");
  Toast& toast = *Probe().toast();
  EXPECT_EQ(toast.Text().title,
            "Tip \xC2\xB7 This window spans regions; the windows it covers are stacked behind it.");
  EXPECT_NEAR(toast.HideAt() - desk.Now(), 7.0, 0.5);
  EXPECT_NE(SettingsFile().find(R"("tipsShown":["span"])"), std::string::npos);
  Run(8);
  ASSERT_EQ(toast.Phase(), ToastPhase::kHidden);
  shell->ShowTip("span");
  EXPECT_EQ(toast.Phase(), ToastPhase::kHidden);

  // Paused, a tip would only interrupt: it counts as shown and never comes.
  shell->SetPaused(true);
  shell->ShowTip("badge");
  shell->SetPaused(false);
  shell->ShowTip("badge");
  shell->ShowTip("no-such-tip");  // recorded, but there is nothing to show
  EXPECT_EQ(toast.Phase(), ToastPhase::kHidden);
  EXPECT_EQ(Probe().settings().Current().tipsShown,
            (std::set<std::string>{"badge", "no-such-tip", "span"}));

  // Messages go to the toast for four seconds. Over a full-screen game, a video or a
  // presentation the toast would be in the way: the message goes to a balloon, which the
  // system holds until the user is free.
  host.tray.balloons.clear();
  Coord().Callbacks().notify("Notepad can't be made that small.");
  EXPECT_EQ(toast.Text().title, "Notepad can't be made that small.");
  EXPECT_NEAR(toast.HideAt() - desk.Now(), 4.0, 0.5);
  Run(5);
  desk.SystemSettings().userBusy = true;
  Coord().Callbacks().notify("Notepad couldn't fit there.");
  EXPECT_EQ(toast.Phase(), ToastPhase::kHidden);
  EXPECT_EQ(host.tray.balloons,
            (std::vector<TrayBalloon>{{"Tessary", "Notepad couldn't fit there."}}));
}

}  // namespace
}  // namespace tessary::testing
