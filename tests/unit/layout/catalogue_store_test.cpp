#include <gtest/gtest.h>

#include "catalogue_support.h"
#include "layout/builtin_layouts.h"
#include "layout/layout_documents.h"
#include "layout/layout_store.h"

namespace tessary {
namespace {

using namespace testing::builders;

constexpr std::string_view kMain = "\\\\?\\DISPLAY#MAIN";
constexpr std::string_view kSide = "\\\\?\\DISPLAY#SIDE";

SnapLayout WithTree(std::string_view id, NodeRef tree) {
  SnapLayout layout = *FindBuiltIn(id);
  layout.tree = std::move(tree);
  return layout;
}

const SnapLayout* Find(const std::vector<SnapLayout>& list, std::string_view id) {
  for (const SnapLayout& layout : list) {
    if (layout.id == id) return &layout;
  }
  return nullptr;
}

std::vector<std::string> Ids(const std::vector<SnapLayout>& list) {
  std::vector<std::string> ids;
  for (const SnapLayout& layout : list) ids.push_back(layout.id);
  return ids;
}

class LayoutStoreTest : public ::testing::Test {
 protected:
  testing::RecordingDocumentStore documents;
  LayoutStore store{&documents};
};

TEST_F(LayoutStoreTest, FreshStoreListsTheBuiltInsAndWritesNothing) {
  EXPECT_EQ(Ids(store.LayoutsForDisplay(kMain)), Ids(BuiltInLayouts()));
  EXPECT_TRUE(documents.saves.empty());
  // Without documents everything stays in memory.
  LayoutStore memory;
  ASSERT_TRUE(memory.SaveCustomLayout(kMain, MakeLayout("user-1", "One", L(0))));
  memory.RememberLayout(kMain, *FindBuiltIn("rows"));
  EXPECT_EQ(memory.CustomLayouts(kMain).size(), 1u);
  EXPECT_EQ(memory.ActiveLayout(kMain)->id, "rows");
}

TEST_F(LayoutStoreTest, AdjustedTreesApplyPerDisplayWhileRegionsMatch) {
  store.RememberLayout(kMain, WithTree("halves", C(0.3, L(0), L(1))));
  // A custom edit that dropped a region of "stack" is not used for "stack".
  store.RememberLayout(kMain, WithTree("stack", C(0.6, L(0), L(1))));
  const std::vector<SnapLayout> main = store.LayoutsForDisplay(kMain);
  EXPECT_EQ(Find(main, "halves")->tree->ratio, 0.3);
  EXPECT_TRUE(TreesEqual(Find(main, "stack")->tree, FindBuiltIn("stack")->tree));
  EXPECT_EQ(Find(store.LayoutsForDisplay(kSide), "halves")->tree->ratio, 0.5);
  EXPECT_TRUE(TreesEqual(store.ActiveLayout(kMain)->tree, C(0.6, L(0), L(1))));
}

TEST_F(LayoutStoreTest, RememberSavesOnlyChangesOneKeyAtATime) {
  const SnapLayout adjusted = WithTree("halves", C(0.3, L(0), L(1)));
  store.RememberLayout(kMain, adjusted);
  const std::vector<std::string> first = {"activeLayouts.v1", "layouts.v2"};
  EXPECT_EQ(documents.saves, first);
  // The same tree again, an invalid tree, or an invalid active layout: nothing is saved.
  store.RememberLayout(kMain, adjusted);
  store.RememberLayout(kMain, WithTree("halves", C(0.05, L(0), L(1))));
  store.SetActiveLayout(kMain, WithTree("halves", C(0.5, L(0), L(0))));
  EXPECT_EQ(documents.saves, first);
  // The same tree under another name or with apps is another active layout.
  SnapLayout renamed = adjusted;
  renamed.name = "Renamed";
  store.SetActiveLayout(kMain, renamed);
  renamed.apps[0] = {"app"};
  store.SetActiveLayout(kMain, renamed);
  EXPECT_EQ(documents.saves, (std::vector<std::string>{"activeLayouts.v1", "layouts.v2",
                                                       "activeLayouts.v1", "activeLayouts.v1"}));
  EXPECT_TRUE(LayoutsEqual(*store.ActiveLayout(kMain), renamed));
}

TEST_F(LayoutStoreTest, SaveCustomLayoutChecksAndReplaces) {
  EXPECT_FALSE(store.SaveCustomLayout(kMain, MakeLayout("halves", "Mine", L(0))));
  EXPECT_FALSE(store.SaveCustomLayout(kMain, MakeLayout("user-1", "Mine", L(16))));
  EXPECT_FALSE(store.SaveCustomLayout(kMain, MakeLayout("user-1", "A\xC3\x01", L(0))));
  EXPECT_TRUE(documents.saves.empty());

  ASSERT_TRUE(store.SaveCustomLayout(kMain, MakeLayout("user-1", "  Work  ", C(0.5, L(0), L(1)))));
  ASSERT_TRUE(store.SaveCustomLayout(kMain, MakeLayout("user-2", "Play", L(0))));
  EXPECT_EQ(Ids(store.CustomLayouts(kMain)), (std::vector<std::string>{"user-1", "user-2"}));
  EXPECT_EQ(store.CustomLayouts(kMain)[0].name, "  Work  ");  // as typed
  EXPECT_EQ(Ids(store.LayoutsForDisplay(kMain)).back(), "user-2");

  store.RememberLayout(kMain, MakeLayout("user-1", "  Work  ", C(0.7, L(0), L(1))));
  EXPECT_EQ(Find(store.LayoutsForDisplay(kMain), "user-1")->tree->ratio, 0.7);
  // Replacing the layout forgets its old proportions; the order stays.
  ASSERT_TRUE(store.SaveCustomLayout(kMain, MakeLayout("user-1", "Work", C(0.4, L(1), L(0)))));
  EXPECT_EQ(Ids(store.CustomLayouts(kMain)), (std::vector<std::string>{"user-1", "user-2"}));
  EXPECT_EQ(Find(store.LayoutsForDisplay(kMain), "user-1")->tree->ratio, 0.4);
  EXPECT_TRUE(store.CustomLayouts(kSide).empty());
}

TEST_F(LayoutStoreTest, DeleteCustomLayout) {
  ASSERT_TRUE(store.SaveCustomLayout(kMain, MakeLayout("user-1", "One", C(0.5, L(0), L(1)))));
  ASSERT_TRUE(store.SaveCustomLayout(kMain, MakeLayout("user-2", "Two", L(0))));
  ASSERT_TRUE(store.SaveCustomLayout(kMain, MakeLayout("user-3", "Three", L(0))));
  store.RememberLayout(kMain, MakeLayout("user-1", "One", C(0.6, L(0), L(1))));
  EXPECT_FALSE(store.DeleteCustomLayout(kMain, "user-9"));
  EXPECT_FALSE(store.DeleteCustomLayout(kSide, "user-1"));

  documents.saves.clear();
  ASSERT_TRUE(store.DeleteCustomLayout(kMain, "user-1"));
  EXPECT_EQ(Ids(store.CustomLayouts(kMain)), (std::vector<std::string>{"user-2", "user-3"}));
  EXPECT_EQ(documents.Get(kAdjustedTreesKey), "{}");
  EXPECT_EQ(documents.saves,
            (std::vector<std::string>{"layouts.v2", "activeLayouts.v1", "customLayouts.v1"}));

  // Deleting a layout that is not active keeps the active layout.
  store.SetActiveLayout(kMain, *FindBuiltIn("rows"));
  ASSERT_TRUE(store.DeleteCustomLayout(kMain, "user-3"));
  EXPECT_EQ(store.ActiveLayout(kMain)->id, "rows");
}

TEST_F(LayoutStoreTest, ResetDisplayKeepsOwnLayouts) {
  ASSERT_TRUE(store.SaveCustomLayout(kMain, MakeLayout("user-1", "One", L(0))));
  store.RememberLayout(kMain, WithTree("halves", C(0.3, L(0), L(1))));
  store.RememberLayout(kSide, WithTree("halves", C(0.7, L(0), L(1))));
  store.ResetDisplay(kMain);
  LayoutStore reloaded(&documents);
  for (const LayoutStore* s : {&store, &reloaded}) {
    EXPECT_FALSE(s->ActiveLayout(kMain));
    EXPECT_EQ(Find(s->LayoutsForDisplay(kMain), "halves")->tree->ratio, 0.5);
    EXPECT_EQ(Find(s->LayoutsForDisplay(kSide), "halves")->tree->ratio, 0.7);
    EXPECT_EQ(s->CustomLayouts(kMain).size(), 1u);
  }
}

TEST_F(LayoutStoreTest, SwitchListAddsCurrentAndCornerCustom) {
  ASSERT_TRUE(store.SaveCustomLayout(kMain, MakeLayout("user-1", "One", L(0))));
  store.RememberLayout(kMain, WithTree("halves", C(0.3, L(0), L(1))));
  // The adjusted active "halves" is appended: the built-in entry has another tree.
  std::vector<SnapLayout> list = store.SwitchList(kMain);
  ASSERT_EQ(list.size(), 11u);
  EXPECT_EQ(list[0].tree->ratio, 0.5);  // built-ins unadjusted
  EXPECT_EQ(list[9].id, "user-1");
  EXPECT_EQ(list[10].tree->ratio, 0.3);
  // A current layout equal to a listed entry is not repeated.
  EXPECT_EQ(store.SwitchList(kMain, FindBuiltIn("rows")).size(), 10u);

  store.RememberLayout(
      kMain, MakeLayout("corner-custom", "Custom layout", C(0.5, R(0.5, L(0), L(2)), L(1))));
  // The catalogue lists it after the built-ins under its own name.
  const SnapLayout corner = store.LayoutsForDisplay(kMain).at(9);
  EXPECT_EQ(corner.id, "corner-custom");
  EXPECT_EQ(corner.name, "Custom corner layout");
  // Active is now the corner layout: added once, as current; with another current layout
  // the corner layout still follows it.
  for (const SnapLayout* current : {static_cast<const SnapLayout*>(nullptr), FindBuiltIn("full")}) {
    list = store.SwitchList(kMain, current);
    ASSERT_EQ(list.size(), 11u);
    EXPECT_EQ(list[10].id, "corner-custom");
  }
}

TEST_F(LayoutStoreTest, RecoveryListStartsWithActiveAndHasNoRepeats) {
  EXPECT_EQ(store.RecoveryList(kMain).size(), 9u);
  store.RememberLayout(kMain, WithTree("halves", C(0.3, L(0), L(1))));
  const std::vector<SnapLayout> list = store.RecoveryList(kMain);
  // Active (adjusted halves) first; the catalogue's adjusted halves equals it and is
  // skipped; the plain built-in halves comes at the end.
  ASSERT_EQ(list.size(), 10u);
  EXPECT_EQ(list[0].tree->ratio, 0.3);
  EXPECT_EQ(list[1].id, "thirds");
  EXPECT_EQ(list[9].id, "halves");
  EXPECT_EQ(list[9].tree->ratio, 0.5);
}

TEST_F(LayoutStoreTest, CorruptCustomLayoutsKeepTheOtherKeys) {
  ASSERT_TRUE(store.SaveCustomLayout(kMain, MakeLayout("user-1", "One", L(0))));
  store.RememberLayout(kMain, WithTree("halves", C(0.3, L(0), L(1))));
  documents.Set(kCustomLayoutsKey, "{\"" + std::string(kMain) + "\": [{\"id\": ");
  LayoutStore reloaded(&documents);
  EXPECT_TRUE(reloaded.CustomLayouts(kMain).empty());
  EXPECT_EQ(Find(reloaded.LayoutsForDisplay(kMain), "halves")->tree->ratio, 0.3);
  EXPECT_EQ(reloaded.ActiveLayout(kMain)->tree->ratio, 0.3);
}

// A name the full check refuses, stored by an earlier version, loads and travels along an
// import; a list with a repeated id or a built-in id is refused whole.
TEST_F(LayoutStoreTest, ReplaceCustomLayoutsAllOrNothingKeepingStoredNames) {
  // The lead byte 0xC3 takes the escaped control byte 0x01 into its "character".
  documents.Set(kCustomLayoutsKey,
                "{\"D\":[{\"id\":\"user-1\",\"name\":\"A\xC3\\u0001Z\","
                "\"tree\":{\"region\":0}}]}");
  LayoutStore loaded(&documents);
  ASSERT_EQ(loaded.CustomLayouts("D").size(), 1u);
  const SnapLayout stored = loaded.CustomLayouts("D")[0];
  EXPECT_FALSE(loaded.ReplaceCustomLayouts(
      "D", {MakeLayout("user-2", "Two", L(0)), MakeLayout("user-2", "Again", L(1))}));
  EXPECT_FALSE(loaded.ReplaceCustomLayouts("D", {MakeLayout("rows", "Two", L(0))}));
  EXPECT_EQ(Ids(loaded.CustomLayouts("D")), (std::vector<std::string>{"user-1"}));
  ASSERT_TRUE(
      loaded.ReplaceCustomLayouts("D", {stored, MakeLayout("user-import-ab", "Two", L(1))}));
  LayoutStore reloaded(&documents);
  EXPECT_EQ(Ids(reloaded.CustomLayouts("D")),
            (std::vector<std::string>{"user-1", "user-import-ab"}));
  EXPECT_EQ(reloaded.CustomLayouts("D")[0].name, "A\xC3\x01Z");
}

}  // namespace
}  // namespace tessary
