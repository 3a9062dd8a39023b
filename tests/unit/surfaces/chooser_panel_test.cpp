// The chooser panel: its layout and hit testing (the card grid for any number of choices at
// the display scales, the buttons, and the switcher's furniture), its keys and tooltips; and
// on a simulated surface its window, live previews (and the icon drawn when the system
// refuses them), clicks and hovering, replacing its choices, and the switcher's furniture as
// it paints it. The buttons' callbacks are exercised by the assist stories.

#include "surfaces/chooser_panel.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "surfaces/chooser_panel_geometry.h"
#include "surfaces/chooser_panel_input.h"
#include "surfaces_test_support.h"

namespace tessary {
namespace {

// What Snap Assist shows in an empty region.
ChooserConfig Assist() {
  return {.header = "Choose a window for this space", .primaryText = "Done", .leaveEmpty = true};
}

class ChooserPanelTest : public ::testing::Test {
 protected:
  std::vector<ChooserChoice> Choices(int n, std::uint64_t first = 1) {
    std::vector<ChooserChoice> choices;
    for (int i = 0; i < n; ++i) {
      const auto id = first + static_cast<std::uint64_t>(i);
      choices.push_back({WindowId{id}, "Title " + std::to_string(id), "App", IconId{100 + id}});
    }
    return choices;
  }
  bool Make(int n, ChooserConfig config = Assist()) {
    ChooserCallbacks callbacks{
        .choose = [this](WindowId w) { chosen.push_back(w); },
        .hoverPreview = [this](const std::vector<WindowId>& w) { previews.push_back(w); },
    };
    // 948.7 x 512.9 pixels at scale 1 are truncated to the 948 x 512 of a quarter.
    return panel.Create({10.6, 20.2, 948.7, 512.9}, 1.0, Choices(n), std::move(config),
                        std::move(callbacks));
  }
  SimSurface& Surface() { return static_cast<SimSurface&>(*panel.GetSurface()); }

  testing::ManualClock clock;
  SimSurfaceFactory surfaces{&clock};
  SimThemeSource theme;
  ChooserPanel panel{surfaces, theme};
  std::vector<WindowId> chosen;
  std::vector<std::vector<WindowId>> previews;
};

TEST_F(ChooserPanelTest, IsARealWindowWithALivePreviewOnEveryCard) {
  ASSERT_TRUE(Make(4));
  SimSurface& s = Surface();
  // Its kind, class and showing without activation are checked on the real backend.
  EXPECT_EQ(s.Options().title, "Choose a window for this space");
  EXPECT_EQ(s.Bounds(), (Rect{10, 20, 948, 512}));
  ASSERT_EQ(surfaces.Thumbs().Registered().size(), 4u);
  // Card 3's 800 x 600 source in its preview (486, 266, 260, 164), centred.
  const auto& last = surfaces.Thumbs().Registered().rbegin()->second;
  EXPECT_EQ(last.source, WindowId{4});
  EXPECT_EQ(last.destination, s.Window());
  EXPECT_EQ(last.shownAt, (Rect{507, 266, 219, 164}));
  // A wide source at 150 % fills the width instead, centred in whole pixels.
  EXPECT_EQ(ThumbnailDestination({10, 10, 100, 100}, 400, 100, 1.5), (Rect{15, 71, 150, 38}));
  for (const char* text : {"Choose a window for this space", "Leave empty", "Done"})
    EXPECT_NE(s.LastPaint().FindText(text), nullptr) << text;
  // Only the captions' small icons: the previews are the system's.
  EXPECT_EQ(s.LastPaint().Count(CanvasOpKind::kIcon), 4u);
  // Screen readers hear the cards (named on the real backend too), then the two buttons.
  const std::vector<AccessibleItem>& items = s.Accessible().items;
  ASSERT_EQ(items.size(), 6u);
  EXPECT_EQ(items[4].name, "Leave empty");
  EXPECT_EQ(items[5].role, AccessibleRole::kPushButton);
}

TEST_F(ChooserPanelTest, WithoutLivePreviewsEachCardShowsItsAppIconLargeInThePreviewArea) {
  surfaces.Thumbs().SetRefused(true);
  ASSERT_TRUE(Make(4));
  // Card 2's preview is (202, 266, 260, 164).
  EXPECT_TRUE(std::ranges::any_of(
      Surface().LastPaint().OfKind(CanvasOpKind::kIcon), [](const CanvasOp* op) {
        return op->icon == IconId{103} && op->rect == (Rect{291, 307, 82, 82});
      }));
}

TEST_F(ChooserPanelTest, ClicksActOnlyWhenPressAndReleaseMeetOnOneItem) {
  ASSERT_TRUE(Make(4));
  SimSurface& s = Surface();
  s.Press(panel.ItemCentre(1));
  s.ReleasePointer(panel.ItemCentre(2));  // dragged off the card
  EXPECT_TRUE(chosen.empty());
  ASSERT_TRUE(s.PressAndRelease(panel.ItemCentre(1)));
  EXPECT_EQ(chosen, (std::vector<WindowId>{WindowId{2}}));
}

TEST_F(ChooserPanelTest, NewChoicesKeepTheFocusWhenItStillFitsElseTheFirstCard) {
  ASSERT_TRUE(Make(5));
  panel.Focus();
  for (int press = 0; press < 2; ++press) Surface().PressKey(surface_key::kRight);
  EXPECT_EQ(panel.FocusIndex(), 2);
  panel.SetChoices(Choices(4, 10));
  EXPECT_EQ(panel.FocusIndex(), 2);
  EXPECT_EQ(surfaces.Thumbs().Registered().size(), 4u);
  EXPECT_EQ(surfaces.Thumbs().Registered().begin()->second.source, WindowId{10});
  panel.SetChoices(Choices(2, 20));
  EXPECT_EQ(panel.FocusIndex(), 0);
  panel.SetChoices({});
  EXPECT_NE(Surface().LastPaint().FindText("No other windows on this display"), nullptr);
}

TEST_F(ChooserPanelTest, HoverShowsTooltipsAndLeadsToAPreviewAfterItsDelay) {
  ASSERT_TRUE(Make(3, {.header = "Window Stack", .primaryText = "Close"}));
  SimSurface& s = Surface();
  // Its own keys are named only once they reach it.
  s.MovePointer(panel.ItemCentre(0));
  EXPECT_EQ(s.Tooltip(), "App\nTitle 1");
  panel.Focus();
  s.MovePointer(panel.ItemCentre(1));
  EXPECT_EQ(s.Tooltip(), "App\nTitle 2\nPress 2");
  EXPECT_EQ(s.TimerPeriod(kHoverPreviewTimerId), 140u);
  surfaces.FireTimer(s, kHoverPreviewTimerId);
  EXPECT_FALSE(s.TimerRunning(kHoverPreviewTimerId));
  s.MovePointer(panel.ItemCentre(chooser_item::kPrimary));
  EXPECT_EQ(s.TimerPeriod(kHoverPreviewTimerId), 60u);
  EXPECT_EQ(s.Tooltip(), "");
  surfaces.FireTimer(s, kHoverPreviewTimerId);
  ASSERT_EQ(previews.size(), 2u);
  EXPECT_EQ(previews[0], (std::vector<WindowId>{WindowId{2}}));
  EXPECT_TRUE(previews[1].empty());
}

TEST(ChooserPaint, TabsPagingGroupsStretchAndActionB) {
  ChooserConfig config{.header = "Window Stack",
                       .primaryText = "Close",
                       .groups = {{"Left", {0}, false}, {"Span", {1}, true}},
                       .tabs = {"Halves", "Grid"},
                       .currentTab = 0,
                       .paging = true,
                       .actionB = true,
                       .actionBLabel = "Bring Both Forward",
                       .actionBDone = true,
                       .actionBMiniature = {{{0, 0, 0.5, 1}, IconId{7}}},
                       .current = WindowId{1}};
  const std::vector<ChooserChoice> choices = {{WindowId{1}, "a.txt", "Editor", IconId{5}},
                                              {WindowId{2}, "Shell", "Terminal", IconId{6}}};
  const ChooserGeometry g = LayOutChooser(config, 2, 800, 420);
  const Theme theme = testing::LightTheme();
  RecordingCanvas canvas;
  PaintChooser(canvas, theme,
               {.geometry = &g, .config = &config, .choices = &choices, .hovered = 1}, 800, 420);
  for (const char* text : {"Window Stack", "‹", "›", "2", "Layouts", "1  Halves", "2  Grid", "Left",
                           "Span", "Bring Both Forward", "✓ In front", "✓", "↔", "1", "Close"}) {
    EXPECT_NE(canvas.FindText(text), nullptr) << text;
  }
  EXPECT_EQ(canvas.FindText("Leave empty"), nullptr);
  EXPECT_TRUE(canvas.FindText("1  Halves")->bold);  // the current tab
  EXPECT_FALSE(canvas.FindText("2  Grid")->bold);
  // The stretch button shows on the hovered card of the span group only.
  EXPECT_EQ(canvas.FindText("↔")->rect.x, g.stretch[1].x);
  // The miniature's region carries its icon.
  EXPECT_TRUE(std::ranges::any_of(canvas.OfKind(CanvasOpKind::kIcon),
                                  [](const CanvasOp* op) { return op->icon == IconId{7}; }));
}

TEST(ChooserGeometry, FourChoicesInAQuarterMakeATwoByTwoGridAndOneIsAtMost440Wide) {
  const ChooserGeometry g = LayOutChooser(Assist(), 4, 948, 512);
  EXPECT_EQ(
      g.cards,
      (std::vector<Rect>{
          {196, 52, 272, 196}, {480, 52, 272, 196}, {196, 260, 272, 196}, {480, 260, 272, 196}}));
  EXPECT_EQ(LayOutChooser(Assist(), 1, 948, 1040).cards[0], (Rect{254, 367.5, 440, 301}));
}

TEST(ChooserGeometry, EveryCountAtEveryScaleInSmallAndLargeRegionsAndNoCardsBelow148Units) {
  const Rect regions[] = {{0, 0, 400, 300}, {0, 0, 948, 1040}, {0, 0, 1904, 512}};
  for (double scale : {1.0, 1.5, 2.0}) {
    for (const Rect& region : regions) {
      const double w = region.width / scale;
      const double h = region.height / scale;
      for (int n = 1; n <= 12; ++n) {
        SCOPED_TRACE(::testing::Message()
                     << "scale " << scale << " " << w << "x" << h << " n=" << n);
        const ChooserGeometry g = LayOutChooser(Assist(), n, w, h);
        ASSERT_EQ(g.cards.size(), static_cast<std::size_t>(n));
        for (int i = 0; i < n; ++i) {
          const Rect& c = g.cards[static_cast<std::size_t>(i)];
          EXPECT_GE(c.width, 48);
          EXPECT_LE(c.width, 440);
          EXPECT_DOUBLE_EQ(c.height, c.width / 1.6 + 26);
          EXPECT_EQ(c.width, g.cards[0].width);
          EXPECT_GE(c.y, 52);
          for (int j = 0; j < i; ++j)
            EXPECT_TRUE(Intersect(c, g.cards[static_cast<std::size_t>(j)]).IsEmpty());
        }
        EXPECT_EQ(g.primary, (Rect{w - 106, h - 44, 90, 32}));
      }
    }
  }
  // A region lower than 148 units shows no cards, only the buttons.
  for (double height : {147.0, 100.0}) {
    const ChooserGeometry g = LayOutChooser(Assist(), 3, 600, height);
    for (const Rect& card : g.cards) EXPECT_EQ(card, Rect{});
    EXPECT_EQ(g.leaveEmpty, (Rect{16, height - 44, 120, 32}));
  }
  EXPECT_GT(LayOutChooser(Assist(), 3, 600, 148).cards[0].width, 0);
}

TEST(ChooserGeometry, TabsAndPagingArrowsSitInTheHeaderAndPushTheGridDown) {
  ChooserConfig config = Assist();
  config.tabs = {"Halves", "Thirds", "Quarters"};
  config.paging = true;
  const ChooserGeometry plain = LayOutChooser(Assist(), 4, 948, 548);
  const ChooserGeometry g = LayOutChooser(config, 4, 948, 548 + 36);
  // (948 - 16 - 86 - 12) / 3 = 278, at most 120.
  EXPECT_EQ(g.tabs[0], (Rect{86, 44, 120, 24}));
  EXPECT_EQ(g.tabs[2], (Rect{86 + 2 * 126, 44, 120, 24}));
  EXPECT_EQ(g.previous, (Rect{948 - 110, 12, 26, 26}));
  EXPECT_EQ(g.next, (Rect{948 - 82, 12, 26, 26}));
  EXPECT_EQ(g.cards[0].y, plain.cards[0].y + 36);
  EXPECT_EQ(g.primary.y, plain.primary.y + 36);
  config.tabs.assign(20, "Many");
  EXPECT_EQ(LayOutChooser(config, 1, 400, 400).tabs[0].width, 44);
}

TEST(ChooserGeometry, GroupedCardsAreFixedSizeWithStretchButtonsOnSpanGroups) {
  ChooserConfig grouped{.header = "Window Stack", .primaryText = "Close"};
  grouped.groups = {{"Region 1", {0, 1}, false}, {"Span", {2}, true}};
  const ChooserGeometry s = LayOutChooser(grouped, 3, 700, 400);
  ASSERT_EQ(s.groupAreas.size(), 2u);
  // Two areas of (700 - 32 - 12) / 2 = 328 side by side.
  EXPECT_EQ(s.groupAreas[1], (Rect{356, 48, 328, 296}));
  // Two cards in a row of 132 + 8 + 132 centred in the first area; one in the second.
  EXPECT_EQ(s.cards[0], (Rect{16 + 28, 72, 132, 104}));
  EXPECT_EQ(s.cards[1], (Rect{16 + 28 + 140, 72, 132, 104}));
  EXPECT_EQ(s.previews[1], (Rect{190, 78, 120, 70}));
  EXPECT_EQ(s.stretch[2], (Rect{356 + 98 + 84, 72 + 81, 20, 18}));
  EXPECT_EQ(s.leaveEmpty, Rect{});
  EXPECT_EQ(s.primary, (Rect{578, 356, 110, 32}));
}

TEST(ChooserGeometry, HitTestingFindsTheFirstItemInItsOrder) {
  ChooserConfig config = Assist();
  const ChooserGeometry g = LayOutChooser(config, 4, 948, 512);
  struct Case {
    Point point;
    int item;
  } cases[] = {
      {{200, 60}, 0},                       // a card's top-left corner is inside
      {{468, 60}, chooser_item::kNothing},  // its right edge is not
      {{751, 455}, 3},
      {{474, 100}, chooser_item::kNothing},  // between two cards
      {{20, 470}, chooser_item::kLeaveEmpty},
      {{931, 499}, chooser_item::kPrimary},
      {{932, 499}, chooser_item::kNothing},
  };
  for (const Case& c : cases) EXPECT_EQ(ChooserHitTest(g, config, c.point), c.item) << c.point.x;
  config.leaveEmpty = false;
  EXPECT_EQ(ChooserHitTest(g, config, {20, 470}), chooser_item::kNothing);

  ChooserConfig switcher{.paging = true, .actionB = true};
  switcher.tabs = {"A", "B"};
  switcher.groups = {{"Span", {0}, true}};
  const ChooserGeometry s = LayOutChooser(switcher, 1, 700, 400);
  const Rect stretch = s.stretch[0];
  EXPECT_EQ(ChooserHitTest(s, switcher, {stretch.x - 3, stretch.y - 3}),
            chooser_item::kStretchBase);
  EXPECT_EQ(ChooserHitTest(s, switcher, {stretch.x - 4, stretch.y}), 0);
  EXPECT_EQ(ChooserHitTest(s, switcher, {700 - 100, 20}), chooser_item::kPrevious);
  EXPECT_EQ(ChooserHitTest(s, switcher, {s.actionB.x + 5, s.actionB.y + 5}),
            chooser_item::kActionB);
  switcher.actionB = false;
  EXPECT_EQ(ChooserHitTest(s, switcher, {s.actionB.x + 5, s.actionB.y + 5}),
            chooser_item::kNothing);
}

namespace key = surface_key;

TEST(ChooserKeys, ArrowsTabEnterEscapeAndDigitsAndUpAndDownToTheNearestCard) {
  const ChooserConfig config{.leaveEmpty = true};
  const ChooserGeometry g = LayOutChooser(config, 4, 948, 512);  // cards 0 1 / 2 3
  using A = ChooserKeyAction;
  // Enter, Escape and a card's digit reach the assist and switcher stories.
  struct Case {
    int focus;
    std::uint32_t key;
    ChooserKeyResult result;
  } cases[] = {
      {3, key::kRight, {A::kFocus, 0}},  // wraps
      {1, key::kTab, {A::kFocus, 2}},
      {0, key::kLeft, {A::kFocus, 3}},  // wraps to the last
      {2, key::kUp, {A::kFocus, 0}},
      {1, key::kDown, {A::kFocus, 3}},
      {0, key::kUp, {A::kRepaint, -1}},  // nothing above
      {3, key::kDown, {A::kRepaint, -1}},
      {1, key::kSpace, {A::kChoose, 1}},
      {0, key::kDigit1 + 6, {A::kNone, -1}},  // "7" with four cards
      {0, key::kB, {A::kRepaint, -1}},        // no action B here (with one: the switcher stories)
      {0, 0x41, {A::kNone, -1}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ChooserKey(g, config, c.focus, c.key), c.result) << c.focus << " key " << c.key;
  }
  // Without cards Enter chooses nothing.
  EXPECT_EQ(ChooserKey(LayOutChooser(config, 0, 948, 512), config, 0, key::kEnter).action,
            A::kNone);
  // Five cards in rows of three and two: Up and Down go to the nearest card that way.
  const ChooserGeometry five = LayOutChooser(config, 5, 948, 512);
  ASSERT_EQ(five.cards[3].x, five.cards[0].x);
  EXPECT_EQ(ChooserKey(five, config, 4, key::kUp).card, 1);
  EXPECT_EQ(ChooserKey(five, config, 2, key::kDown).card, 4);
}

TEST(ChooserTooltips, CardsTabsArrowsAndActionB) {
  ChooserConfig config{.tabs = {"Halves", "Grid"},
                       .currentTab = 1,
                       .actionBLabel = "Bring Both Forward",
                       .actionBShortcut = "Ctrl+Alt+G",
                       .previousShortcut = "Ctrl+Alt+["};
  const std::vector<ChooserChoice> choices = {
      {WindowId{1}, "notes.txt - Editor", "Editor", kNoIcon},
      {WindowId{2}, "Terminal", "Terminal", kNoIcon},
      {WindowId{3}, "Untitled", "", kNoIcon},
  };
  EXPECT_EQ(ChooserTooltip(config, choices, 0), "Editor\nnotes.txt - Editor\nPress 1");
  EXPECT_EQ(ChooserTooltip(config, choices, 1), "Terminal\nPress 2");
  EXPECT_EQ(ChooserTooltip(config, choices, 2), "Untitled\nPress 3");
  EXPECT_EQ(ChooserTooltip(config, choices, chooser_item::kTabBase),
            "Switch to Halves\nCtrl+Alt+1");
  EXPECT_EQ(ChooserTooltip(config, choices, chooser_item::kTabBase + 1), "Grid: in use");
  EXPECT_EQ(ChooserTooltip(config, choices, chooser_item::kPrevious),
            "Previous Window (Ctrl+Alt+[)");
  EXPECT_EQ(ChooserTooltip(config, choices, chooser_item::kNext), "Next Window");
  EXPECT_EQ(ChooserTooltip(config, choices, chooser_item::kStretchBase + 2),
            "Stretch Across the Span");
  EXPECT_EQ(ChooserTooltip(config, choices, chooser_item::kActionB),
            "Bring Both Forward, or Ctrl+Alt+G anywhere\nPress B here");
  EXPECT_EQ(ChooserTooltip(config, choices, chooser_item::kPrimary), "");
  config.leaveEmpty = true;
  EXPECT_EQ(ChooserTooltip(config, choices, 1), "Terminal");
}

}  // namespace
}  // namespace tessary
