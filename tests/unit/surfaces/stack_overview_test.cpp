// The stack overview's card layout, selection and labels, and the view on a simulated
// surface: keys and clicks reaching its callbacks, its opening and closing, and the app's
// icon standing in for a preview the system refuses.

#include <gtest/gtest.h>

#include "platform/sim/sim_surface.h"
#include "platform/sim/sim_theme_source.h"
#include "surfaces/stack_overview_view.h"
#include "surfaces_test_support.h"

namespace tessary {
namespace {

TEST(StackOverviewLayout, ChoosesColumnsThatShowTheWindowsLargestNeverEnlarged) {
  const std::vector<OverviewFrameSize> two{{400, 300}, {400, 300}};
  struct Case {
    const char* name;
    double width, height;
    std::vector<Rect> cards;
  };
  const Case cases[] = {
      // One row of two; each window smaller than its 472 x 338 cell keeps its own size.
      {"wide", 1000, 400, {{56, 58, 400, 300}, {544, 58, 400, 300}}},
      // One column of two, each shrunk to the 360-wide cell, standing on the cell's bottom.
      {"tall", 400, 1000, {{20, 200, 360, 270}, {20, 688, 360, 270}}},
      {"no room inside the margins", 40, 400, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(LayOutOverviewCards(c.width, c.height, 1.0, two), c.cards);
  }
  // Margins, gaps and the label line grow with the scale. Two columns would show no more,
  // nor a larger smallest card, so the first count (one column) stays.
  EXPECT_EQ(LayOutOverviewCards(2000, 800, 2.0, two)[1], (Rect{800, 416, 400, 300}));
}

TEST(StackOverviewLayout, ArrowsMoveToTheNearestCardAheadAndStopAtTheEdge) {
  // Three in a row over one below the middle.
  const std::vector<Rect> cards{{0, 0, 100, 80}, {120, 0, 100, 80}, {240, 0, 100, 80}, {120, 100, 100, 80}};
  struct Case {
    int from, dx, dy, to;
  };
  for (const Case& c : std::vector<Case>{
           {0, 1, 0, 1}, {1, 1, 0, 2}, {2, 1, 0, 2}, {2, -1, 0, 1}, {0, 0, 1, 3}, {3, 0, -1, 1}, {1, 0, -1, 1}}) {
    EXPECT_EQ(MoveOverviewSelection(cards, c.from, c.dx, c.dy), c.to)
        << c.from << " by " << c.dx << "," << c.dy;
  }
  EXPECT_EQ(OverviewCardAt(cards, {120, 0}), 1);  // left and top edges belong to the card
  EXPECT_EQ(OverviewCardAt(cards, {110, 40}), -1);
  EXPECT_EQ(OverviewLabel("Report", "Notes"), "Report \xE2\x80\x94 Notes");
  EXPECT_EQ(OverviewLabel("Notes", "Notes"), "Notes");
  EXPECT_EQ(OverviewLabel("", "Notes"), "Notes");
}

class StackOverviewViewTest : public ::testing::Test {
 protected:
  bool Open(int n, bool animations = true) {
    std::vector<OverviewEntry> entries;
    for (int i = 0; i < n; ++i) {
      const auto id = static_cast<std::uint64_t>(i + 1);
      entries.push_back({.window = WindowId{id},
                         .title = "Title " + std::to_string(id),
                         .appName = "App",
                         .icon = IconId{100 + id},
                         .frame = {400, 300},
                         .frameInWindow = {7, 0, 400, 300}});
    }
    return view.Open({100, 50, 1400, 400}, 1.0, std::move(entries), animations,
                     {.choose = [this](WindowId w) { chosen.push_back(w); },
                      .dismiss = [this] { ++dismissed; },
                      .closed = [this] { ++closed; }});
  }
  SimSurface& Surface() { return static_cast<SimSurface&>(*view.GetSurface()); }
  void Frames(double seconds) {
    for (double t = 0; t < seconds; t += 1.0 / 60) {
      clock.now += 1.0 / 60;
      surfaces.RunFrame();
    }
  }

  testing::ManualClock clock;
  SimSurfaceFactory surfaces{&clock};
  SimThemeSource theme;
  StackOverviewView view{surfaces, theme, clock};
  std::vector<WindowId> chosen;
  int dismissed = 0;
  int closed = 0;
};

TEST_F(StackOverviewViewTest, KeysChooseAndMoveTheSelection) {
  ASSERT_TRUE(Open(3));
  SimSurface& s = Surface();
  EXPECT_TRUE(s.Focused());
  EXPECT_EQ(view.Selected(), 0);
  s.PressKey(surface_key::kRight);
  s.PressKey(surface_key::kRight);
  s.PressKey(surface_key::kRight);  // the rightmost card keeps the selection
  EXPECT_EQ(view.Selected(), 2);
  ASSERT_NE(s.Accessible().Focused(), nullptr);
  EXPECT_EQ(s.Accessible().Focused()->name, "Title 3, App");  // what a screen reader says
  s.PressKey(surface_key::kEnter);
  s.PressKey(surface_key::kDigit1 + 1);
  s.PressKey(0x61);                     // 1 on the numeric keypad
  s.PressKey(surface_key::kDigit1 + 5);  // no sixth card
  EXPECT_EQ(chosen, (std::vector<WindowId>{WindowId{3}, WindowId{2}, WindowId{1}}));
  // A right-click, even on a card, and a click beside the cards only dismiss it (Escape:
  // the switcher stories).
  s.RightClick(view.CardCentre(0));
  s.PressAndRelease({105, 55});
  EXPECT_EQ(dismissed, 2);
  EXPECT_EQ(chosen.size(), 3u);
}

// Reaching 1, leaving the frame ticks and the previews' opacity are checked by the switcher
// stories.
TEST_F(StackOverviewViewTest, ZoomsInThenOutAndTakesNoInputWhileClosing) {
  ASSERT_TRUE(Open(2));
  SimSurface& s = Surface();
  Frames(0.1);
  const double midway = view.Progress();
  EXPECT_GT(midway, 0.5);  // eased out: most of the way after half the time
  EXPECT_LT(midway, 1);
  Frames(0.1);
  // The previews show each window's visible frame, zoomed with the card.
  const auto& first = surfaces.Thumbs().Registered().begin()->second;
  EXPECT_EQ(first.last.destination, view.Cards()[0]);
  EXPECT_EQ(first.last.source, (Rect{7, 0, 400, 300}));

  view.Close();
  EXPECT_FALSE(s.Interactive());
  EXPECT_FALSE(s.PressAndRelease(view.CardCentre(0)));
  Frames(0.15);
  EXPECT_EQ(view.Progress(), 0);
  EXPECT_FALSE(s.Visible());
  view.OnTimer(kFrameTimerId);  // a tick posted before it was over
  EXPECT_EQ(closed, 1);
  EXPECT_TRUE(chosen.empty());
}

// A click on a card and closing at once without animations are checked by the switcher
// stories.
TEST_F(StackOverviewViewTest, WithoutLivePreviewsTheCardsShowTheAppsIconsLarge) {
  surfaces.Thumbs().SetRefused(true);
  ASSERT_TRUE(Open(2, false));
  EXPECT_EQ(view.Progress(), 1);  // no animation: open at once
  const auto icons = Surface().LastPaint().OfKind(CanvasOpKind::kIcon);
  ASSERT_EQ(icons.size(), 2u);
  EXPECT_EQ(icons[0]->rect.width, 64);
  EXPECT_EQ(icons[0]->icon, IconId{101});
}

}  // namespace
}  // namespace tessary
