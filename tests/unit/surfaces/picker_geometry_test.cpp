#include "surfaces/picker_geometry.h"

#include <gtest/gtest.h>

#include <cmath>

#include "surfaces_test_support.h"

namespace tessary {
namespace {

using testing::Layouts;

TEST(PickerGeometry, SevenLayoutsOnA1920PixelDisplayAndThePanelsPlace) {
  const PickerGeometry g = PickerGeometryForDisplay(Layouts(7), {0, 0, 1920, 1080}, 1.0);
  // W = 820: five columns of 148, the panel exactly 820 wide.
  EXPECT_EQ(g.width, 820);
  ASSERT_EQ(g.cards.size(), 7u);
  for (const PickerCard& card : g.cards) EXPECT_EQ(card.card.width, 148);
  // Thumbnails 132 wide at 16:9 are round(74.25) = 74 high; cards 108.
  EXPECT_EQ(g.cards[0].thumbnail, (Rect{24, 58, 132, 74}));
  EXPECT_EQ(g.cards[0].card, (Rect{16, 50, 148, 108}));
  EXPECT_EQ(g.cards[0].label, (Rect{20, 134, 140, 22}));
  EXPECT_EQ(g.cards[4].card.x, 16 + 4 * 160);
  EXPECT_EQ(g.height, 12 + 2 * 108 + 66);
  EXPECT_EQ(g.header, (Rect{16, 16, 788, 26}));
  // The second row holds two cards, centred: (820 - (2 x 148 + 12)) / 2 = 256; a lone
  // card of a last row is centred too.
  EXPECT_EQ(g.cards[5].card, (Rect{256, 170, 148, 108}));
  EXPECT_EQ(g.cards[6].card.x, 416);
  EXPECT_EQ(PickerGeometryForDisplay(Layouts(6), {0, 0, 1920, 1080}, 1.0).cards[5].card.x,
            (820 - 148) / 2.0);
  // Regions are mapped into the thumbnail and inset by 2.
  const Rect& t = g.cards[0].thumbnail;
  ASSERT_EQ(g.cards[0].regions.size(), 2u);
  EXPECT_EQ(*g.cards[0].regions.Get(0), (Rect{t.x + 2, t.y + 2, t.width / 2 - 4, t.height - 4}));
  EXPECT_EQ(*g.cards[0].regions.Get(1),
            (Rect{t.x + t.width / 2 + 2, t.y + 2, t.width / 2 - 4, t.height - 4}));

  // The panel is centred 12 units below the top; at 150 % the same units, pixels scaled
  // and rounded up.
  EXPECT_EQ(PickerPanelRect(g, {0, 0, 1920, 1080}, 1.0), (Rect{550, 12, 820, 294}));
  const Rect work{1920, 0, 2880, 1560};
  const PickerGeometry big = PickerGeometryForDisplay(Layouts(7), work, 1.5);
  EXPECT_EQ(big.width, 820);
  EXPECT_EQ(PickerPanelRect(big, work, 1.5), (Rect{2745, 18, 1230, std::ceil(1.5 * big.height)}));
}

TEST(PickerGeometry, NarrowDisplaysEmptyCataloguesAndAbsurdWorkAreas) {
  // Work width / scale = 300: W = 260, one column, card min(170, 228) = 170.
  for (double scale : {1.0, 2.0}) {
    const PickerGeometry g =
        PickerGeometryForDisplay(Layouts(1), {0, 0, 300 * scale, 800 * scale}, scale);
    ASSERT_EQ(g.cards.size(), 1u);
    EXPECT_EQ(g.cards[0].card.width, 170);
    EXPECT_EQ(g.width, 202);
  }
  // More layouts stay in the single column.
  const PickerGeometry three = PickerGeometryForDisplay(Layouts(3), {0, 0, 300, 800}, 1.0);
  EXPECT_EQ(three.cards[2].card.x, 16);
  EXPECT_EQ(three.cards[2].card.y, 50 + 2 * (three.cards[0].card.height + 12));
  // Without layouts the panel is its header only.
  const PickerGeometry none = PickerGeometryForDisplay({}, {0, 0, 1920, 1080}, 1.0);
  EXPECT_TRUE(none.cards.empty());
  EXPECT_EQ(none.height, 66);
  EXPECT_EQ(none.width, 202);
  // An absurdly narrow work area keeps positive sizes.
  const PickerGeometry absurd = PickerGeometryForDisplay(Layouts(2), {0, 0, 50, 800}, 1.0);
  ASSERT_EQ(absurd.cards.size(), 2u);
  EXPECT_GT(absurd.cards[0].thumbnail.width, 0);
  EXPECT_GT(absurd.cards[0].thumbnail.height, 0);
  EXPECT_GT(absurd.width, 0);
}

TEST(PickerGeometry, ThumbnailAspectIsLimitedAndDegenerateAspectsUseSixteenNinths) {
  // One card of 170: thumbnails 154 wide.
  const std::tuple<double, double, double> cases[] = {
      {1000, 2000, 257},  // aspect 0.5 -> 0.6: round(256.67)
      {4000, 1000, 43},   // aspect 4 -> 3.6: round(42.78)
      {400, 2000, 87},    // aspect 0.2 -> 16/9: round(86.625)
      {420, 2000, 257},   // aspect 0.21 -> 0.6
      {1600, 0, 87},      // no height at all -> 16/9
  };
  for (auto [width, height, thumbnail] : cases) {
    EXPECT_EQ(
        PickerGeometryForDisplay(Layouts(1), {0, 0, width, height}, 1.0).cards[0].thumbnail.height,
        thumbnail)
        << width << " x " << height;
  }
}

}  // namespace
}  // namespace tessary
