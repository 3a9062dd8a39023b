#include "surfaces/drop_menu_view.h"

#include <gtest/gtest.h>

#include "surfaces/drop_glyphs.h"
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

struct MenuFixture : testing::SimView<DropMenuView> {
  MenuFixture() : SimView("Tessary drop menu") {}
};

TEST(DropMenuView, ShowingTheSameMenuTwicePaintsOnceAndScreenReadersHearTheHighlightedTile) {
  MenuFixture f;
  ASSERT_NE(f.surface, nullptr);
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
  EXPECT_EQ(f.surface->Accessible().Focused()->name, "Left Half");
  EXPECT_EQ(f.surface->Accessible().Focused()->rect, menu.tiles[1].rect);
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

TEST(DropMenuView, TilesAreDrawnInPanelUnits) {
  MenuFixture f;
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
}

TEST(DropMenuView, HighlightAndArmedChangeFillGlyphAndLabel) {
  MenuFixture f;
  f.view.Show(TwoTiles(), 1.5, DropIntent{kDropLeftHalf, 2}, false);
  {
    const auto fills = f.Paint().OfKind(CanvasOpKind::kFillRounded);
    // Panel, tile 0, its glyph's card, tile 1 (highlighted), its glyph's half.
    ASSERT_EQ(fills.size(), 5u);
    EXPECT_EQ(fills[3]->color, f.colours.accentTint);
    EXPECT_EQ(fills[4]->color, f.colours.accent);  // the glyph in the accent
    const CanvasOp* label = f.Paint().FindText("Left Half");
    EXPECT_TRUE(label->bold);
    EXPECT_EQ(label->color, f.colours.text);
    const auto rings = f.Paint().OfKind(CanvasOpKind::kStrokeRounded);
    bool ringed = false;
    for (const CanvasOp* ring : rings) {
      ringed |= ring->radius == 12 && ring->width == 2 && ring->color == f.colours.accent;
    }
    EXPECT_TRUE(ringed);
  }
  f.view.Show(TwoTiles(), 1.5, DropIntent{kDropLeftHalf, 2}, true);
  const auto fills = f.Paint().OfKind(CanvasOpKind::kFillRounded);
  EXPECT_EQ(fills[3]->color, f.colours.accent);
  EXPECT_EQ(fills[4]->color, kWhite);
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

}  // namespace
}  // namespace tessary
