#include "surfaces/drop_tiles.h"

#include <gtest/gtest.h>

namespace tessary {
namespace {

std::vector<std::int32_t> Kinds(const std::vector<DropIntent>& intents) {
  std::vector<std::int32_t> kinds;
  for (const DropIntent& intent : intents) kinds.push_back(intent.kind);
  return kinds;
}

TEST(DropActionMenu, OffersWhatFitsTheRegion) {
  struct Case {
    const char* what;
    DropMenuRequest request;
    std::vector<std::int32_t> kinds;
  };
  // An occupied region 1 of 400 x 400 px unless a case says otherwise.
  auto occupied = [](double width, double height, DropMenuRequest r = {}) {
    r.region = 1;
    r.sizeKnown = true;
    r.regionWidth = width;
    r.regionHeight = height;
    return r;
  };
  // clang-format off
  const Case cases[] = {
      {"400 px wide and high: nothing to halve", occupied(400, 400), {0}},
      {"647 px wide misses the 648 px rule", occupied(647, 400), {0}},
      {"648 px wide offers left and right", occupied(648, 400), {0, 4, 5}},
      {"a wider need raises the rule to 2 x 400 + 8", occupied(807, 400, {.neededWidth = 400}), {0}},
      {"448 px high offers top and bottom", occupied(400, 448), {0, 2, 3}},
      {"full height halves whatever its height",
       occupied(400, 400, {.fullHeight = true, .neededHeight = 220}), {0, 2, 3}},
      {"full height but a need over 220 px falls back to the height rule",
       occupied(400, 400, {.fullHeight = true, .neededHeight = 221}), {0}},
      {"scale 1.25: 810 px wide are needed", occupied(809, 560, {.scale = 1.25}), {0, 2, 3}},
      {"scale 2: 1296 px wide", occupied(1296, 400, {.scale = 2}), {0, 4, 5}},
      {"put back never swaps", occupied(400, 400, {.canSwap = true, .putBack = true}), {1}},
      {"rejoin, span and swap come last, in that order",
       {.region = 3, .canSwap = true, .rejoinRegion = 3, .spanColumnRegion = 3}, {0, 6, 9, 7}},
      {"an empty region's size is not known",
       {.region = 3, .regionWidth = 2000, .regionHeight = 2000, .rejoinRegion = 3}, {0, 6}},
  };
  // clang-format on
  for (const Case& c : cases) {
    std::vector<DropIntent> intents = BuildDropActionMenu(c.request);
    EXPECT_EQ(Kinds(intents), c.kinds) << c.what;
    for (const DropIntent& intent : intents) EXPECT_EQ(intent.region, c.request.region) << c.what;
  }
}

TEST(DropActionMenu, LabelsByKind) {
  // clang-format off
  const std::pair<std::int32_t, const char*> labels[] = {
      {0, "Add to Stack"}, {1, "Put Back"}, {2, "Top Half"}, {3, "Bottom Half"}, {4, "Left Half"},
      {5, "Right Half"}, {6, "Whole Column"}, {7, "Swap"}, {8, ""}, {9, "Span Column"}, {10, ""},
      {11, "Add to Stack"}, {12, "Top Half"}, {13, "Bottom Half"}, {14, "Left Column"},
      {15, "Right Column"}, {16, "Top Half"}, {17, "Bottom Half"}, {18, ""}, {-1, ""}};
  // clang-format on
  for (const auto& [kind, label] : labels) EXPECT_EQ(DropIntentLabel(kind), label) << kind;
}

std::vector<DropIntent> Intents(int n) {
  std::vector<DropIntent> intents;
  for (int i = 0; i < n; ++i)
    intents.push_back({i == 0 ? kDropAddToStack : kDropTopHalf + i - 1, 2});
  return intents;
}

TEST(DropTiles, OneRowCentredOnTheArea) {
  DropTileLayout laid = LayOutDropTiles(Intents(1), {0, 0, 960, 1040}, 1, {});
  EXPECT_EQ(laid.rect, (Rect{414, 464, 132, 112}));
  ASSERT_EQ(laid.tiles.size(), 1u);
  EXPECT_EQ(laid.tiles[0].rect, (Rect{424, 474, 112, 92}));
  EXPECT_EQ(laid.tiles[0].label, "Add to Stack");
}

TEST(DropTiles, FiveInANarrowRegionAreThreeOverTwoWithThePrimaryInTheMiddle) {
  DropTileLayout laid =
      LayOutDropTiles(Intents(5), {100, 100, 300, 600}, 1, {{{kDropAddToStack, 2}, "This Spot"}});
  EXPECT_EQ(laid.rect, (Rect{64, 294, 372, 212}));
  ASSERT_EQ(laid.tiles.size(), 5u);
  const Rect slots[] = {{74, 304, 112, 92},
                        {194, 304, 112, 92},
                        {314, 304, 112, 92},
                        {134, 404, 112, 92},
                        {254, 404, 112, 92}};
  const std::int32_t kinds[] = {kDropTopHalf, kDropAddToStack, kDropBottomHalf, kDropLeftHalf,
                                kDropRightHalf};
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(laid.tiles[i].rect, slots[i]) << i;
    EXPECT_EQ(laid.tiles[i].intent.kind, kinds[i]) << i;
  }
  EXPECT_EQ(laid.tiles[1].label, "This Spot");
  EXPECT_EQ(laid.tiles[3].label, "Left Half");
}

TEST(DropTiles, ScaledTiles) {
  // Scale 1.25: 140 x 115 tiles, the menu's half-pixel centre rounded away.
  DropTileLayout laid = LayOutDropTiles(Intents(2), {0, 0, 960, 1040}, 1.25, {});
  EXPECT_EQ(laid.rect, (Rect{323, 450, 315, 140}));
  EXPECT_EQ(laid.tiles[0].rect, (Rect{336, 462.5, 140, 115}));
  EXPECT_EQ(laid.tiles[1].rect, (Rect{486, 462.5, 140, 115}));
  EXPECT_EQ(laid.tiles[0].intent.kind, kDropAddToStack);
  // Scale 2, four in a region one tile wide: two over two, equally near the centre, so the
  // primary takes the first slot.
  laid = LayOutDropTiles(Intents(4), {1000, 0, 500, 1000}, 2, {});
  EXPECT_EQ(laid.rect, (Rect{998, 288, 504, 424}));
  const Rect slots[] = {
      {1018, 308, 224, 184}, {1258, 308, 224, 184}, {1018, 508, 224, 184}, {1258, 508, 224, 184}};
  for (int i = 0; i < 4; ++i) EXPECT_EQ(laid.tiles[i].rect, slots[i]) << i;
  EXPECT_EQ(laid.tiles[0].intent.kind, kDropAddToStack);
}

TEST(DropTiles, TheTileUnderAPointIsTheNearestCentre) {
  DropTileLayout laid = LayOutDropTiles(Intents(5), {100, 100, 300, 600}, 1, {});
  DropActionMenu menu{0, 2, laid.tiles, laid.rect, false, true};
  const std::pair<Point, int> cases[] = {
      {{250, 350}, 1},   // the primary's centre
      {{190, 450}, 3},   // a second-row tile
      {{250, 450}, 3},   // halfway between two second-row tiles: the earlier
      {{70, 300}, 0},    // in the padding, nearest the first tile
      {{64, 294}, 0},    // the menu's top-left corner is inside
      {{436, 300}, -1},  // its right edge is not
      {{250, 506}, -1},  // nor its bottom edge
      {{10, 10}, -1},
  };
  for (const auto& [point, tile] : cases) {
    EXPECT_EQ(DropTileAt(menu, point), tile) << point.x << "," << point.y;
  }
  menu.rect.width = 0;
  EXPECT_EQ(DropTileAt(menu, {250, 350}), -1);
}

}  // namespace
}  // namespace tessary
