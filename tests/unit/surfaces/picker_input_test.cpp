#include "surfaces/picker_input.h"

#include <gtest/gtest.h>

#include <tuple>

#include "platform/surface.h"
#include "surfaces_test_support.h"

namespace tessary {
namespace {

using testing::Layouts;

// Halves, thirds, focus, stack, quarters, rows, thirds-left-stack; card 0 at
// (16, 50, 148, 108), its regions (26, 60, 62, 70) and (92, 60, 62, 70).
PickerGeometry Seven() { return PickerGeometryForDisplay(Layouts(7), {0, 0, 1920, 1080}, 1.0); }

TEST(PickerHitTest, CardsReachFourUnitsBeyondTheirEdgesAndSelectTheNearestRegion) {
  const PickerGeometry g = Seven();
  const std::tuple<Point, bool, PickerHit> cases[] = {
      {{13, 95}, false, {0, 0}},    // 3 to the left
      {{12, 95}, false, {0, 0}},    // 4: still inside
      {{11, 95}, false, {}},        // 5: nothing
      {{90, 46}, false, {0, 1}},    // above, nearer region 1
      {{168, 95}, false, {}},       // right edges exclusive
      {{5, 5}, false, {}},          //
      {{89, 95}, false, {0, 0}},    // the gap between the halves runs from 88 to 92
      {{91, 95}, false, {0, 1}},    //
      {{140, 150}, false, {0, 1}},  // the label belongs to the region above it
      // The gallery selects whole cards within their exact rectangle.
      {{13, 95}, true, {}},
      {{16, 50}, true, {0, 0}},
      {{150, 95}, true, {0, 0}},  // over region 1
      {{300, 200}, true, {5, 0}},
  };
  for (const auto& [point, gallery, hit] : cases) {
    EXPECT_EQ(PickerHitAt(g, point, gallery), hit) << point.x << "," << point.y << " " << gallery;
  }
}

TEST(PickerHitTest, ExactlyBetweenTwoRegionsTheLowerNumberWins) {
  // Distances run to each region's near edges here (one region to the right of the
  // point, one below it), so the tie is exact: both are 10 units away.
  auto geometry = [](Rect right, Rect below, int rightNumber, int belowNumber) {
    PickerGeometry g;
    PickerCard card;
    card.card = {0, 0, 60, 60};
    card.regions.insert_or_assign(rightNumber, right);
    card.regions.insert_or_assign(belowNumber, below);
    g.cards.push_back(card);
    return g;
  };
  const Rect right{30, 0, 10, 10};
  const Rect below{15, 15, 10, 10};
  EXPECT_EQ(PickerHitAt(geometry(right, below, 0, 1), {20, 5}, false), (PickerHit{0, 0}));
  EXPECT_EQ(PickerHitAt(geometry(right, below, 1, 0), {20, 5}, false), (PickerHit{0, 0}));
  // A hair nearer to region 1: region 1.
  EXPECT_EQ(PickerHitAt(geometry(right, below, 0, 1), {20, 5.5}, false), (PickerHit{0, 1}));
}

TEST(PickerHitTest, CardWithoutRegionsSelectsNothing) {
  std::vector<SnapLayout> layouts = Layouts(1);
  layouts[0].tree = nullptr;
  const PickerGeometry g = PickerGeometryForDisplay(layouts, {0, 0, 1920, 1080}, 1.0);
  const Rect card = g.cards[0].card;
  EXPECT_EQ(PickerHitAt(g, {card.x + 10, card.y + 10}, false), (PickerHit{}));
  EXPECT_EQ(PickerHitAt(g, {card.x + 10, card.y + 10}, true), (PickerHit{}));
  EXPECT_EQ(PickerKey(g, {}, surface_key::kDigit1).action, PickerKeyAction::kNone);
}

PickerHit Hover(const PickerGeometry& g, PickerHit from, std::uint32_t key) {
  const PickerKeyResult result = PickerKey(g, from, key);
  EXPECT_EQ(result.action, PickerKeyAction::kHover);
  return result.hit;
}

TEST(PickerKeys, ArrowsWalkRegionsInReadingOrderAndWrapAroundTheCards) {
  const PickerGeometry g = Seven();
  // Nothing hovered: the first card's lowest region.
  EXPECT_EQ(Hover(g, {}, surface_key::kRight), (PickerHit{0, 0}));
  EXPECT_EQ(Hover(g, {}, surface_key::kUp), (PickerHit{0, 0}));
  EXPECT_EQ(Hover(g, {0, 0}, surface_key::kRight), (PickerHit{0, 1}));
  EXPECT_EQ(Hover(g, {0, 1}, surface_key::kDown), (PickerHit{1, 0}));
  // Quarters (card 4) read 0 (top left), 2 (top right), 1, 3.
  EXPECT_EQ(Hover(g, {4, 0}, surface_key::kRight), (PickerHit{4, 2}));
  EXPECT_EQ(Hover(g, {4, 2}, surface_key::kRight), (PickerHit{4, 1}));
  EXPECT_EQ(Hover(g, {4, 1}, surface_key::kLeft), (PickerHit{4, 2}));
  // Going back into a card lands on its highest-numbered region.
  EXPECT_EQ(Hover(g, {5, 0}, surface_key::kLeft), (PickerHit{4, 3}));
  // Past the last region of the last card: the first card's lowest region, and back.
  EXPECT_EQ(Hover(g, {6, 3}, surface_key::kRight), (PickerHit{0, 0}));
  EXPECT_EQ(Hover(g, {0, 0}, surface_key::kLeft), (PickerHit{6, 3}));
}

TEST(PickerKeys, RegionsWhoseTopsNearlyAgreeShareARow) {
  // Left column split at 0.52, right at 0.5: the lower tops differ by 1.74 units, so
  // region 1 (left) reads before region 3 (right) although it starts lower.
  SnapLayout near;
  near.tree = MakeSplit(Axis::Columns, 0.5, MakeSplit(Axis::Rows, 0.52, MakeLeaf(0), MakeLeaf(1)),
                        MakeSplit(Axis::Rows, 0.5, MakeLeaf(2), MakeLeaf(3)));
  SnapLayout far = near;
  far.tree = MakeSplit(Axis::Columns, 0.5, MakeSplit(Axis::Rows, 0.6, MakeLeaf(0), MakeLeaf(1)),
                       MakeSplit(Axis::Rows, 0.5, MakeLeaf(2), MakeLeaf(3)));
  const PickerGeometry g = PickerGeometryForDisplay({near, far}, {0, 0, 1920, 1080}, 1.0);
  EXPECT_EQ(Hover(g, {0, 2}, surface_key::kRight), (PickerHit{0, 1}));
  EXPECT_EQ(Hover(g, {0, 1}, surface_key::kRight), (PickerHit{0, 3}));
  EXPECT_EQ(Hover(g, {1, 2}, surface_key::kRight), (PickerHit{1, 3}));
  EXPECT_EQ(Hover(g, {1, 3}, surface_key::kRight), (PickerHit{1, 1}));
}

TEST(PickerKeys, DigitsSelectCardsByOrdinalAndEnterOrSpaceChooseARealSelection) {
  const PickerGeometry g = Seven();
  EXPECT_EQ(Hover(g, {}, surface_key::kDigit1), (PickerHit{0, 0}));
  EXPECT_EQ(Hover(g, {}, surface_key::kDigit1 + 6), (PickerHit{6, 0}));
  const std::tuple<PickerHit, std::uint32_t, PickerKeyAction> cases[] = {
      {{}, surface_key::kDigit1 + 7, PickerKeyAction::kNone},
      {{}, surface_key::kDigit9, PickerKeyAction::kNone},
      {{}, surface_key::kEnter, PickerKeyAction::kNone},
      {{3, 2}, surface_key::kEnter, PickerKeyAction::kChoose},
      {{3, 2}, surface_key::kSpace, PickerKeyAction::kChoose},
      {{}, surface_key::kEscape, PickerKeyAction::kDismiss},
      {{3, 2}, 'A', PickerKeyAction::kNone},
  };
  for (const auto& [from, key, action] : cases)
    EXPECT_EQ(PickerKey(g, from, key).action, action) << key;
  EXPECT_EQ(PickerKey(g, {3, 2}, surface_key::kEnter).hit, (PickerHit{3, 2}));
}

}  // namespace
}  // namespace tessary
