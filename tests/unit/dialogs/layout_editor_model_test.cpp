// The layout editor's model: edits, the undo history, the selection, labels in reading
// order and the apps of each region; and the window's controls and preview geometry.

#include "dialogs/layout_editor_model.h"

#include <gtest/gtest.h>

#include "dialogs/layout_editor_canvas.h"
#include "dialogs/layout_editor_controls.h"
#include "unit/layout/catalogue_support.h"

namespace tessary {
namespace {

using namespace testing::builders;

NodeRef Halves() { return C(0.5, L(0), L(1)); }
NodeRef Thirds() { return C(1.0 / 3, L(0), C(0.5, L(1), L(2))); }

TEST(LayoutEditorModel, SplitsAndMergesKeepTheSelectedNumber) {
  const std::optional<Axis> merge;
  const struct {
    const char* what;
    NodeRef tree;
    int selected;
    std::optional<Axis> split;  // none: a merge
    NodeRef expected;  // null: the edit is unavailable and nothing changes
    int selectedAfter;
  } cases[] = {
      // (A plain split of either kind: the editor stories.)
      {"the new half takes the lowest free number", C(0.5, L(0), L(2)), 2, Axis::Rows,
       C(0.5, L(0), R(0.5, L(2), L(1))), 2},
      {"merging the second half", Halves(), 1, merge, L(1), 1},
      {"merging a region into its stacked sibling", C(0.5, L(0), R(0.5, L(1), L(2))), 2, merge,
       C(0.5, L(0), L(2)), 2},
      {"no merge beside a split", Thirds(), 0, merge, nullptr, 0},
      {"no merge of a single region", L(0), 0, merge, nullptr, 0},
      {"0.15 wide: not side by side", C(0.15, L(0), L(1)), 0, Axis::Columns, nullptr, 0},
      {"0.15 wide: top and bottom", C(0.15, L(0), L(1)), 0, Axis::Rows,
       C(0.15, R(0.5, L(0), L(2)), L(1)), 0},
      {"sixteen regions: no more side by side", SixteenRegions(), 0, Axis::Columns, nullptr, 0},
      {"sixteen regions: no more top and bottom", SixteenRegions(), 0, Axis::Rows, nullptr, 0},
  };
  for (const auto& c : cases) {
    LayoutEditorModel model(c.tree);
    ASSERT_TRUE(model.Select(c.selected)) << c.what;
    const bool available = c.split ? model.CanSplit(*c.split) : model.CanMerge();
    const bool done = c.split ? model.Split(*c.split) : model.Merge();
    EXPECT_EQ(available, c.expected != nullptr) << c.what;
    EXPECT_EQ(done, c.expected != nullptr) << c.what;
    EXPECT_TRUE(TreesEqual(model.Tree(), c.expected ? c.expected : c.tree)) << c.what;
    EXPECT_EQ(model.Selected(), c.selectedAfter) << c.what;
    EXPECT_EQ(model.CanUndo(), done) << c.what;
  }
}

TEST(LayoutEditorModel, CommitsOnlyValidChangesAndRepairsTheSelection) {
  LayoutEditorModel model(Thirds());
  EXPECT_EQ(model.Selected(), 0);  // the lowest region
  EXPECT_FALSE(model.Select(7));
  ASSERT_TRUE(model.Select(2));
  EXPECT_FALSE(model.Commit(Thirds()));                          // equal
  EXPECT_FALSE(model.Commit(C(0.95, L(0), L(2))));               // ratio out of range
  EXPECT_FALSE(model.Commit(C(0.5, L(2), L(2))));                // a number twice
  EXPECT_FALSE(model.CanUndo());
  ASSERT_TRUE(model.Commit(C(0.5, L(3), L(1))));  // 2 is gone: the lowest, 1
  EXPECT_EQ(model.Selected(), 1);
  ASSERT_TRUE(model.Undo());
  EXPECT_TRUE(TreesEqual(model.Tree(), Thirds()));
  EXPECT_EQ(model.Selected(), 1);  // still there
  ASSERT_TRUE(model.Redo());
  EXPECT_FALSE(model.Redo());
  ASSERT_TRUE(model.Undo());
  ASSERT_TRUE(model.Commit(Halves()));  // a new edit forgets what was undone
  EXPECT_FALSE(model.CanRedo());
}

TEST(LayoutEditorModel, TheHundredAndFirstStepDropsTheOldest) {
  LayoutEditorModel history(Halves());
  std::vector<NodeRef> trees;
  for (int i = 1; i <= 101; ++i) {
    trees.push_back(C(0.1 + i * 0.005, L(0), L(1)));
    ASSERT_TRUE(history.Commit(trees.back()));
  }
  int undone = 0;
  while (history.Undo()) ++undone;
  EXPECT_EQ(undone, 100);
  // The first step (from the halves) can no longer be undone.
  EXPECT_TRUE(TreesEqual(history.Tree(), trees.front()));
  int redone = 0;
  while (history.Redo()) ++redone;
  EXPECT_EQ(redone, 100);
  EXPECT_TRUE(TreesEqual(history.Tree(), trees.back()));
}

// A whole drag undone in one step and a double click evening a divider are checked by the
// editor stories; here, the limits.
TEST(LayoutEditorModel, ADividerDragStopsAtTheSmallestRegionAndOneGoingNowhereIsNoStep) {
  LayoutEditorModel model(Halves());
  ASSERT_TRUE(model.BeginDrag(0));
  model.DragTo(0.99);  // no region below 0.08
  EXPECT_DOUBLE_EQ(model.Tree()->ratio, 0.92);
  EXPECT_FALSE(model.CanUndo());  // not committed while dragging
  model.DragTo(0.5);
  model.EndDrag();
  EXPECT_EQ(model.DraggedDivider(), -1);
  EXPECT_FALSE(model.CanUndo());
  EXPECT_FALSE(model.BeginDrag(1));  // there is one divider only
  EXPECT_FALSE(model.EvenSplit(0));  // already even
}

TEST(RegionLabels, FollowReadingOrderWithNearlyEqualEdgesCountingAsOne) {
  const struct {
    const char* what;
    NodeRef tree;
    std::vector<std::int32_t> order;
  } cases[] = {
      {"four quarters", C(0.5, R(0.5, L(0), L(1)), R(0.5, L(2), L(3))), {0, 1, 2, 3}},
      {"numbers out of place", C(0.5, L(3), R(0.5, L(0), L(1))), {3, 0, 1}},
      {"left edges 1e-7 apart: top first",
       R(0.5, C(0.3 + 1e-7, L(0), L(1)), C(0.3, L(2), L(3))), {0, 2, 1, 3}},
      {"left edges 1e-5 apart: left first",
       R(0.5, C(0.30001, L(0), L(1)), C(0.3, L(2), L(3))), {0, 2, 3, 1}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(RegionsInDisplayOrder(c.tree), c.order) << c.what;
    for (std::size_t i = 0; i < c.order.size(); ++i) {
      EXPECT_EQ(RegionLabel(c.tree, c.order[i]), static_cast<int>(i) + 1) << c.what;
    }
  }
  EXPECT_EQ(RegionLabel(Halves(), 5), 0);
}

TEST(LayoutEditorModel, AppsStayWithTheirRegionThroughSplitsMergesAndUndo) {
  LayoutEditorModel model(Halves(), {{1, {"C:\\notes.exe"}}});
  model.ToggleSelectedApp("C:\\paint.exe");  // region 0
  model.ToggleSelectedApp("C:\\mail.exe");
  model.ToggleSelectedApp("C:\\paint.exe");  // toggled twice: gone
  EXPECT_EQ(model.AppsOf(0), std::vector<std::string>{"C:\\mail.exe"});
  ASSERT_TRUE(model.Split(Axis::Rows));  // 0 keeps its apps, the new 2 has none
  EXPECT_EQ(model.AppsOf(0), std::vector<std::string>{"C:\\mail.exe"});
  EXPECT_TRUE(model.AppsOf(2).empty());
  ASSERT_TRUE(model.Select(1));
  model.AppendSelectedApp("C:\\notes.exe");
  EXPECT_EQ(model.AppsOf(1), (std::vector<std::string>{"C:\\notes.exe", "C:\\notes.exe"}));

  ASSERT_TRUE(model.Select(2));
  ASSERT_TRUE(model.Merge());  // 2 takes over 0's space: 0's apps are not saved
  EXPECT_EQ(model.AppsInUse(),
            (RegionApps{{1, {"C:\\notes.exe", "C:\\notes.exe"}}}));
  ASSERT_TRUE(model.Undo());  // and come back with it
  EXPECT_EQ(model.AppsInUse(), (RegionApps{{0, {"C:\\mail.exe"}},
                                           {1, {"C:\\notes.exe", "C:\\notes.exe"}}}));
  ASSERT_TRUE(model.Select(1));
  model.ClearSelectedApps();
  EXPECT_EQ(model.AppsInUse(), (RegionApps{{0, {"C:\\mail.exe"}}}));
}

TEST(LayoutEditorWindow, ControlsInTabOrderWithTheirTexts) {
  const auto ids = [](const ControlTable& table) {
    std::vector<int> order;
    for (const ControlSpec& spec : table) order.push_back(spec.id);
    return order;
  };
  namespace id = editor_id;
  const ControlTable creating = LayoutEditorControls(false);
  EXPECT_EQ(ids(creating), (std::vector<int>{0, 100, 0, 101, id::kCanvas, 103, 104, 105, 106, 107,
                                             id::kAppLabel, 102, id::kAppText, 109, 110, 111}));
  EXPECT_EQ(creating[2].text, "Start from");
  EXPECT_EQ(creating[3].units, (Rect{484, 16, 360, 300}));
  EXPECT_EQ(creating[1].maxLength, 60);
  EXPECT_EQ(creating[14].text, "Save Layout");
  EXPECT_EQ(creating[15].text, "Save && Apply");
  EXPECT_EQ(creating[15].kind, ControlKind::kDefaultButton);
  EXPECT_EQ(creating[15].units, (Rect{726, 630, 118, 32}));
  const ControlTable editing = LayoutEditorControls(true);
  EXPECT_EQ(ids(editing), (std::vector<int>{0, 100, id::kCanvas, 103, 104, 105, 106, 107,
                                            id::kAppLabel, 102, id::kAppText, 108, 109, 110, 111}));
  EXPECT_EQ(editing[11].text, "Delete Layout\u2026");
}

TEST(LayoutEditorCanvas, ThePreviewKeepsTheDisplaysShapeAndFindsDividersAndRegions) {
  // 1920 x 1040 in the 828 x 380 canvas: 356 high, centred across.
  const EditorCanvasGeometry g = LayOutEditorCanvas(Halves(), 828, 380, 1920.0 / 1040);
  EXPECT_DOUBLE_EQ(g.preview.height, 356);
  EXPECT_NEAR(g.preview.width, 657.23, 0.01);
  EXPECT_NEAR(g.preview.x, 12 + (804 - 657.23) / 2, 0.01);
  EXPECT_DOUBLE_EQ(g.preview.y, 12);
  // A very wide display fills the width instead.
  EXPECT_EQ(EditorPreviewRect(828, 380, 6.7), (Rect{12, 12 + (356 - 120) / 2.0, 804, 120}));

  const double middle = g.preview.x + g.preview.width / 2;
  const struct {
    Point at;
    int divider;
    int region;
  } points[] = {
      {{middle - 4.9, 100}, 0, 0},
      {{middle + 4.9, 100}, 0, 1},
      {{middle - 6, 100}, -1, 0},
      {{middle + 6, 300}, -1, 1},
      {{5, 100}, -1, -1},  // outside the preview
  };
  for (const auto& p : points) {
    EXPECT_EQ(EditorDividerAt(g, p.at), p.divider) << p.at.x;
    EXPECT_EQ(EditorRegionAt(g, p.at), p.region) << p.at.x;
  }
  EXPECT_DOUBLE_EQ(EditorPreviewFraction(g, Axis::Columns, {middle, 0}), 0.5);
  EXPECT_DOUBLE_EQ(EditorPreviewFraction(g, Axis::Rows, {0, 12 + 356 * 0.25}), 0.25);
}

}  // namespace
}  // namespace tessary
