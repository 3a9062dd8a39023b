// The chooser panel's keyboard rules and tooltips.

#include <gtest/gtest.h>

#include "platform/surface.h"
#include "surfaces/chooser_panel_input.h"

namespace tessary {
namespace {

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
      {3, key::kRight, {A::kFocus, 0}},   // wraps
      {1, key::kTab, {A::kFocus, 2}},
      {0, key::kLeft, {A::kFocus, 3}},    // wraps to the last
      {2, key::kUp, {A::kFocus, 0}},
      {1, key::kDown, {A::kFocus, 3}},
      {0, key::kUp, {A::kRepaint, -1}},   // nothing above
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
  EXPECT_EQ(ChooserKey(LayOutChooser(config, 0, 948, 512), config, 0, key::kEnter).action, A::kNone);
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
  EXPECT_EQ(ChooserTooltip(config, choices, chooser_item::kTabBase), "Switch to Halves\nCtrl+Alt+1");
  EXPECT_EQ(ChooserTooltip(config, choices, chooser_item::kTabBase + 1), "Grid: in use");
  EXPECT_EQ(ChooserTooltip(config, choices, chooser_item::kPrevious), "Previous Window (Ctrl+Alt+[)");
  EXPECT_EQ(ChooserTooltip(config, choices, chooser_item::kNext), "Next Window");
  EXPECT_EQ(ChooserTooltip(config, choices, chooser_item::kStretchBase + 2), "Stretch Across the Span");
  EXPECT_EQ(ChooserTooltip(config, choices, chooser_item::kActionB),
            "Bring Both Forward, or Ctrl+Alt+G anywhere\nPress B here");
  EXPECT_EQ(ChooserTooltip(config, choices, chooser_item::kPrimary), "");
  config.leaveEmpty = true;
  EXPECT_EQ(ChooserTooltip(config, choices, 1), "Terminal");
}

}  // namespace
}  // namespace tessary
