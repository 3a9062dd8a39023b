// Stories of the layout editor: the user designs an own layout from a built-in one, gives
// a region an app, saves and applies it; changes, renames and deletes one; and meets the
// editor's refusals. The editor is driven through its simulated window (its titles, as the
// tray menu opens it, are the shell's tray story).

#include "dialogs/layout_editor_canvas.h"
#include "dialogs/layout_editor_controls.h"
#include "engine_fixture.h"

namespace tessary {
namespace {

namespace id = editor_id;

NodeRef Cols(double ratio, NodeRef a, NodeRef b) { return MakeSplit(Axis::Columns, ratio, a, b); }
NodeRef Rows(double ratio, NodeRef a, NodeRef b) { return MakeSplit(Axis::Rows, ratio, a, b); }

class LayoutEditorStory : public EngineTest {
 protected:
  void SetUp() override {
    AddPrimary();
    desk.AddFile(kNotes, "Notes");
    desk.AddFile(kPaint, "Paint");
    notes = AddApp("notes", {.frame = {300, 200, 700, 500}});
    Start();
  }
  SimDialogWindow* Editor() { return Factory().Dialogs().Find("TessaryEditor"); }
  // An own layout of the display, active on it.
  SnapLayout OwnLayout(NodeRef tree) {
    SnapLayout own{"user-work", "Work", std::move(tree), {}};
    EXPECT_TRUE(engine->Layouts().SaveCustomLayout(DisplayKey(), own));
    engine->Layouts().SetActiveLayout(DisplayKey(), own);
    return own;
  }
  std::vector<SnapLayout> Stored() {
    CustomLayoutLists lists = ReadCustomLayouts(layoutDocuments.Get(kCustomLayoutsKey));
    return lists[DisplayKey()];
  }
  // Where the preview shows a point of the layout's unit space.
  Point InPreview(Point unit) {
    const Rect p = LayOutEditorCanvas(MakeLeaf(0), 828, 380, 1920.0 / 1040).preview;
    return {p.x + unit.x * p.width, p.y + unit.y * p.height};
  }
  void Click(Point unit, std::uint64_t timeMs = 1000) {
    Editor()->PointAt(id::kCanvas, CanvasPointerKind::kDown, InPreview(unit), timeMs);
    Editor()->PointAt(id::kCanvas, CanvasPointerKind::kUp, InPreview(unit), timeMs);
  }
  WindowId notes = kNoWindow;
};

TEST_F(LayoutEditorStory, CreateFromThreeColumnsSplitGiveARegionAnAppSaveAndApply) {
  ASSERT_TRUE(engine->OpenLayoutEditor(nullptr));
  SimDialogWindow* editor = Editor();
  ASSERT_NE(editor, nullptr);
  EXPECT_EQ(editor->FocusedId(), id::kName);
  EXPECT_EQ(editor->Items(id::kStartFrom)[0], "Blank");
  EXPECT_EQ(editor->Items(id::kStartFrom)[2], "Three columns");
  EXPECT_EQ(editor->Items(id::kApps),
            (std::vector<std::string>{"No App", "Notes", "Other App\u2026"}));
  EXPECT_FALSE(editor->Enabled(id::kMerge));
  EXPECT_FALSE(editor->Enabled(id::kUndo));

  ASSERT_TRUE(editor->Choose(id::kStartFrom, 2));
  Click({0.9, 0.5});  // the right column
  EXPECT_EQ(editor->Text(id::kAppLabel), "App in Region 3");
  ASSERT_TRUE(editor->Press(id::kSplitTopAndBottom));
  ASSERT_TRUE(editor->Choose(id::kApps, 1));
  EXPECT_EQ(editor->Text(id::kAppText), "Notes");
  EXPECT_EQ(editor->Text(id::kCanvas), "Layout preview: 4 regions, Region 3 selected, Notes");
  EXPECT_EQ(editor->Selection(id::kApps), -1);
  const std::vector<std::string> painted = editor->PaintedCanvas(id::kCanvas).Texts();
  EXPECT_EQ(painted, (std::vector<std::string>{"1", "2", "3", "Notes", "4"}));
  EXPECT_TRUE(editor->Enabled(id::kUndo));

  ASSERT_TRUE(editor->Type(id::kName, "Work"));
  ASSERT_TRUE(editor->Press(id::kSaveAndApply));
  EXPECT_EQ(Editor(), nullptr);
  const std::vector<SnapLayout> stored = Stored();
  ASSERT_EQ(stored.size(), 1u);
  EXPECT_TRUE(stored[0].id.starts_with("user-"));
  EXPECT_EQ(stored[0].id.size(), 41u);
  EXPECT_EQ(stored[0].name, "Work");
  const NodeRef expected =
      Cols(1.0 / 3, MakeLeaf(0), Cols(0.5, MakeLeaf(1), Rows(0.5, MakeLeaf(2), MakeLeaf(3))));
  EXPECT_TRUE(TreesEqual(stored[0].tree, expected));
  EXPECT_EQ(stored[0].apps, (RegionApps{{2, {kNotes}}}));
  // Applied: the display shows it and Notes went to its region.
  EXPECT_EQ(ActiveLayoutId(DisplayKey()), stored[0].id);
  ExpectNear(desk.Frame(notes), *Regions(stored[0], kPrimaryWork).Get(2));
}

TEST_F(LayoutEditorStory, EditRenameAndSaveWithoutApplying) {
  const SnapLayout own = OwnLayout(Cols(0.3, MakeLeaf(0), MakeLeaf(1)));
  ASSERT_TRUE(engine->OpenLayoutEditor(&own));
  SimDialogWindow* editor = Editor();
  ASSERT_NE(editor, nullptr);
  EXPECT_FALSE(editor->Shown(id::kStartFrom));
  EXPECT_EQ(editor->Text(id::kSave), "Save Changes");

  // A double click on the divider evens it; a drag moves it as one step.
  Click({0.3, 0.5}, 1000);
  Click({0.3, 0.5}, 1300);
  EXPECT_EQ(editor->Text(id::kAppLabel), "App in Region 1");
  editor->PointAt(id::kCanvas, CanvasPointerKind::kDown, InPreview({0.5, 0.5}), 5000);
  editor->PointAt(id::kCanvas, CanvasPointerKind::kMove, InPreview({0.6, 0.5}), 5010);
  editor->PointAt(id::kCanvas, CanvasPointerKind::kMove, InPreview({0.75, 0.5}), 5020);
  editor->PointAt(id::kCanvas, CanvasPointerKind::kUp, InPreview({0.75, 0.5}), 5030);
  ASSERT_TRUE(editor->Press(id::kUndo));  // back to the even split
  ASSERT_TRUE(editor->Press(id::kSplitSideBySide));
  editor->Options().input->OnKeyDown(0x5A, true, false);  // Ctrl+Z
  editor->Options().input->OnKeyDown(0x59, true, false);  // Ctrl+Y
  ASSERT_TRUE(editor->Type(id::kName, "Play"));
  ASSERT_TRUE(editor->Press(id::kSave));

  EXPECT_EQ(Editor(), nullptr);
  const std::vector<SnapLayout> stored = Stored();
  ASSERT_EQ(stored.size(), 1u);
  EXPECT_EQ(stored[0].id, "user-work");
  EXPECT_EQ(stored[0].name, "Play");
  const NodeRef expected = Cols(0.5, Cols(0.5, MakeLeaf(0), MakeLeaf(2)), MakeLeaf(1));
  EXPECT_TRUE(TreesEqual(stored[0].tree, expected));
  // It was the active layout: the display's copy changed, no window moved.
  EXPECT_TRUE(TreesEqual(engine->Layouts().ActiveLayout(DisplayKey())->tree, expected));
  EXPECT_EQ(desk.Frame(notes), (Rect{300, 200, 700, 500}));
}

TEST_F(LayoutEditorStory, DeleteAsksFirstAndLeavesTheWindowsWhereTheyAre) {
  const SnapLayout own = OwnLayout(Cols(0.5, MakeLeaf(0), MakeLeaf(1)));
  ASSERT_TRUE(engine->OpenLayoutEditor(&own));
  desk.SetConfirmAnswer(false);
  ASSERT_TRUE(Editor()->Press(id::kDelete));
  ASSERT_EQ(desk.PromptsShown().size(), 1u);
  const SimPrompt& asked = desk.PromptsShown()[0];
  EXPECT_EQ(asked.caption, "Delete Layout");
  EXPECT_EQ(asked.text, "Delete \u201CWork\u201D? Windows arranged with it stay where they are.");
  EXPECT_EQ(asked.icon, PromptIcon::kQuestion);
  EXPECT_NE(Editor(), nullptr);
  EXPECT_EQ(Stored().size(), 1u);

  desk.SetConfirmAnswer(true);
  ASSERT_TRUE(Editor()->Press(id::kDelete));
  EXPECT_EQ(Editor(), nullptr);
  EXPECT_TRUE(Stored().empty());
  EXPECT_FALSE(engine->Layouts().ActiveLayout(DisplayKey()).has_value());
  EXPECT_EQ(desk.Frame(notes), (Rect{300, 200, 700, 500}));
}

TEST_F(LayoutEditorStory, ARefusedNameIsAskedForAgainATakenOneMakesASecondLayout) {
  OwnLayout(Cols(0.5, MakeLeaf(0), MakeLeaf(1)));
  ASSERT_TRUE(engine->OpenLayoutEditor(nullptr));
  // The own layout is offered to start from, after the built-ins.
  EXPECT_EQ(Editor()->Items(id::kStartFrom).back(), "Work");
  desk.AnswerFileDialog(kPaint);
  ASSERT_TRUE(Editor()->Choose(id::kApps, 2));  // "Other App…"
  EXPECT_EQ(desk.PromptsShown().back().caption, "Choose an App");
  EXPECT_EQ(desk.PromptsShown().back().text, "Apps (*.exe)");
  EXPECT_EQ(Editor()->Text(id::kAppText), "Paint");
  for (const char* name : {"", "   ", "Tab\there"}) {
    ASSERT_TRUE(Editor()->Type(id::kName, name));
    ASSERT_TRUE(Editor()->Press(id::kSaveAndApply));
    const SimPrompt& told = desk.PromptsShown().back();
    EXPECT_EQ(told.caption, "Tessary") << name;
    EXPECT_EQ(told.text, "Give the layout a name of up to 60 characters.") << name;
    EXPECT_EQ(told.icon, PromptIcon::kInformation);
    ASSERT_NE(Editor(), nullptr) << name;
    EXPECT_EQ(Editor()->FocusedId(), id::kName);
  }
  EXPECT_EQ(desk.PromptsShown().size(), 1u + 3u);
  EXPECT_EQ(Stored().size(), 1u);
  ASSERT_TRUE(Editor()->Type(id::kName, "Work"));
  ASSERT_TRUE(Editor()->Press(id::kSave));
  const std::vector<SnapLayout> stored = Stored();
  ASSERT_EQ(stored.size(), 2u);
  EXPECT_EQ(stored[1].name, "Work");
  EXPECT_NE(stored[1].id, stored[0].id);
  EXPECT_EQ(stored[1].apps, (RegionApps{{0, {kPaint}}}));
  EXPECT_EQ(ActiveLayoutId(DisplayKey()), "user-work");  // not applied
}

TEST_F(LayoutEditorStory, ALayoutTheStoreRefusesBeepsAndTheEditorStaysOpen) {
  const SnapLayout halves = *FindBuiltIn("halves");  // not one of the user's own
  ASSERT_TRUE(engine->OpenLayoutEditor(&halves));
  ASSERT_TRUE(Editor()->Press(id::kSave));
  EXPECT_EQ(desk.WarningBeeps(), 1);
  EXPECT_NE(Editor(), nullptr);
  ASSERT_TRUE(Editor()->Press(id::kCancel));
  EXPECT_EQ(Editor(), nullptr);
  EXPECT_TRUE(Stored().empty());
}

TEST_F(EngineTest, TheEditorDoesNotOpenWithoutADisplay) {
  Start();
  EXPECT_FALSE(engine->OpenLayoutEditor(nullptr));
}

}  // namespace
}  // namespace tessary
