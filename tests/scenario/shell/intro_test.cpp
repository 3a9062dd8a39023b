// The windows that introduce the program: the greeting at start-up (welcome on the first
// start, What's New after an upgrade), the information window's layout, and the tour with
// its pages and their actions.

#include "dialogs/info_layout.h"
#include "dialogs/release_notes.h"
#include "dialogs/tour_window.h"
#include "dialogs/welcome.h"
#include "shell/tray_menu.h"
#include "shell_fixture.h"

namespace tessary::testing {
namespace {

class IntroTest : public ShellTest {
 protected:
  SimDialogRegistry& Dialogs() { return desk.Surfaces().Dialogs(); }
  SimDialogWindow* Info() { return Dialogs().Find(kInfoClassName); }
  SimDialogWindow* Tour() { return Dialogs().Find(kTourClassName); }
  int OpenOfClass(std::string_view className) {
    return static_cast<int>(std::ranges::count_if(
        Dialogs().Open(), [&](SimDialogWindow* w) { return w->Options().className == className; }));
  }
  // The buttons left to right as "text@x".
  std::vector<std::string> Buttons(SimDialogWindow& window) {
    std::vector<std::string> buttons;
    for (const ControlSpec& spec : window.Options().controls) {
      if (spec.kind == ControlKind::kButton || spec.kind == ControlKind::kDefaultButton) {
        buttons.push_back(spec.text + "@" + std::to_string(static_cast<int>(spec.units.x)));
      }
    }
    return buttons;
  }
};

// Version comparison itself: Versions.CompareAsPaddedListsOfLeadingNumbers.
TEST(ReleaseNotes, TheNotesAreNewestFirst) {
  const auto notes = ReleaseNotes();
  ASSERT_EQ(notes.size(), 5u);
  EXPECT_EQ(notes.back().version, "0.1.0");
  // Nothing newer than the running one (newest first: TheGreetingFollowsTheStoredVersion).
  EXPECT_EQ(WhatsNewText("0.1.3", "0.1.4"), "Tessary 0.1.4\n" + std::string(notes[1].notes));
  EXPECT_TRUE(WhatsNewText("", "0.1.5").ends_with(notes.back().notes));
}

TEST(InfoLayoutNumbers, ButtonsLineUpFromTheRightBelowTheBodyAndTheCheckBox) {
  const InfoTemplate welcome = WelcomeTemplate({.windowsSnapOn = true});
  const InfoLayout plain = LayOutInfo(welcome, 100);
  EXPECT_EQ(plain.clientWidth, 600);
  EXPECT_EQ(plain.clientHeight, 248);  // 100 + 8 + 76 + 64
  ASSERT_EQ(plain.controls.size(), 5u);
  EXPECT_EQ(plain.controls[0].units, (Rect{20, 20, 560, 40}));
  EXPECT_EQ(plain.controls[1].units, (Rect{20, 72, 560, 108}));
  // 7.5 units per character + 16, at least 100; 10 apart; the default one rightmost.
  EXPECT_EQ(plain.controls[2].units, (Rect{173, 200, 173.5, 32}));
  EXPECT_EQ(plain.controls[3].units, (Rect{356.5, 200, 113.5, 32}));
  EXPECT_EQ(plain.controls[4].units, (Rect{480, 200, 100, 32}));
  EXPECT_EQ(plain.controls[4].kind, ControlKind::kDefaultButton);

  InfoTemplate checked = welcome;
  checked.checkBox = InfoCheckBox{"Start Tessary when you sign in", true};
  const InfoLayout withBox = LayOutInfo(checked, 100);
  EXPECT_EQ(withBox.clientHeight, 282);
  EXPECT_EQ(withBox.controls[2].units, (Rect{20, 188, 560, 24}));
  EXPECT_EQ(withBox.controls[5].units.y, 234);
  // A taller body moves everything below it down by as much.
  EXPECT_EQ(LayOutInfo(checked, 160).controls[5].units.y, 294);
}

// A later start of the same version greets no more: TheGreetingFollowsTheStoredVersion.
TEST_F(IntroTest, FirstStartWelcomesAndStoresTheVersion) {
  StartOrFail();
  SimDialogWindow* welcome = Info();
  ASSERT_NE(welcome, nullptr);
  EXPECT_EQ(welcome->Options().title, "Welcome to Tessary");
  EXPECT_EQ(welcome->Text(kInfoHeadingId), "Tessary gives every window a place");
  EXPECT_TRUE(welcome->Text(kInfoBodyId).starts_with("Drag a window by its title bar"));
  // The simulated system snaps windows itself, so the first button offers to stop that.
  EXPECT_EQ(Buttons(*welcome), (std::vector<std::string>{"Turn Off Windows Snap@173",
                                                         "Take the Tour@356", "Get Started@480"}));
  EXPECT_EQ(welcome->FocusedId(), info_command::kGetStarted);
  EXPECT_EQ(welcome->Text(kInfoCheckBoxId), "Start Tessary when you sign in");
  EXPECT_FALSE(welcome->Checked(kInfoCheckBoxId));
  EXPECT_EQ(welcome->Options().center, (Point{960, 520}));

  // Turning Windows Snap off asks first; the welcome window stays.
  desk.SetConfirmAnswer(true);
  desk.SystemSettings().turnOffSucceeds = true;
  welcome->Press(info_command::kTurnOffWindowsSnap);
  EXPECT_EQ(desk.PromptsShown().size(), 1u);
  EXPECT_EQ(desk.SystemSettings().windowArranging, false);
  ASSERT_EQ(Info(), welcome);
  welcome->Press(kInfoCheckBoxId);
  EXPECT_TRUE(Probe().settings().Current().startAtLogin);
  EXPECT_TRUE(startup.IsRegistered());
  welcome->Press(info_command::kGetStarted);
  EXPECT_EQ(Info(), nullptr);
}

// The What's New text itself: ReleaseNotes.TheNotesAreNewestFirst.
TEST_F(IntroTest, TheGreetingFollowsTheStoredVersion) {
  struct Case {
    const char* lastSeen;  // in settings.json
    const char* instance;
    bool whatsNew;
  };
  const Case cases[] = {
      {"0.1.3", nullptr, true},
      {"0.1.5", nullptr, false},
      {"0.1.3", "dev", false},  // a separate instance (its first run: SecondCopy...)
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.lastSeen) + (c.instance ? " instance" : ""));
    desk.SetEnvironment("TESSARY_INSTANCE", c.instance ? c.instance : "");
    StoreSettings(std::string(R"({"lastSeenVersion":")") + c.lastSeen + "\"}");
    SimShellHost upgraded;
    upgraded.services.version = ProgramVersion{0, 1, 5};
    const auto run = std::make_unique<Shell>(Environment(upgraded));  // on the same files
    ASSERT_EQ(run->Start({}), std::nullopt);
    upgraded.Pump(desk);
    SimDialogWindow* info = Info();
    ASSERT_EQ(info != nullptr, c.whatsNew);
    EXPECT_EQ(ShellProbe(*run).settings().Current().lastSeenVersion, "0.1.5");
    if (!info) continue;
    EXPECT_EQ(info->Options().title, "What's New");
    EXPECT_EQ(info->Text(kInfoHeadingId), "What's New in Tessary");
    // After 0.1.3: the notes of 0.1.5 and 0.1.4, newest first.
    EXPECT_EQ(info->Text(kInfoBodyId), "Tessary 0.1.5\n" + std::string(ReleaseNotes()[0].notes) +
                                           "\n\nTessary 0.1.4\n" +
                                           std::string(ReleaseNotes()[1].notes));
    EXPECT_EQ(Buttons(*info), std::vector<std::string>{"OK@480"});
    info->Press(info_command::kOk);
    EXPECT_EQ(Info(), nullptr);
    run->Shutdown();
  }
}

TEST_F(IntroTest, TheHelpMenuOpensEachWindowOnceAndShutdownClosesThem) {
  desk.SystemSettings().windowArranging = false;
  StartWith();
  ASSERT_EQ(Info(), nullptr);
  // Without Windows Snap the running balloon tells how to drag.
  EXPECT_EQ(host.tray.balloons.at(0).text,
            "Drag a window to the top center of a display to choose a region.");
  ChooseFromMenu(tray_command::kGettingStarted);
  ChooseFromMenu(tray_command::kGettingStarted);
  ASSERT_EQ(OpenOfClass(kInfoClassName), 1);
  // Without Windows Snap to turn off, two buttons.
  EXPECT_EQ(Buttons(*Info()), (std::vector<std::string>{"Take the Tour@356", "Get Started@480"}));
  ChooseFromMenu(tray_command::kWhatsNew);
  EXPECT_EQ(OpenOfClass(kInfoClassName), 2);

  // "Take the Tour" closes the welcome window; the tour opened twice stays on its page.
  Info()->Press(info_command::kTakeTheTour);
  ASSERT_NE(Tour(), nullptr);
  Tour()->Press(kTourNextId);
  Request(OpenRequest::kTour);
  EXPECT_EQ(OpenOfClass(kTourClassName), 1);
  EXPECT_EQ(Tour()->Text(kTourTitleId), "Stack windows in one spot");
  EXPECT_EQ(OpenOfClass(kInfoClassName), 1);  // What's New

  shell->Shutdown();
  EXPECT_TRUE(Dialogs().Open().empty());
}

TEST_F(IntroTest, TourPagesAndTheirActions) {
  StartWith();
  // Two windows stacked in the right half: the stack the user was working in.
  for (int i = 0; i < 2; ++i) {
    AddApp({200, 150, 800, 600});
    PlaceInRightHalf();
    Run(0.5);
  }
  shell->ShowTour();
  SimDialogWindow* tour = Tour();
  ASSERT_NE(tour, nullptr);
  EXPECT_EQ(tour->Options().title, "Tessary Tour");
  EXPECT_EQ(tour->Options().clientWidth, 680);
  EXPECT_EQ(tour->Options().clientHeight, 520);

  struct Page {
    const char* title;
    const char* body;
    const char* dots;
    const char* action;  // empty: no button
    std::function<bool()> acted;
  };
  const Page pages[] = {
      {"Drop windows into place",
       "Drag a window to the top center of a display and drop it into a region of a layout. "
       "Once windows are placed, drag another onto one of them and pick from the tiles: add it "
       "to the stack, take a half, rejoin a split, or swap. Escape closes the tiles and keeps "
       "the drag.",
       "● ○ ○ ○ ○ ", "Show the Layouts",
       [&] {
         const bool shown = Coord().GalleryMode();
         Coord().HandleCommand(kCommandPickerDismissed, 0);  // the user closes the gallery
         return shown;
       }},
      {"Stack windows in one spot",
       "Windows that share a region form a stack. The badge on the front window's left edge "
       "shows what's behind it; click an icon to switch, or “+N” for all of them. Ctrl+Alt+S "
       "opens the full switcher, and the mouse wheel flips through.",
       "○ ● ○ ○ ○ ", "Open This Window's Stack", [&] { return Coord().Switcher().Open(); }},
      {"Span across regions",
       "Hold Ctrl while dragging a window's edge across its neighbors, and it covers whole "
       "regions. The windows underneath stay stacked behind it; the button on its badge, or "
       "Ctrl+Alt+B, brings them forward.",
       "○ ○ ● ○ ○ ", "", nullptr},
      // The layout editor, and the settings window at its shortcuts.
      {"Your layouts, with their apps",
       "Design layouts for the parts of your day and choose the apps that live in each spot. "
       "Applying one opens and places them; Ctrl+Alt+1–9 switch between your layouts.",
       "○ ○ ○ ● ○ ", "Create a Layout", [&] { return Dialogs().Find("TessaryEditor") != nullptr; }},
      {"Keys and mouse buttons",
       "Every action has a keyboard shortcut you can change, and any of them can take your "
       "mouse's middle or side button: middle-click a stacked window to open its stack, for "
       "example.",
       "○ ○ ○ ○ ● ", "Open Shortcuts",
       [&] { return Dialogs().Find("TessarySettings") != nullptr; }},
  };
  for (int i = 0; i < static_cast<int>(std::size(pages)); ++i) {
    SCOPED_TRACE(i);
    const Page& page = pages[i];
    EXPECT_EQ(tour->Text(kTourTitleId), page.title);
    EXPECT_EQ(tour->Text(kTourBodyId), page.body);
    EXPECT_EQ(tour->Text(kTourDotsId), page.dots);
    EXPECT_EQ(tour->Enabled(kTourBackId), i > 0);
    EXPECT_EQ(tour->Text(kTourNextId), i == 4 ? "Done" : "Next");
    EXPECT_EQ(tour->Shown(kTourActionId), page.acted != nullptr);
    // The picture is drawn inside its area, and none of its words is cut short.
    const RecordingCanvas& picture = tour->PaintedCanvas(kTourPictureId);
    EXPECT_GT(picture.Ops().size(), 10u);
    for (const CanvasOp& op : picture.Ops()) {
      EXPECT_EQ(op.shown, op.text);
      EXPECT_TRUE(op.rect.x >= 0 && op.rect.y >= 0 && op.rect.Right() <= 616 &&
                  op.rect.Bottom() <= 230)
          << op.text << " " << op.rect.x << "," << op.rect.y;
    }
    if (page.acted) {
      EXPECT_EQ(tour->Text(kTourActionId), page.action);
      tour->Press(kTourActionId);
      EXPECT_TRUE(page.acted());
    }
    tour->Press(kTourNextId);
  }
  EXPECT_EQ(Tour(), nullptr);
}

}  // namespace
}  // namespace tessary::testing
