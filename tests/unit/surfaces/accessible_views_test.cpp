// What each interactive view tells screen readers as the user moves through it: the name of
// the focused region, layout, tile or divider, and where that item is on the desktop.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "surfaces/divider_editor.h"
#include "surfaces/drop_menu_view.h"
#include "surfaces/picker.h"
#include "surfaces_test_support.h"

namespace tessary {
namespace {

using testing::Named;

std::string FocusedName(const SimSurface& surface) {
  const AccessibleItem* item = surface.Accessible().Focused();
  return item ? item->name : "";
}

Point CentreOf(const Rect& r) { return {r.x + r.width / 2, r.y + r.height / 2}; }

bool Inside(const Rect& inner, const Rect& outer) {
  return inner.width > 0 && inner.x >= outer.x && inner.y >= outer.y &&
         inner.Right() <= outer.Right() && inner.Bottom() <= outer.Bottom();
}

TEST(AccessibleViews, PickerNamesTheRegionTheArrowsReachAndTheGalleryNamesLayouts) {
  testing::SimView<Picker> f(kPickerTitle);
  f.view.Show({Named("halves"), Named("thirds")}, 1, {0, 0, 1920, 1080}, 1.5, true);
  EXPECT_EQ(f.surface->Accessible().name, "Choose a region for this window");
  EXPECT_EQ(f.surface->Accessible().items.size(), 5u);
  EXPECT_EQ(f.surface->Accessible().Focused(), nullptr);
  const std::vector<std::string> heard = {
      "Region 1 of 2, Halves", "Region 2 of 2, Halves", "Region 1 of 3, Three columns",
      "Region 2 of 3, Three columns", "Region 3 of 3, Three columns", "Region 1 of 2, Halves"};
  for (const std::string& expected : heard) {
    ASSERT_TRUE(f.surface->PressKey(surface_key::kRight));
    EXPECT_EQ(FocusedName(*f.surface), expected);
    EXPECT_TRUE(Inside(f.surface->Accessible().Focused()->rect, f.surface->Bounds()));
  }
  // The region the pointer rests on is the focused one too.
  f.surface->MovePointer(CentreOf(f.surface->Accessible().items[3].rect));
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

TEST(AccessibleViews, DropMenuFocusesTheHighlightedTile) {
  testing::SimView<DropMenuView> f(kDropMenuTitle);
  DropActionMenu menu;
  menu.rect = {300, 200, 381, 168};
  menu.tiles = {{{kDropAddToStack, 2}, "Add to Stack", {315, 215, 168, 138}},
                {{kDropLeftHalf, 2}, "Left Half", {495, 215, 168, 138}}};
  f.view.Show(menu, 1.5, std::nullopt, false);
  EXPECT_EQ(f.surface->Accessible().role, AccessibleRole::kMenu);
  EXPECT_EQ(f.surface->Accessible().Focused(), nullptr);
  f.view.Show(menu, 1.5, DropIntent{kDropLeftHalf, 2}, false);
  EXPECT_EQ(FocusedName(*f.surface), "Left Half");
  EXPECT_EQ(f.surface->Accessible().Focused()->rect, menu.tiles[1].rect);
}

TEST(AccessibleViews, DividerHandlesAreSlidersAtTheirPosition) {
  testing::SimView<DividerEditor> f(kDividerEditorTitle);
  const Rect area{100, 50, 1500, 800};
  f.view.Show(area, 1.5, Named("stack").tree, 0.5);
  const std::vector<AccessibleItem>& items = f.surface->Accessible().items;
  ASSERT_EQ(items.size(), 4u);
  EXPECT_EQ(items[0].name, "Divider 1 of 2, moves left and right");
  EXPECT_EQ(items[0].value, "60%");
  EXPECT_EQ(items[1].name, "Divider 2 of 2, moves up and down");
  EXPECT_EQ(items[1].value, "50%");
  EXPECT_EQ(items[2].name, "50/50");
  EXPECT_EQ(f.surface->Accessible().Focused(), nullptr);
  ASSERT_TRUE(f.surface->Press(CentreOf(items[1].rect)));
  EXPECT_EQ(FocusedName(*f.surface), "Divider 2 of 2, moves up and down");
}

}  // namespace
}  // namespace tessary
