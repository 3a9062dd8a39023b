// The icon's tooltip and badge, messages as toasts or balloons, and first-use tips.

#include <algorithm>

#include "shell/tray_texts.h"
#include "shell_fixture.h"

namespace tessary::testing {
namespace {

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
    EXPECT_EQ(adds(), tries) << desk.Now();
    EXPECT_FALSE(host.tray.present);
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

// Over a full-screen game, a video or a presentation the toast would be in the way: the
// message goes to a balloon, which the system holds until the user is free.
TEST_F(TrayIconTest, MessagesGoToTheToastForFourSecondsOrWhileTheUserIsBusyToAQuietBalloon) {
  const std::size_t balloons = host.tray.balloons.size();
  Coord().Callbacks().notify("Notepad can't be made that small.");
  ASSERT_NE(Probe().toast(), nullptr);
  EXPECT_EQ(Probe().toast()->Text().title, "Notepad can't be made that small.");
  EXPECT_NEAR(Probe().toast()->HideAt() - desk.Now(), 4.0, 0.5);
  EXPECT_EQ(host.tray.balloons.size(), balloons);
  Run(5);
  desk.SystemSettings().userBusy = true;
  Coord().Callbacks().notify("Notepad couldn't fit there.");
  EXPECT_EQ(Probe().toast()->Phase(), ToastPhase::kHidden);
  ASSERT_EQ(host.tray.balloons.size(), balloons + 1);
  EXPECT_EQ(host.tray.balloons.back(), (TrayBalloon{"Tessary", "Notepad couldn't fit there."}));
}

TEST_F(TrayIconTest, ATipShowsOnceForSevenSecondsAndWhilePausedOnlyCounts) {
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
}

}  // namespace
}  // namespace tessary::testing
