// The chooser panel's layout and hit testing (the card grid for any number of choices at
// the display scales, the buttons, and the switcher's furniture), its keys and tooltips.

#include "surfaces/chooser_panel_geometry.h"

#include <gtest/gtest.h>

#include <cmath>

#include "platform/surface.h"
#include "surfaces/chooser_panel_input.h"

namespace tessary {
namespace {

ChooserConfig Assist() {
  return {.header = "Choose a window for this space", .primaryText = "Done", .leaveEmpty = true};
}

bool Overlap(const Rect& a, const Rect& b) {
  return a.x < b.Right() && b.x < a.Right() && a.y < b.Bottom() && b.y < a.Bottom();
}

TEST(ChooserGeometry, FourChoicesInAQuarterMakeATwoByTwoGridAndOneIsAtMost440Wide) {
  const ChooserGeometry g = LayOutChooser(Assist(), 4, 948, 512);
  ASSERT_EQ(g.cards.size(), 4u);
  EXPECT_EQ(g.cards[0], (Rect{196, 52, 272, 196}));
  EXPECT_EQ(g.cards[1], (Rect{480, 52, 272, 196}));
  EXPECT_EQ(g.cards[2], (Rect{196, 260, 272, 196}));
  EXPECT_EQ(g.cards[3], (Rect{480, 260, 272, 196}));
  EXPECT_EQ(g.previews[3], (Rect{486, 266, 260, 164}));
  EXPECT_EQ(g.leaveEmpty, (Rect{16, 468, 120, 32}));
  EXPECT_EQ(g.primary, (Rect{842, 468, 90, 32}));
  EXPECT_EQ(LayOutChooser(Assist(), 1, 948, 1040).cards[0], (Rect{254, 367.5, 440, 301}));
}

TEST(ChooserGeometry, EveryCountAtEveryScaleInSmallAndLargeRegions) {
  const Rect regions[] = {{0, 0, 400, 300}, {0, 0, 948, 1040}, {0, 0, 1904, 512}};
  for (double scale : {1.0, 1.5, 2.0}) {
    for (const Rect& region : regions) {
      const double w = region.width / scale;
      const double h = region.height / scale;
      for (int n = 1; n <= 12; ++n) {
        SCOPED_TRACE(testing::Message() << "scale " << scale << " " << w << "x" << h << " n=" << n);
        const ChooserGeometry g = LayOutChooser(Assist(), n, w, h);
        ASSERT_EQ(g.cards.size(), static_cast<std::size_t>(n));
        for (int i = 0; i < n; ++i) {
          const Rect& c = g.cards[static_cast<std::size_t>(i)];
          EXPECT_GE(c.width, 48);
          EXPECT_LE(c.width, 440);
          EXPECT_DOUBLE_EQ(c.height, c.width / 1.6 + 26);
          EXPECT_EQ(c.width, g.cards[0].width);
          EXPECT_GE(c.y, 52);
          for (int j = 0; j < i; ++j) EXPECT_FALSE(Overlap(c, g.cards[static_cast<std::size_t>(j)]));
        }
        EXPECT_EQ(g.primary, (Rect{w - 106, h - 44, 90, 32}));
      }
    }
  }
}

TEST(ChooserGeometry, ARegionLowerThan148UnitsShowsNoCardsOnlyTheButtons) {
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
  ChooserConfig config{.header = "Window Stack", .primaryText = "Close"};
  config.groups = {{"Region 1", {0, 1}, false}, {"Span", {2}, true}};
  const ChooserGeometry g = LayOutChooser(config, 3, 700, 400);
  ASSERT_EQ(g.groupAreas.size(), 2u);
  // Two areas of (700 - 32 - 12) / 2 = 328 side by side.
  EXPECT_EQ(g.groupAreas[1], (Rect{356, 48, 328, 296}));
  // Two cards in a row of 132 + 8 + 132 centred in the first area.
  EXPECT_EQ(g.cards[0], (Rect{16 + 28, 72, 132, 104}));
  EXPECT_EQ(g.cards[1], (Rect{16 + 28 + 140, 72, 132, 104}));
  EXPECT_EQ(g.previews[1], (Rect{190, 78, 120, 70}));
  EXPECT_EQ(g.stretch[0], Rect{});
  EXPECT_EQ(g.stretch[2], (Rect{g.cards[2].x + 84, 72 + 81, 20, 18}));
  EXPECT_EQ(g.leaveEmpty, Rect{});
  EXPECT_EQ(g.primary, (Rect{578, 356, 110, 32}));
}

TEST(ChooserGeometry, HitTestingFindsTheFirstItemInItsOrder) {
  ChooserConfig config = Assist();
  const ChooserGeometry g = LayOutChooser(config, 4, 948, 512);
  struct Case {
    Point point;
    int item;
  } cases[] = {
      {{200, 60}, 0},                         // a card's top-left corner is inside
      {{468, 60}, chooser_item::kNothing},    // its right edge is not
      {{751, 455}, 3},
      {{474, 100}, chooser_item::kNothing},   // between two cards
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
  EXPECT_EQ(ChooserHitTest(s, switcher, {stretch.x - 3, stretch.y - 3}), chooser_item::kStretchBase);
  EXPECT_EQ(ChooserHitTest(s, switcher, {stretch.x - 4, stretch.y}), 0);
  EXPECT_EQ(ChooserHitTest(s, switcher, {700 - 100, 20}), chooser_item::kPrevious);
  EXPECT_EQ(ChooserHitTest(s, switcher, {s.actionB.x + 5, s.actionB.y + 5}), chooser_item::kActionB);
  switcher.actionB = false;
  EXPECT_EQ(ChooserHitTest(s, switcher, {s.actionB.x + 5, s.actionB.y + 5}), chooser_item::kNothing);
}

TEST(ChooserGeometry, ThumbnailsKeepTheSourceProportionsCentredInPixels) {
  // A wide source at 150 %; the panel shows a 4:3 one in its preview (ChooserPanelTest).
  EXPECT_EQ(ThumbnailDestination({10, 10, 100, 100}, 400, 100, 1.5), (Rect{15, 71, 150, 38}));
}

namespace key = surface_key;

TEST(ChooserKeys, ArrowsTabEnterEscapeAndDigitsOnATwoByTwoGrid) {
  const ChooserConfig config{.leaveEmpty = true};
  const ChooserGeometry g = LayOutChooser(config, 4, 948, 512);  // cards 0 1 / 2 3
  using A = ChooserKeyAction;
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
      {2, key::kEnter, {A::kChoose, 2}},
      {1, key::kSpace, {A::kChoose, 1}},
      {1, key::kEscape, {A::kDone, -1}},
      {0, key::kDigit1 + 2, {A::kChoose, 2}},
      {0, key::kDigit1 + 6, {A::kNone, -1}},  // "7" with four cards
      {0, key::kB, {A::kRepaint, -1}},
      {0, 0x41, {A::kNone, -1}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ChooserKey(g, config, c.focus, c.key), c.result) << c.focus << " key " << c.key;
  }
  EXPECT_EQ(ChooserKey(g, {.actionB = true}, 0, key::kB).action, A::kActionB);
  // Without cards Enter chooses nothing.
  EXPECT_EQ(ChooserKey(LayOutChooser(config, 0, 948, 512), config, 0, key::kEnter).action,
            A::kNone);
}

TEST(ChooserKeys, UpAndDownPreferTheNearestCardInThatDirection) {
  // Five cards in rows of three and two.
  const ChooserConfig config{.leaveEmpty = true};
  const ChooserGeometry g = LayOutChooser(config, 5, 948, 512);
  ASSERT_EQ(g.cards[3].x, g.cards[0].x);
  EXPECT_EQ(ChooserKey(g, config, 4, key::kUp).card, 1);
  EXPECT_EQ(ChooserKey(g, config, 2, key::kDown).card, 4);
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
