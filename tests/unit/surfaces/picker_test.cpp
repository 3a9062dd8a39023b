// The picker: its layout for a display, what lies under a point and what its keys do; and as
// the user meets it, on a simulated surface, drawn on a recording canvas.

#include "surfaces/picker.h"

#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

#include "platform/surface.h"
#include "surfaces/picker_geometry.h"
#include "surfaces/picker_input.h"
#include "surfaces_test_support.h"
#include "unit/layout/catalogue_support.h"

namespace tessary {
namespace {

using namespace testing::builders;
using testing::Layouts;

constexpr Rect kWork{0, 0, 1920, 1080};

struct PickerFixture : testing::SimView<Picker> {
  PickerFixture() : SimView("Choose a Layout") {
    picker.SetOnChoose([this](int layout, int region) { chosen.push_back({layout, region}); });
    picker.SetOnDismiss([this] {
      ++dismissed;
      picker.Hide();
    });
  }

  // A desktop point for a point in panel units.
  Point At(double x, double y) const {
    const Rect panel = picker.PanelRect();
    return {panel.x + x * surface->Scale(), panel.y + y * surface->Scale()};
  }

  Picker& picker = view;
  std::vector<PickerHit> chosen;
  int dismissed = 0;
};

std::string FocusedName(const SimSurface& surface) {
  const AccessibleItem* item = surface.Accessible().Focused();
  return item ? item->name : "";
}

TEST(Picker, EveryShowStartsFreshAndDuringADragItIsClickThroughAndNeverTakesFocus) {
  PickerFixture f;
  f.picker.Show(Layouts(3), 0, kWork, 1.0, true);
  f.picker.SetGallery(true);
  f.picker.HitTest(f.At(50, 95));
  f.picker.Show(Layouts(7), 2, kWork, 1.0, false);
  EXPECT_FALSE(f.picker.Gallery());
  EXPECT_EQ(f.picker.Hovered(), (PickerHit{}));
  EXPECT_EQ(f.picker.Current(), 2);
  EXPECT_EQ(f.surface->Bounds(), (Rect{550, 12, 820, 294}));
  EXPECT_EQ(f.surface->Anchor(), SurfaceAnchor::Topmost());
  // Clicks and keys go to the windows below: it is neither clickable nor focused.
  EXPECT_FALSE(f.surface->Click(f.At(50, 90)));
  EXPECT_FALSE(f.surface->PressKey(surface_key::kEscape));
  EXPECT_EQ(f.dismissed, 0);
  // Each paint reads the theme afresh.
  f.theme.SetDark(true);
  f.picker.Paint();
  const Theme dark = MakeTheme(true, AccentFromColorValue(kDefaultAccentColor, true));
  EXPECT_EQ(f.Paint().OfKind(CanvasOpKind::kFillRounded)[0]->color, dark.background);
  EXPECT_TRUE(f.Paint().OfKind(CanvasOpKind::kShadow)[0]->strong);
}

TEST(Picker, PaintsTheHoveredRegionTheCurrentLayoutAndTheHeader) {
  PickerFixture f;
  f.picker.Show(Layouts(7), 2, kWork, 1.0, false);
  f.picker.HitTest(f.At(100, 95));  // halves, region 1
  const Theme& theme = f.colours;
  const RecordingCanvas& paint = f.Paint();

  const auto shadows = paint.OfKind(CanvasOpKind::kShadow);
  ASSERT_EQ(shadows.size(), 1u);
  EXPECT_EQ(shadows[0]->rect, (Rect{6, 6, 808, 282}));
  EXPECT_FALSE(shadows[0]->strong);

  const auto fills = paint.OfKind(CanvasOpKind::kFillRounded);
  // The body, then per card its fill and one fill per region.
  EXPECT_EQ(fills[0]->rect, (Rect{6, 6, 808, 282}));
  EXPECT_EQ(fills[0]->color, theme.background);
  EXPECT_EQ(fills[1]->rect, (Rect{16, 50, 148, 108}));
  EXPECT_EQ(fills[1]->color, theme.accentTint);
  EXPECT_EQ(fills[2]->color, theme.regionFill);  // region 0 at rest
  EXPECT_EQ(fills[3]->color, theme.accent);      // region 1 lit
  EXPECT_EQ(fills[3]->radius, 5);
  EXPECT_EQ(fills[4]->color, theme.cardFill);  // the next card at rest
  const auto strokes = paint.OfKind(CanvasOpKind::kStrokeRounded);
  ASSERT_EQ(strokes.size(), 2u);  // the body's border and the lit region
  EXPECT_EQ(strokes[1]->color, WithAlpha(kWhite, 0.35));

  const CanvasOp* hovered = paint.FindText("Halves");
  ASSERT_NE(hovered, nullptr);
  EXPECT_TRUE(hovered->bold);
  EXPECT_EQ(hovered->color, theme.text);
  EXPECT_EQ(hovered->align, TextAlign::kCenter);
  const CanvasOp* current = paint.FindText("Wide + narrow");
  ASSERT_NE(current, nullptr);
  EXPECT_TRUE(current->bold);
  EXPECT_EQ(current->color, theme.accent);
  EXPECT_FALSE(paint.FindText("Two rows")->bold);

  const CanvasOp* title = paint.FindText("Drag into a region");
  EXPECT_EQ(title->rect, (Rect{22, 16, 776, 26}));
  EXPECT_EQ(title->fontSize, 13);
  EXPECT_EQ(paint.FindText("Release elsewhere to leave it")->align, TextAlign::kTrailing);
}

TEST(Picker, IconsAreCentredInTheirRegionsUnlessTooSmall) {
  PickerFixture f;
  const std::vector<SnapLayout> layouts = {Layouts(1)[0],
                                           MakeLayout("thin", "Thin", C(0.08, L(0), L(1)))};
  PickerIcons icons{{0, {{1, IconId{11}}}}, {1, {{0, IconId{12}}, {1, IconId{13}}}}};
  f.picker.Show(layouts, -1, kWork, 1.0, false, icons);
  const auto drawn = f.Paint().OfKind(CanvasOpKind::kIcon);
  // Region 0 of "Thin" is 0.08 x 154 - 4 = 8.3 wide: no room for a 10-unit icon.
  ASSERT_EQ(drawn.size(), 2u);
  EXPECT_EQ(drawn[0]->icon, IconId{11});
  // Centred in region 1 of "Halves", (103, 60, 73, 83).
  EXPECT_EQ(drawn[0]->rect, (Rect{128.5, 90.5, 22, 22}));
  EXPECT_EQ(drawn[1]->icon, IconId{13});

  // The gallery chooses layouts, not regions: every region of the card lit.
  f.picker.SetGallery(true);
  f.picker.HitTest(f.At(18, 60));
  EXPECT_EQ(f.Paint().Count(CanvasOpKind::kStrokeRounded), 1u + 2u);
}

// Taking the focus, its title and a click choosing a region are checked by the place-picker
// stories.
TEST(Picker, InteractivePickerAnswersThePointerAndKeysAndEscapeOrClickingElsewhereDismissOnce) {
  PickerFixture f;
  f.picker.Show(Layouts(7), 0, kWork, 1.0, true);
  EXPECT_NE(f.Paint().FindText("Esc to cancel"), nullptr);

  EXPECT_TRUE(f.surface->MovePointer(f.At(100, 95)));
  EXPECT_EQ(f.picker.Hovered(), (PickerHit{0, 1}));
  EXPECT_TRUE(f.surface->PressKey(surface_key::kRight));
  EXPECT_EQ(f.picker.Hovered(), (PickerHit{1, 0}));
  const int painted = f.surface->PaintCount();
  f.surface->PressKey(surface_key::kDigit1 + 1);  // already hovered: no repaint
  EXPECT_EQ(f.surface->PaintCount(), painted);
  f.surface->PressKey(surface_key::kEnter);
  f.surface->Click(f.At(300, 20));  // the header chooses nothing
  EXPECT_EQ(f.chosen, (std::vector<PickerHit>{{1, 0}}));

  // Escape or clicking elsewhere dismisses it, once.
  f.surface->PressKey(surface_key::kEscape);
  EXPECT_EQ(f.dismissed, 1);  // the handler hid it, which deactivated it: no second call
  EXPECT_FALSE(f.picker.Visible());
  // Hidden, it answers nothing.
  EXPECT_EQ(f.picker.HitTest(f.At(50, 95)), (PickerHit{}));
  EXPECT_TRUE(f.picker.Layouts().empty());

  f.picker.Show(Layouts(3), 0, kWork, 1.0, true);
  f.surface->Deactivate();
  EXPECT_EQ(f.dismissed, 2);
  // A click-through picker ignores deactivation.
  f.picker.Show(Layouts(3), 0, kWork, 1.0, false);
  f.picker.OnDeactivate();
  EXPECT_EQ(f.dismissed, 2);
}

// What screen readers hear.
TEST(Picker, ScreenReadersHearTheRegionUnderThePointerAndInTheGalleryTheLayout) {
  PickerFixture f;
  f.view.Show({testing::Named("halves"), testing::Named("thirds")}, 1, kWork, 1.5, true);
  EXPECT_EQ(f.surface->Accessible().name, "Choose a region for this window");
  EXPECT_EQ(f.surface->Accessible().items.size(), 5u);
  EXPECT_EQ(f.surface->Accessible().Focused(), nullptr);
  f.surface->MovePointer(testing::Centre(f.surface->Accessible().items[3].rect));
  EXPECT_EQ(FocusedName(*f.surface), "Region 2 of 3, Three columns");
  EXPECT_TRUE(f.surface->Accessible().items[3].current);

  f.view.SetGallery(true);
  f.view.Paint();
  EXPECT_EQ(f.surface->Accessible().name, "Choose a layout for this display");
  ASSERT_EQ(f.surface->Accessible().items.size(), 2u);
  EXPECT_EQ(FocusedName(*f.surface), "Three columns");
  EXPECT_TRUE(f.surface->Accessible().items[1].current);
  ASSERT_TRUE(f.surface->PressKey(surface_key::kDigit1));
  EXPECT_EQ(FocusedName(*f.surface), "Halves");
}

TEST(PickerGeometry, SevenLayoutsOnA1920PixelDisplayAndThePanelsPlace) {
  const PickerGeometry g = PickerGeometryForDisplay(Layouts(7), kWork, 1.0);
  // W = 820: five columns of 148, the panel exactly 820 wide and 294 high (its place at
  // scale 1: the view's bounds in Picker.EveryShowStarts...).
  ASSERT_EQ(g.cards.size(), 7u);
  for (const PickerCard& card : g.cards) EXPECT_EQ(card.card.width, 148);
  // Thumbnails 132 wide at 16:9 are round(74.25) = 74 high; cards 108.
  EXPECT_EQ(g.cards[0].thumbnail, (Rect{24, 58, 132, 74}));
  EXPECT_EQ(g.cards[0].card, (Rect{16, 50, 148, 108}));
  EXPECT_EQ(g.cards[0].label, (Rect{20, 134, 140, 22}));
  EXPECT_EQ(g.cards[4].card.x, 16 + 4 * 160);
  EXPECT_EQ(g.header, (Rect{16, 16, 788, 26}));
  // The second row holds two cards, centred: (820 - (2 x 148 + 12)) / 2 = 256; a lone
  // card of a last row is centred too.
  EXPECT_EQ(g.cards[5].card, (Rect{256, 170, 148, 108}));
  EXPECT_EQ(g.cards[6].card.x, 416);
  EXPECT_EQ(PickerGeometryForDisplay(Layouts(6), kWork, 1.0).cards[5].card.x, (820 - 148) / 2.0);
  // Regions are mapped into the thumbnail and inset by 2.
  ASSERT_EQ(g.cards[0].regions.size(), 2u);
  EXPECT_EQ(*g.cards[0].regions.Get(0), (Rect{26, 60, 62, 70}));
  EXPECT_EQ(*g.cards[0].regions.Get(1), (Rect{92, 60, 62, 70}));

  // The panel is centred 12 units below the top; at 150 % the same units, pixels scaled
  // and rounded up.
  const Rect work{1920, 0, 2880, 1560};
  const PickerGeometry big = PickerGeometryForDisplay(Layouts(7), work, 1.5);
  EXPECT_EQ(PickerPanelRect(big, work, 1.5), (Rect{2745, 18, 1230, std::ceil(1.5 * big.height)}));
}

TEST(PickerGeometry, NarrowDisplaysEmptyCataloguesAbsurdWorkAreasAndOddAspects) {
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
  const PickerGeometry none = PickerGeometryForDisplay({}, kWork, 1.0);
  EXPECT_TRUE(none.cards.empty());
  EXPECT_EQ(none.height, 66);
  EXPECT_EQ(none.width, 202);
  // An absurdly narrow work area keeps positive sizes.
  const PickerGeometry absurd = PickerGeometryForDisplay(Layouts(2), {0, 0, 50, 800}, 1.0);
  ASSERT_EQ(absurd.cards.size(), 2u);
  EXPECT_GT(absurd.cards[0].thumbnail.width, 0);
  EXPECT_GT(absurd.cards[0].thumbnail.height, 0);
  EXPECT_GT(absurd.width, 0);

  // The thumbnails' aspect is limited, and degenerate aspects use 16:9. One card of 170:
  // thumbnails 154 wide.
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

// Halves, thirds, focus, stack, quarters, rows, thirds-left-stack; card 0 at
// (16, 50, 148, 108), its regions (26, 60, 62, 70) and (92, 60, 62, 70).
PickerGeometry Seven() { return PickerGeometryForDisplay(Layouts(7), kWork, 1.0); }

TEST(PickerHitTest, CardsReachFourUnitsBeyondTheirEdgesAndSelectTheNearestRegionTheLowerOnATie) {
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
  // A layout without regions: its card, at (16, 50), hits nothing.
  std::vector<SnapLayout> layouts = Layouts(1);
  layouts[0].tree = nullptr;
  const PickerGeometry empty = PickerGeometryForDisplay(layouts, kWork, 1.0);
  EXPECT_EQ(PickerHitAt(empty, {26, 60}, false), (PickerHit{}));
  EXPECT_EQ(PickerHitAt(empty, {26, 60}, true), (PickerHit{}));
  EXPECT_EQ(PickerKey(empty, {}, surface_key::kDigit1).action, PickerKeyAction::kNone);

  // Exactly between two regions the lower number wins. Distances run to each region's near
  // edges here (one to the right of the point, one below it): both are 10 units away.
  auto geometry = [](Rect right, Rect below, int rightNumber, int belowNumber) {
    PickerGeometry made;
    PickerCard card;
    card.card = {0, 0, 60, 60};
    card.regions.insert_or_assign(rightNumber, right);
    card.regions.insert_or_assign(belowNumber, below);
    made.cards.push_back(card);
    return made;
  };
  const Rect right{30, 0, 10, 10};
  const Rect below{15, 15, 10, 10};
  EXPECT_EQ(PickerHitAt(geometry(right, below, 0, 1), {20, 5}, false), (PickerHit{0, 0}));
  EXPECT_EQ(PickerHitAt(geometry(right, below, 1, 0), {20, 5}, false), (PickerHit{0, 0}));
  // A hair nearer to region 1: region 1.
  EXPECT_EQ(PickerHitAt(geometry(right, below, 0, 1), {20, 5.5}, false), (PickerHit{0, 1}));
}

PickerHit Hover(const PickerGeometry& g, PickerHit from, std::uint32_t key) {
  const PickerKeyResult result = PickerKey(g, from, key);
  EXPECT_EQ(result.action, PickerKeyAction::kHover);
  return result.hit;
}

TEST(PickerKeys, ArrowsWalkRegionsInReadingOrderNearlyEqualTopsAsOneRowAndWrapAround) {
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

  // Regions whose tops nearly agree share a row. Left column split at 0.52, right at 0.5:
  // the lower tops differ by 1.74 units, so region 1 (left) reads before region 3 (right)
  // although it starts lower.
  const SnapLayout near = MakeLayout("near", "", C(0.5, R(0.52, L(0), L(1)), R(0.5, L(2), L(3))));
  const SnapLayout far = MakeLayout("far", "", C(0.5, R(0.6, L(0), L(1)), R(0.5, L(2), L(3))));
  const PickerGeometry rows = PickerGeometryForDisplay({near, far}, kWork, 1.0);
  EXPECT_EQ(Hover(rows, {0, 2}, surface_key::kRight), (PickerHit{0, 1}));
  EXPECT_EQ(Hover(rows, {0, 1}, surface_key::kRight), (PickerHit{0, 3}));
  EXPECT_EQ(Hover(rows, {1, 2}, surface_key::kRight), (PickerHit{1, 3}));
  EXPECT_EQ(Hover(rows, {1, 3}, surface_key::kRight), (PickerHit{1, 1}));
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
      {{3, 2}, 'A', PickerKeyAction::kNone},
  };
  for (const auto& [from, key, action] : cases)
    EXPECT_EQ(PickerKey(g, from, key).action, action) << key;
  EXPECT_EQ(PickerKey(g, {3, 2}, surface_key::kEnter).hit, (PickerHit{3, 2}));
}

}  // namespace
}  // namespace tessary
