#include <gtest/gtest.h>

#include "catalogue_support.h"
#include "layout/builtin_layouts.h"
#include "layout/layout_documents.h"
#include "layout/layout_store.h"

namespace tessary {
namespace {

using testing::C;
using testing::L;
using testing::MakeLayout;
using testing::R;

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
  MemoryDocumentStore documents;
};

TEST_F(LayoutStoreTest, FreshStoreListsTheBuiltIns) {
  LayoutStore store(&documents);
  EXPECT_EQ(Ids(store.LayoutsForDisplay(kMain)),
            (std::vector<std::string>{"halves", "thirds", "focus", "stack", "quarters", "rows",
                                      "thirds-left-stack", "thirds-right-stack", "full"}));
  EXPECT_TRUE(store.CustomLayouts(kMain).empty());
  EXPECT_FALSE(store.ActiveLayout(kMain));
  EXPECT_EQ(documents.writes(), 0);
}

TEST_F(LayoutStoreTest, AdjustedTreesApplyPerDisplayWhileRegionsMatch) {
  LayoutStore store(&documents);
  store.RememberLayout(kMain, WithTree("halves", C(0.3, L(0), L(1))));
  // A custom edit that dropped a region of "stack" is not used for "stack".
  store.RememberLayout(kMain, WithTree("stack", C(0.6, L(0), L(1))));
  const std::vector<SnapLayout> main = store.LayoutsForDisplay(kMain);
  EXPECT_EQ(Find(main, "halves")->tree->ratio, 0.3);
  EXPECT_TRUE(TreesEqual(Find(main, "stack")->tree, FindBuiltIn("stack")->tree));
  EXPECT_EQ(Find(store.LayoutsForDisplay(kSide), "halves")->tree->ratio, 0.5);
  // Adjusted "stack" is still the active layout as applied.
  EXPECT_TRUE(TreesEqual(store.ActiveLayout(kMain)->tree, C(0.6, L(0), L(1))));
}

TEST_F(LayoutStoreTest, RememberSavesOnlyChanges) {
  LayoutStore store(&documents);
  const SnapLayout adjusted = WithTree("halves", C(0.3, L(0), L(1)));
  store.RememberLayout(kMain, adjusted);
  EXPECT_EQ(documents.writes(), 2);  // the active layout, then the adjusted trees
  store.RememberLayout(kMain, adjusted);
  EXPECT_EQ(documents.writes(), 2);
  // An invalid tree changes nothing.
  store.RememberLayout(kMain, WithTree("halves", C(0.05, L(0), L(1))));
  store.SetActiveLayout(kMain, WithTree("halves", C(0.5, L(0), L(0))));
  EXPECT_EQ(documents.writes(), 2);
  EXPECT_EQ(store.ActiveLayout(kMain)->tree->ratio, 0.3);
  // Same tree under another name is a different active layout.
  SnapLayout renamed = adjusted;
  renamed.name = "Renamed";
  store.SetActiveLayout(kMain, renamed);
  EXPECT_EQ(documents.writes(), 3);
  SnapLayout withApps = renamed;
  withApps.apps[0] = {"app"};
  store.SetActiveLayout(kMain, withApps);
  EXPECT_EQ(documents.writes(), 4);
}

TEST_F(LayoutStoreTest, CornerCustomIsListedAfterTheBuiltIns) {
  LayoutStore store(&documents);
  store.RememberLayout(
      kMain, MakeLayout("corner-custom", "Custom layout", C(0.5, R(0.5, L(0), L(2)), L(1))));
  const std::vector<SnapLayout> list = store.LayoutsForDisplay(kMain);
  ASSERT_EQ(list.size(), 10u);
  EXPECT_EQ(list[9].id, "corner-custom");
  EXPECT_EQ(list[9].name, "Custom corner layout");
  EXPECT_TRUE(list[9].apps.empty());
}

TEST_F(LayoutStoreTest, SaveCustomLayoutChecksAndReplaces) {
  LayoutStore store(&documents);
  EXPECT_FALSE(store.SaveCustomLayout(kMain, MakeLayout("halves", "Mine", L(0))));
  EXPECT_FALSE(store.SaveCustomLayout(kMain, MakeLayout("user-1", "Mine", L(16))));
  EXPECT_FALSE(store.SaveCustomLayout(kMain, MakeLayout("user-1", "   ", L(0))));
  EXPECT_FALSE(store.SaveCustomLayout(kMain, MakeLayout("user-1", std::string(61, 'n'), L(0))));
  EXPECT_EQ(documents.writes(), 0);

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
  EXPECT_EQ(store.adjustedTrees().count(std::string(kMain)), 0u);
  EXPECT_TRUE(store.CustomLayouts(kSide).empty());
}

TEST_F(LayoutStoreTest, DeleteCustomLayout) {
  LayoutStore store(&documents);
  EXPECT_FALSE(store.DeleteCustomLayout(kMain, "user-1"));
  ASSERT_TRUE(store.SaveCustomLayout(kMain, MakeLayout("user-1", "One", C(0.5, L(0), L(1)))));
  ASSERT_TRUE(store.SaveCustomLayout(kMain, MakeLayout("user-2", "Two", L(0))));
  ASSERT_TRUE(store.SaveCustomLayout(kMain, MakeLayout("user-3", "Three", L(0))));
  store.RememberLayout(kMain, MakeLayout("user-1", "One", C(0.6, L(0), L(1))));
  EXPECT_FALSE(store.DeleteCustomLayout(kMain, "user-9"));
  EXPECT_FALSE(store.DeleteCustomLayout(kSide, "user-1"));

  ASSERT_TRUE(store.DeleteCustomLayout(kMain, "user-1"));
  EXPECT_EQ(Ids(store.CustomLayouts(kMain)), (std::vector<std::string>{"user-2", "user-3"}));
  EXPECT_FALSE(store.ActiveLayout(kMain));
  EXPECT_EQ(store.adjustedTrees().count(std::string(kMain)), 0u);

  // Deleting a layout that is not active keeps the active layout.
  store.SetActiveLayout(kMain, *FindBuiltIn("rows"));
  ASSERT_TRUE(store.DeleteCustomLayout(kMain, "user-3"));
  EXPECT_EQ(store.ActiveLayout(kMain)->id, "rows");
}

TEST_F(LayoutStoreTest, ResetDisplayKeepsOwnLayouts) {
  LayoutStore store(&documents);
  ASSERT_TRUE(store.SaveCustomLayout(kMain, MakeLayout("user-1", "One", L(0))));
  store.RememberLayout(kMain, WithTree("halves", C(0.3, L(0), L(1))));
  store.RememberLayout(kSide, WithTree("halves", C(0.7, L(0), L(1))));
  store.ResetDisplay(kMain);
  EXPECT_FALSE(store.ActiveLayout(kMain));
  EXPECT_EQ(Find(store.LayoutsForDisplay(kMain), "halves")->tree->ratio, 0.5);
  EXPECT_EQ(Find(store.LayoutsForDisplay(kSide), "halves")->tree->ratio, 0.7);
  EXPECT_EQ(store.CustomLayouts(kMain).size(), 1u);

  LayoutStore reloaded(&documents);
  EXPECT_FALSE(reloaded.ActiveLayout(kMain));
  EXPECT_EQ(Find(reloaded.LayoutsForDisplay(kMain), "halves")->tree->ratio, 0.5);
  EXPECT_EQ(reloaded.ActiveLayout(kSide)->tree->ratio, 0.7);
}

TEST_F(LayoutStoreTest, SwitchListAddsCurrentAndCornerCustom) {
  LayoutStore store(&documents);
  ASSERT_TRUE(store.SaveCustomLayout(kMain, MakeLayout("user-1", "One", L(0))));
  store.RememberLayout(kMain, WithTree("halves", C(0.3, L(0), L(1))));
  // The adjusted active "halves" is appended: the built-in entry has another tree.
  std::vector<SnapLayout> list = store.SwitchList(kMain);
  ASSERT_EQ(list.size(), 11u);
  EXPECT_EQ(list[0].tree->ratio, 0.5);  // built-ins unadjusted
  EXPECT_EQ(list[9].id, "user-1");
  EXPECT_EQ(list[10].id, "halves");
  EXPECT_EQ(list[10].tree->ratio, 0.3);

  // A current layout equal to a listed entry is not repeated.
  list = store.SwitchList(kMain, FindBuiltIn("rows"));
  EXPECT_EQ(list.size(), 10u);

  const SnapLayout corner =
      MakeLayout("corner-custom", "Custom corner layout", C(0.5, R(0.5, L(0), L(2)), L(1)));
  store.RememberLayout(kMain, corner);
  // Active is now the corner layout: added once, as current.
  list = store.SwitchList(kMain);
  ASSERT_EQ(list.size(), 11u);
  EXPECT_EQ(list[10].id, "corner-custom");
  // With another current layout the corner layout still follows it.
  list = store.SwitchList(kMain, FindBuiltIn("full"));
  ASSERT_EQ(list.size(), 11u);
  EXPECT_EQ(list[10].id, "corner-custom");
}

TEST_F(LayoutStoreTest, RecoveryListStartsWithActiveAndHasNoRepeats) {
  LayoutStore store(&documents);
  EXPECT_EQ(store.RecoveryList(kMain).size(), 9u);
  store.RememberLayout(kMain, WithTree("halves", C(0.3, L(0), L(1))));
  const std::vector<SnapLayout> list = store.RecoveryList(kMain);
  // Active (adjusted halves) first; the catalogue's adjusted halves equals it and is
  // skipped; the plain built-in halves comes at the end.
  ASSERT_EQ(list.size(), 10u);
  EXPECT_EQ(list[0].id, "halves");
  EXPECT_EQ(list[0].tree->ratio, 0.3);
  EXPECT_EQ(list[1].id, "thirds");
  EXPECT_EQ(list[9].id, "halves");
  EXPECT_EQ(list[9].tree->ratio, 0.5);
}

TEST_F(LayoutStoreTest, EverythingPersistsIntoAFreshStore) {
  {
    LayoutStore store(&documents);
    SnapLayout mine = MakeLayout("user-1", " Dev ", C(0.5, L(0), R(0.4, L(1), L(2))));
    mine.apps[1] = {"aumid:Terminal", "C:\\Code\\code.exe"};
    ASSERT_TRUE(store.SaveCustomLayout(kMain, mine));
    ASSERT_TRUE(store.SaveCustomLayout(kSide, MakeLayout("user-2", "Side", L(0))));
    store.RememberLayout(kMain, WithTree("thirds", C(0.25, L(0), C(0.5, L(1), L(2)))));
    store.RememberLayout(kMain, MakeLayout("user-1", " Dev ", C(0.6, L(0), R(0.4, L(1), L(2)))));
    store.SetActiveLayout(kSide, *FindBuiltIn("rows"));
  }
  LayoutStore store(&documents);
  const std::vector<SnapLayout> custom = store.CustomLayouts(kMain);
  ASSERT_EQ(custom.size(), 1u);
  EXPECT_EQ(custom[0].name, " Dev ");
  EXPECT_EQ(custom[0].apps.at(1),
            (std::vector<std::string>{"aumid:Terminal", "C:\\Code\\code.exe"}));
  EXPECT_EQ(store.CustomLayouts(kSide)[0].id, "user-2");
  const std::vector<SnapLayout> list = store.LayoutsForDisplay(kMain);
  EXPECT_EQ(Find(list, "thirds")->tree->ratio, 0.25);
  EXPECT_EQ(Find(list, "user-1")->tree->ratio, 0.6);
  EXPECT_EQ(Find(list, "user-1")->apps.size(), 1u);
  EXPECT_EQ(store.ActiveLayout(kMain)->id, "user-1");
  EXPECT_EQ(store.ActiveLayout(kMain)->tree->ratio, 0.6);
  EXPECT_EQ(store.ActiveLayout(kSide)->id, "rows");
}

TEST_F(LayoutStoreTest, CorruptCustomLayoutsKeepTheOtherKeys) {
  {
    LayoutStore store(&documents);
    ASSERT_TRUE(store.SaveCustomLayout(kMain, MakeLayout("user-1", "One", L(0))));
    store.RememberLayout(kMain, WithTree("halves", C(0.3, L(0), L(1))));
  }
  documents.Set(kCustomLayoutsKey, "{\"" + std::string(kMain) + "\": [{\"id\": ");
  LayoutStore store(&documents);
  EXPECT_TRUE(store.CustomLayouts(kMain).empty());
  EXPECT_EQ(Find(store.LayoutsForDisplay(kMain), "halves")->tree->ratio, 0.3);
  EXPECT_EQ(store.ActiveLayout(kMain)->tree->ratio, 0.3);
}

TEST_F(LayoutStoreTest, WithoutDocumentsEverythingStaysInMemory) {
  LayoutStore store;
  ASSERT_TRUE(store.SaveCustomLayout(kMain, MakeLayout("user-1", "One", L(0))));
  store.RememberLayout(kMain, *FindBuiltIn("rows"));
  EXPECT_EQ(store.CustomLayouts(kMain).size(), 1u);
  EXPECT_EQ(store.ActiveLayout(kMain)->id, "rows");
}

TEST_F(LayoutStoreTest, ReplaceCustomLayoutsAllOrNothing) {
  LayoutStore store(&documents);
  ASSERT_TRUE(store.SaveCustomLayout(kMain, MakeLayout("user-1", "One", L(0))));
  EXPECT_FALSE(store.ReplaceCustomLayouts(
      kMain, {MakeLayout("user-2", "Two", L(0)), MakeLayout("user-2", "Again", L(1))}));
  EXPECT_FALSE(store.ReplaceCustomLayouts(kMain, {MakeLayout("rows", "Two", L(0))}));
  EXPECT_EQ(Ids(store.CustomLayouts(kMain)), (std::vector<std::string>{"user-1"}));
  ASSERT_TRUE(store.ReplaceCustomLayouts(
      kMain, {MakeLayout("user-1", "One", L(0)), MakeLayout("user-import-ab", "Two", L(1))}));
  LayoutStore reloaded(&documents);
  EXPECT_EQ(Ids(reloaded.CustomLayouts(kMain)),
            (std::vector<std::string>{"user-1", "user-import-ab"}));
}

}  // namespace
}  // namespace tessary
