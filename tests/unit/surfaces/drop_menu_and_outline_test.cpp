// The drop menu (which actions it offers, their tiles' layout, and the view drawing them
// with their glyphs) and the outline of the destination.

#include <gtest/gtest.h>

#include <algorithm>

#include "surfaces/drop_glyphs.h"
#include "surfaces/drop_menu_view.h"
#include "surfaces/drop_tiles.h"
#include "surfaces/outline.h"
#include "surfaces_test_support.h"

namespace tessary {
namespace {

// Two tiles of 112 x 92 units at scale 1.5, laid out from the menu's top-left.
DropActionMenu TwoTiles() {
  DropActionMenu menu;
  menu.rect = {300, 200, 381, 168};
  menu.tiles = {{{kDropAddToStack, 2}, "Add to Stack", {315, 215, 168, 138}},
                {{kDropLeftHalf, 2}, "Left Half", {495, 215, 168, 138}}};
  return menu;
}

TEST(DropMenuView, ShowingTheSameMenuTwicePaintsOnceAndScreenReadersHearTheHighlightedTile) {
  testing::SimView<DropMenuView> f("Tessary drop menu");
  const DropActionMenu menu = TwoTiles();
  f.view.Show(menu, 1.5, std::nullopt, false);
  f.view.Show(menu, 1.5, std::nullopt, false);
  EXPECT_EQ(f.surface->PaintCount(), 1);
  EXPECT_EQ(f.surface->Bounds(), menu.rect);
  EXPECT_EQ(f.surface->Anchor(), SurfaceAnchor::Topmost());
  EXPECT_EQ(f.surface->Accessible().role, AccessibleRole::kMenu);
  EXPECT_EQ(f.surface->Accessible().Focused(), nullptr);
  // A highlight, then only the armed flag, each repaint.
  f.view.Show(menu, 1.5, DropIntent{kDropLeftHalf, 2}, false);
  f.view.Show(menu, 1.5, DropIntent{kDropLeftHalf, 2}, false);
  EXPECT_EQ(f.surface->PaintCount(), 2);
  ASSERT_NE(f.surface->Accessible().Focused(), nullptr);
  EXPECT_EQ(*f.surface->Accessible().Focused(),
            (AccessibleItem{"Left Half", AccessibleRole::kMenuItem, menu.tiles[1].rect}));
  f.view.Show(menu, 1.5, DropIntent{kDropLeftHalf, 2}, true);
  EXPECT_EQ(f.surface->PaintCount(), 3);
  // A different tile list repaints; hiding and showing again repaints.
  DropActionMenu other = menu;
  other.tiles[1].label = "Right Half";
  f.view.Show(other, 1.5, DropIntent{kDropLeftHalf, 2}, true);
  EXPECT_EQ(f.surface->PaintCount(), 4);
  f.view.Hide();
  f.view.Show(other, 1.5, DropIntent{kDropLeftHalf, 2}, true);
  EXPECT_EQ(f.surface->PaintCount(), 5);
}

TEST(DropMenuView, TilesAreDrawnInPanelUnitsAndHighlightAndArmedChangeThem) {
  testing::SimView<DropMenuView> f("Tessary drop menu");
  f.view.Show(TwoTiles(), 1.5, std::nullopt, false);
  const auto fills = f.Paint().OfKind(CanvasOpKind::kFillRounded);
  // Panel (381 x 168 px = 254 x 112 units), then each tile and its glyph's fill.
  EXPECT_EQ(f.Paint().OfKind(CanvasOpKind::kShadow)[0]->rect, (Rect{4, 4, 246, 104}));
  EXPECT_EQ(fills[0]->rect, (Rect{1, 1, 252, 110}));
  EXPECT_EQ(fills[0]->radius, 16);
  EXPECT_EQ(fills[1]->rect, (Rect{10, 10, 112, 92}));
  EXPECT_EQ(fills[1]->radius, 12);
  const CanvasOp* label = f.Paint().FindText("Left Half");
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(label->rect, (Rect{134, 70, 104, 24}));
  EXPECT_EQ(label->fontSize, 12.5);

  // A highlight and then the armed flag change the tile's fill, its glyph and its label.
  f.view.Show(TwoTiles(), 1.5, DropIntent{kDropLeftHalf, 2}, false);
  const auto lit = f.Paint().OfKind(CanvasOpKind::kFillRounded);
  // Panel, tile 0, its glyph's card, tile 1 (highlighted), its glyph's half.
  ASSERT_EQ(lit.size(), 5u);
  EXPECT_EQ(lit[3]->color, f.colours.accentTint);
  EXPECT_EQ(lit[4]->color, f.colours.accent);  // the glyph in the accent
  EXPECT_TRUE(f.Paint().FindText("Left Half")->bold);
  EXPECT_EQ(f.Paint().FindText("Left Half")->color, f.colours.text);
  EXPECT_TRUE(std::ranges::any_of(
      f.Paint().OfKind(CanvasOpKind::kStrokeRounded), [&](const CanvasOp* ring) {
        return ring->radius == 12 && ring->width == 2 && ring->color == f.colours.accent;
      }));
  f.view.Show(TwoTiles(), 1.5, DropIntent{kDropLeftHalf, 2}, true);
  const auto armed = f.Paint().OfKind(CanvasOpKind::kFillRounded);
  EXPECT_EQ(armed[3]->color, f.colours.accent);
  EXPECT_EQ(armed[4]->color, kWhite);
  EXPECT_EQ(f.Paint().FindText("Left Half")->color, kWhite);
  EXPECT_EQ(f.Paint().FindText("Add to Stack")->color, f.colours.text);

  // A highlight of another region leaves every tile at rest, without a ring.
  f.view.Show(TwoTiles(), 1.5, DropIntent{kDropLeftHalf, 3}, true);
  for (const char* text : {"Add to Stack", "Left Half"}) {
    EXPECT_FALSE(f.Paint().FindText(text)->bold);
    EXPECT_EQ(f.Paint().FindText(text)->color, f.colours.text);
  }
  EXPECT_EQ(f.Paint().OfKind(CanvasOpKind::kFillRounded)[3]->color, f.colours.cardFill);
  for (const CanvasOp* stroke : f.Paint().OfKind(CanvasOpKind::kStrokeRounded)) {
    EXPECT_NE(stroke->radius, 12);
  }
}

TEST(DropGlyphs, EachKindDrawsItsPictogram) {
  const Rect box{10, 20, 44, 36};
  auto draw = [&](std::int32_t kind) {
    RecordingCanvas canvas;
    DrawDropGlyph(canvas, kind, box, kBlack);
    return canvas;
  };
  // Two overlapping cards for the stack kinds.
  for (std::int32_t kind : {0, 8, 10, 11}) {
    const RecordingCanvas c = draw(kind);
    ASSERT_EQ(c.Ops().size(), 2u) << kind;
    EXPECT_EQ(c.Ops()[0].rect, (Rect{18, 20, 36, 28}));
    EXPECT_EQ(c.Ops()[0].color, WithAlpha(kBlack, 0.35));
    EXPECT_EQ(c.Ops()[1].rect, (Rect{10, 28, 36, 28}));
  }
  // Halves: the box's outline and a filled half.
  const std::vector<std::pair<std::vector<std::int32_t>, Rect>> halves = {
      {{2, 12, 16}, {10, 20, 44, 17}},
      {{3, 13, 17}, {10, 39, 44, 17}},
      {{4, 14}, {10, 20, 21, 36}},
      {{5, 15}, {33, 20, 21, 36}}};
  for (const auto& [kinds, fill] : halves) {
    for (std::int32_t kind : kinds) {
      const RecordingCanvas c = draw(kind);
      ASSERT_EQ(c.Ops().size(), 2u) << kind;
      EXPECT_EQ(c.Ops()[0].kind, CanvasOpKind::kStrokeRounded);
      EXPECT_EQ(c.Ops()[0].rect, box);
      EXPECT_EQ(c.Ops()[0].radius, 4);
      EXPECT_EQ(c.Ops()[1].rect, fill) << kind;
      EXPECT_EQ(c.Ops()[1].radius, 3);
    }
  }
  EXPECT_EQ(draw(6).Ops().size(), 1u);
  EXPECT_EQ(draw(6).Ops()[0].rect, box);
  // Put back: outline, two strokes of the arrow and its head.
  const RecordingCanvas back = draw(1);
  ASSERT_EQ(back.Ops().size(), 4u);
  EXPECT_EQ(back.Ops()[3].kind, CanvasOpKind::kTriangle);
  EXPECT_EQ(back.Ops()[3].points, (std::vector<Point>{{19, 42}, {27, 35}, {27, 49}}));
  // Swap: two outlines, two arrows of a line and a head each.
  const RecordingCanvas swap = draw(7);
  EXPECT_EQ(swap.Count(CanvasOpKind::kStrokeRounded), 2u);
  EXPECT_EQ(swap.Count(CanvasOpKind::kLine), 2u);
  EXPECT_EQ(swap.Count(CanvasOpKind::kTriangle), 2u);
  EXPECT_EQ(swap.OfKind(CanvasOpKind::kLine)[0]->width, 3);
  // Span column: two outlines and a fill.
  EXPECT_EQ(draw(9).Count(CanvasOpKind::kStrokeRounded), 2u);
  EXPECT_EQ(draw(9).OfKind(CanvasOpKind::kFillRounded)[0]->rect, (Rect{14, 24, 36, 28}));
  // Unknown kinds draw nothing.
  EXPECT_TRUE(draw(99).Ops().empty());
  EXPECT_TRUE(draw(-1).Ops().empty());
}

TEST(DropActionMenu, OffersWhatFitsTheRegionLabelledByKind) {
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
    std::vector<std::int32_t> kinds;
    for (const DropIntent& intent : BuildDropActionMenu(c.request)) {
      EXPECT_EQ(intent.region, c.request.region) << c.what;
      kinds.push_back(intent.kind);
    }
    EXPECT_EQ(kinds, c.kinds) << c.what;
  }
  // The labels of every kind.
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

TEST(DropTiles, FiveInANarrowRegionAreThreeOverTwoWithThePrimaryInTheMiddle) {
  const DropTileLayout laid =
      LayOutDropTiles(Intents(5), {100, 100, 300, 600}, 1, {{{kDropAddToStack, 2}, "This Spot"}});
  EXPECT_EQ(laid.rect, (Rect{64, 294, 372, 212}));
  EXPECT_EQ(laid.tiles,
            (std::vector<DropTile>{{{kDropTopHalf, 2}, "Top Half", {74, 304, 112, 92}},
                                   {{kDropAddToStack, 2}, "This Spot", {194, 304, 112, 92}},
                                   {{kDropBottomHalf, 2}, "Bottom Half", {314, 304, 112, 92}},
                                   {{kDropLeftHalf, 2}, "Left Half", {134, 404, 112, 92}},
                                   {{kDropRightHalf, 2}, "Right Half", {254, 404, 112, 92}}}));
}

TEST(DropTiles, OneRowCentredOnTheAreaAndScaledTiles) {
  // (One row at scale 1, five tiles with the primary in the middle: the occupied-region drop
  // story.) Scale 1.25: 140 x 115 tiles, the menu's half-pixel centre rounded away.
  DropTileLayout laid = LayOutDropTiles(Intents(2), {0, 0, 960, 1040}, 1.25, {});
  EXPECT_EQ(laid.rect, (Rect{323, 450, 315, 140}));
  EXPECT_EQ(laid.tiles,
            (std::vector<DropTile>{{{kDropAddToStack, 2}, "Add to Stack", {336, 462.5, 140, 115}},
                                   {{kDropTopHalf, 2}, "Top Half", {486, 462.5, 140, 115}}}));
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

TEST(Outline, PaintsOnlyOnChangeAndWithoutADraggedWindowIsOnTop) {
  testing::SimView<Outline> f("Tessary destination");
  f.view.Show({100, 100, 400, 300}, 1.0, "This Spot", false);
  f.view.Show({100, 100, 400, 300}, 1.0, "This Spot", false);
  EXPECT_EQ(f.surface->PaintCount(), 1);
  f.view.Show({100, 100, 400, 300}, 1.0, "This Spot", true);
  f.view.Show({100, 100, 400, 301}, 1.0, "This Spot", true);
  f.view.Show({100, 100, 400, 301}, 1.0, "Release to snap", true);
  EXPECT_EQ(f.surface->PaintCount(), 4);
  // Hidden, the same outline is shown again.
  f.view.Hide();
  f.view.Show({100, 100, 400, 301}, 1.0, "Release to snap", true);
  EXPECT_TRUE(f.view.Visible());
  EXPECT_EQ(f.surface->PaintCount(), 5);
  // On top without a dragged window (below one: the picker stories).
  f.view.Show({0, 0, 200, 120}, 1.0, "", false);
  EXPECT_EQ(f.surface->Anchor(), SurfaceAnchor::Topmost());
}

TEST(Outline, ArmedOutlineIsStrongerSmallOnesGoWithoutTheirLabelAndLongLabelsAreCut) {
  testing::SimView<Outline> f("Tessary destination");
  f.view.Show({0, 0, 400, 300}, 1.0, "Release to snap", true);
  const RecordingCanvas& armed = f.surface->LastPaint();
  const auto fills = armed.OfKind(CanvasOpKind::kFillRounded);
  ASSERT_EQ(fills.size(), 2u);
  EXPECT_EQ(fills[0]->rect, (Rect{1, 1, 398, 298}));
  EXPECT_EQ(fills[0]->radius, 8);
  EXPECT_EQ(fills[0]->color, WithAlpha(f.colours.accent, 0.30));
  const auto stroke = armed.OfKind(CanvasOpKind::kStrokeRounded)[0];
  EXPECT_EQ(stroke->color, WithAlpha(f.colours.accent, 0.95));
  EXPECT_EQ(stroke->width, 3);
  // The pill: min(400 - 24, 280) = 280 wide, 40 high, centred.
  EXPECT_EQ(fills[1]->rect, (Rect{60, 130, 280, 40}));
  EXPECT_EQ(fills[1]->radius, 20);
  EXPECT_EQ(fills[1]->color, WithAlpha(f.colours.background, 0.94));
  const CanvasOp* label = armed.FindText("Release to snap");
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(label->rect, (Rect{74, 130, 252, 40}));
  EXPECT_TRUE(label->bold);
  EXPECT_EQ(label->color, f.colours.text);
  EXPECT_EQ(label->fontSize, 14);

  f.view.Show({0, 0, 400, 300}, 1.0, "Hold to snap", false);
  const RecordingCanvas& resting = f.surface->LastPaint();
  EXPECT_EQ(resting.OfKind(CanvasOpKind::kFillRounded)[0]->color,
            WithAlpha(f.colours.accent, 0.16));
  EXPECT_EQ(resting.OfKind(CanvasOpKind::kStrokeRounded)[0]->width, 2);
  EXPECT_EQ(resting.OfKind(CanvasOpKind::kStrokeRounded)[0]->color.a, 0.6);
  EXPECT_FALSE(resting.FindText("Hold to snap")->bold);
  EXPECT_EQ(resting.FindText("Hold to snap")->color, f.colours.secondaryText);

  // Below 141 x 61 units no label; at 150 % 200 px are 133 units.
  const std::tuple<Rect, double, std::size_t> cases[] = {{{0, 0, 140, 300}, 1.0, 0},
                                                         {{0, 0, 300, 60}, 1.0, 0},
                                                         {{0, 0, 141, 61}, 1.0, 1},
                                                         {{0, 0, 200, 200}, 1.5, 0}};
  for (const auto& [rect, scale, labels] : cases) {
    f.view.Show(rect, scale, "This Spot", false);
    EXPECT_EQ(f.surface->LastPaint().Texts().size(), labels) << rect.width << "x" << rect.height;
    EXPECT_EQ(f.surface->LastPaint().Count(CanvasOpKind::kStrokeRounded), 1u);
  }
  const std::string longLabel(60, 'x');
  f.view.Show({0, 0, 400, 300}, 1.0, longLabel, false);
  const CanvasOp* drawn = f.surface->LastPaint().FindText(longLabel);
  ASSERT_NE(drawn, nullptr);
  // 252 units hold 36 regular code points at size 14: 35 and the ellipsis.
  EXPECT_EQ(drawn->shown, std::string(35, 'x') + "\u2026");
}

}  // namespace
}  // namespace tessary
