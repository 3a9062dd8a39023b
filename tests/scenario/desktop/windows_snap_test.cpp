#include "desk_fixture.h"
#include "desktop/snap_assist_watch.h"

namespace tessary {
namespace {

using WindowsSnapTest = DeskTest;

TEST_F(WindowsSnapTest, SettingsAreReadTogether) {
  const auto read = [this] {
    const WindowsSnap snap = desktop.WindowsSnapSettings();
    return std::tuple(snap.arranging, snap.dockMoving, snap.snapBar);
  };
  EXPECT_EQ(read(), std::tuple(true, true, true));  // "EnableSnapBar" missing counts as on
  desk.SystemSettings().snapBarValue = 0;
  EXPECT_EQ(read(), std::tuple(true, true, false));
  desk.SystemSettings().snapBarValue = 2;
  EXPECT_EQ(read(), std::tuple(true, true, true));
  desk.SystemSettings().dockMoving = false;
  EXPECT_EQ(read(), std::tuple(true, false, true));

  // Arranging off (or unreadable) turns the other two off as well.
  desk.SystemSettings().windowArranging = std::nullopt;
  EXPECT_EQ(read(), std::tuple(false, false, false));
}

TEST_F(WindowsSnapTest, OfferTurnsArrangingOffOnlyOnConsent) {
  desk.SetConfirmAnswer(false);
  EXPECT_FALSE(desktop.OfferTurnOffWindowsSnap());
  EXPECT_TRUE(desktop.WindowsSnapSettings().arranging);
  ASSERT_EQ(desk.PromptsShown().size(), 1u);
  EXPECT_EQ(desk.PromptsShown()[0].caption, "Turn Off Windows Snap");
  EXPECT_EQ(desk.PromptsShown()[0].text,
            "Windows Snap reacts to the same drags as Tessary: the top of the screen (Snap "
            "Layouts, and maximizing), and the sides and corners. Each time, Windows snaps the "
            "window and offers its own suggestions just as Tessary places it.\n\nTurn off "
            "Windows Snap? You can turn it back on in Settings > System > Multitasking > Snap "
            "windows.");

  desk.SetConfirmAnswer(true);
  EXPECT_TRUE(desktop.OfferTurnOffWindowsSnap());
  EXPECT_FALSE(desktop.WindowsSnapSettings().arranging);
}

class AssistWatch : public DeskTest {
 protected:
  AssistWatch() {
    desk.platform().timers.SetTimerHandler([this](int id) {
      if (id == SnapAssistWatch::kTimerId) {
        ++ticks;
        watch.Tick();
      }
    });
    app = desk.AddWindow({});
  }

  WindowId OpenSystemAssist(const std::string& title = "Snap Assist") {
    return desk.AddWindow(
        {.className = "XamlExplorerHostIslandWindow", .title = title, .closesOnEscape = true});
  }

  SnapAssistWatch watch{desktop, [] { return kNoWindow; }};
  WindowId app{};
  int ticks = 0;
};

// Six ticks of 120 ms, counted afresh when the watch is armed again: an assist that
// appears on the fourth is closed, one that appears after the sixth is the user's own.
TEST_F(AssistWatch, SixTicksOf120MillisecondsCountedAfreshWhenRearmed) {
  watch.Start();
  EXPECT_EQ(desk.TimerPeriod(3), 120u);
  desk.Advance(0.5);
  watch.Start();
  desk.Advance(0.37);  // three ticks
  WindowId assist = OpenSystemAssist();
  desk.Advance(0.12);
  EXPECT_EQ(ticks, 4 + 4);
  EXPECT_FALSE(desk.Exists(assist));
  ASSERT_EQ(desk.InjectedKeys().size(), 2u);
  EXPECT_EQ(desk.InjectedKeys()[0].key, Key::kEscape);
  EXPECT_FALSE(desk.InjectedKeys()[0].release);
  EXPECT_TRUE(desk.InjectedKeys()[1].release);
  desk.Advance(0.229);
  EXPECT_EQ(ticks, 4 + 5);
  desk.Advance(0.002);
  EXPECT_EQ(ticks, 4 + 6);
  WindowId usersOwn = OpenSystemAssist();
  desk.Advance(1.0);
  EXPECT_EQ(ticks, 4 + 6);
  EXPECT_TRUE(desk.Exists(usersOwn));
  EXPECT_EQ(desk.InjectedKeys().size(), 2u);
}

TEST_F(AssistWatch, OnlyTheForegroundSnapAssistIsSentEscape) {
  watch.Start();
  WindowId lookalike = OpenSystemAssist("Task View");
  desk.Advance(0.13);
  EXPECT_TRUE(desk.Exists(lookalike));
  EXPECT_TRUE(desk.InjectedKeys().empty());

  WindowId assist = OpenSystemAssist();
  desk.Activate(app);  // the assist is open but in the background
  desk.Advance(0.12);
  EXPECT_TRUE(desk.Exists(assist));
  EXPECT_TRUE(desk.InjectedKeys().empty());
  desk.Activate(assist);
  desk.Advance(0.12);
  EXPECT_FALSE(desk.Exists(assist));
}

// With no Snap Assist of the system's to close (a hidden one does not count), the program's
// own panel takes the keys.
TEST_F(AssistWatch, WithoutTheSystemsAssistTheOwnPanelGetsTheKeyboard) {
  desk.AddWindow(
      {.className = "XamlExplorerHostIslandWindow", .title = "Snap Assist", .visible = false});
  const WindowId panel = desk.AddWindow({.process = desk.OwnProcess(), .activate = false});
  SnapAssistWatch withPanel{desktop, [panel] { return panel; }};
  withPanel.Tick();
  EXPECT_EQ(desk.Foreground(), panel);
  EXPECT_EQ(desk.Focus(), panel);
}

}  // namespace
}  // namespace tessary
