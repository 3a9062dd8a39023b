// The picker as the user meets it: on a simulated surface, drawn on a recording canvas.

#include "surfaces/picker.h"

#include <gtest/gtest.h>

#include "surfaces_test_support.h"

namespace tessary {
namespace {

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
  ASSERT_NE(f.surface, nullptr);
  f.picker.Show(Layouts(3), 0, kWork, 1.0, true);
  f.picker.SetGallery(true);
  f.picker.HitTest(f.At(50, 95));
  f.picker.Show(Layouts(7), 2, kWork, 1.0, false);
  EXPECT_FALSE(f.picker.Gallery());
  EXPECT_EQ(f.picker.Hovered(), (PickerHit{}));
  EXPECT_EQ(f.picker.Current(), 2);
  EXPECT_EQ(f.surface->Bounds(), (Rect{550, 12, 820, 294}));
  EXPECT_EQ(f.surface->Anchor(), SurfaceAnchor::Topmost());
  EXPECT_FALSE(f.surface->Interactive());
  EXPECT_FALSE(f.surface->Focused());
  // Clicks and keys go to the windows below.
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
  EXPECT_EQ(fills[1]->rect, f.picker.Geometry().cards[0].card);
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
  const CanvasOp* other = paint.FindText("Two rows");
  ASSERT_NE(other, nullptr);
  EXPECT_FALSE(other->bold);

  const CanvasOp* title = paint.FindText("Drag into a region");
  EXPECT_EQ(title->rect, (Rect{22, 16, 776, 26}));
  EXPECT_EQ(title->fontSize, 13);
  EXPECT_EQ(paint.FindText("Release elsewhere to leave it")->align, TextAlign::kTrailing);
}

TEST(Picker, IconsAreCentredInTheirRegionsUnlessTooSmall) {
  PickerFixture f;
  SnapLayout thin;
  thin.name = "Thin";
  thin.tree = MakeSplit(Axis::Columns, 0.08, MakeLeaf(0), MakeLeaf(1));
  std::vector<SnapLayout> layouts = Layouts(1);
  layouts.push_back(thin);
  PickerIcons icons{{0, {{1, IconId{11}}}}, {1, {{0, IconId{12}}, {1, IconId{13}}}}};
  f.picker.Show(layouts, -1, kWork, 1.0, false, icons);
  const auto drawn = f.Paint().OfKind(CanvasOpKind::kIcon);
  // Region 0 of "Thin" is 0.08 x 154 - 4 = 8.3 wide: no room for a 10-unit icon.
  ASSERT_EQ(drawn.size(), 2u);
  const Rect region = *f.picker.Geometry().cards[0].regions.Get(1);
  EXPECT_EQ(drawn[0]->icon, IconId{11});
  EXPECT_EQ(drawn[0]->rect, (Rect{region.x + (region.width - 22) / 2,
                                  region.y + (region.height - 22) / 2, 22, 22}));
  EXPECT_EQ(drawn[1]->icon, IconId{13});

  // The gallery chooses layouts, not regions: every region of the card lit.
  f.picker.SetGallery(true);
  f.picker.HitTest(f.At(f.picker.Geometry().cards[0].card.x + 2, 60));
  EXPECT_EQ(f.Paint().Count(CanvasOpKind::kStrokeRounded), 1u + 2u);
}

// Taking the focus, its title and a click choosing a region are checked by the place-picker
// stories.
TEST(Picker, InteractivePickerAnswersThePointerAndKeys) {
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
}

TEST(Picker, EscapeOrClickingElsewhereDismissesOnce) {
  PickerFixture f;
  f.picker.Show(Layouts(3), 0, kWork, 1.0, true);
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

// What screen readers hear; the region the arrows reach is named on the real backend too (the
// Windows surface tests).
TEST(Picker, ScreenReadersHearTheRegionUnderThePointerAndInTheGalleryTheLayout) {
  PickerFixture f;
  f.view.Show({testing::Named("halves"), testing::Named("thirds")}, 1, kWork, 1.5, true);
  EXPECT_EQ(f.surface->Accessible().name, "Choose a region for this window");
  EXPECT_EQ(f.surface->Accessible().items.size(), 5u);
  EXPECT_EQ(f.surface->Accessible().Focused(), nullptr);
  const Rect region = f.surface->Accessible().items[3].rect;
  f.surface->MovePointer({region.x + region.width / 2, region.y + region.height / 2});
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

}  // namespace
}  // namespace tessary
