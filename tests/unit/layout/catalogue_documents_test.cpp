#include <gtest/gtest.h>

#include "catalogue_support.h"
#include "layout/builtin_layouts.h"
#include "layout/layout_documents.h"

namespace tessary {
namespace {

using namespace testing::builders;

TEST(LayoutDocuments, AdjustedTreesSkipInvalidEntriesOneByOne) {
  const AdjustedTrees trees = ReadAdjustedTrees(
      R"({"A":{"halves":{"region":0},"bad":{"axis":"rows","ratio":0.01,"first":{"region":0},)"
      R"("second":{"region":1}},"dup":{"axis":"rows","ratio":0.5,"first":{"region":1},)"
      R"("second":{"region":1}},"halves":{"axis":"rows","ratio":0.5,"first":{"region":0},)"
      R"("second":{"region":1}},"short":{"axis":"rows"}},"B":[1,2],"C":{"x":{"region":2.7}}})");
  ASSERT_EQ(trees.size(), 2u);
  ASSERT_EQ(trees.at("A").size(), 1u);
  // A later member with the same id replaces the earlier one.
  EXPECT_TRUE(TreesEqual(trees.at("A").at("halves"), R(0.5, L(0), L(1))));
}

TEST(LayoutDocuments, CustomLayoutReadingRules) {
  const CustomLayoutLists lists = ReadCustomLayouts(R"({
    "D": [
      {"id": "user-1", "name": "One", "tree": {"region": 0}},
      {"id": "halves", "name": "Not mine", "tree": {"region": 0}},
      {"id": "user-1", "name": "Duplicate", "tree": {"region": 1}},
      {"id": "user-2", "name": "   ", "tree": {"region": 0}},
      {"id": "user-3", "name": "Bad tree", "tree": {"axis": "rows", "ratio": 0.5,
        "first": {"region": 0}, "second": {"region": 0}}},
      {"id": "user-4", "name": "No tree"},
      {"id": 4, "name": "Numeric id", "tree": {"region": 0}},
      "not an object",
      {"id": "user-5", "name": "  Apps  ", "tree": {"region": 2},
       "apps": {"2": ["", 5, "C:\\x.exe"], "x": ["first"], "7": "not a list"}},
      {"id": "user-6", "name": "Six", "tree": {"region": 0}}
    ],
    "E": {"id": "user-7"},
    "F": [{"id": "user-1", "name": "Other display", "tree": {"region": 0}}]
  })");
  ASSERT_EQ(lists.size(), 2u);
  const std::vector<SnapLayout>& d = lists.at("D");
  ASSERT_EQ(d.size(), 3u);
  EXPECT_TRUE(LayoutsEqual(d[0], MakeLayout("user-1", "One", L(0))));
  SnapLayout apps = MakeLayout("user-5", "  Apps  ", L(2));  // the name stored as typed
  apps.apps = {{0, {"first"}}, {2, {"C:\\x.exe"}}};
  EXPECT_TRUE(LayoutsEqual(d[1], apps));
  EXPECT_EQ(d[2].id, "user-6");
  // The same id on another display is another layout.
  EXPECT_EQ(lists.at("F").at(0).name, "Other display");
}

// A raw NUL cannot survive a save (it is written as an escape that reads as nothing), so
// it is left out at load: loading after a save then gives the same catalogue. With the
// NUL, "A\xE2\0\x80" would read as "A" and a space; without it 0x80 is U+0080.
TEST(LayoutDocuments, RawNulBytesAreReadAsTheNextSaveKeepsThem) {
  const char raw[] =
      "{\"D\":[{\"id\":\"user-1\",\"name\":\"Wo\0rk\",\"tree\":{\"region\":0}},"
      "{\"id\":\"user-2\",\"name\":\"A\xE2\0\x80\",\"tree\":{\"region\":0}}]}";
  const CustomLayoutLists lists = ReadCustomLayouts(std::string_view(raw, sizeof raw - 1));
  ASSERT_EQ(lists.at("D").size(), 1u);
  EXPECT_EQ(lists.at("D")[0].name, "Work");
  const SnapLayout again = ReadCustomLayouts(WriteCustomLayouts(lists)).at("D").at(0);
  EXPECT_TRUE(LayoutsEqual(again, lists.at("D")[0]));
}

TEST(LayoutDocuments, ActiveLayoutsNeedOnlyAValidTree) {
  const ActiveLayouts active = ReadActiveLayouts(R"({
    "A": {"id": "corner-custom", "name": "", "tree": {"region": 3}},
    "B": {"id": "halves", "name": "Halves", "tree": {"region": 16}},
    "C": {"tree": {"region": 1}},
    "D": 7
  })");
  ASSERT_EQ(active.size(), 2u);
  EXPECT_EQ(active.at("A").id, "corner-custom");
  EXPECT_TRUE(LayoutsEqual(active.at("C"), MakeLayout("", "", L(1))));
  // App keys read like atoi, clamped.
  const std::map<std::int32_t, std::vector<std::string>> apps = {
      {-2, {"b"}}, {0, {"d"}}, {3, {"a"}}, {2147483647, {"c"}}};
  EXPECT_EQ(ReadActiveLayouts(R"({"A":{"tree":{"region":0},)"
                              R"("apps":{" 3x":["a"],"-2":["b"],"99999999999":["c"],"":["d"]}}})")
                .at("A")
                .apps,
            apps);
  // Text that is not an object reads as empty.
  for (const char* text : {"", "{\"D\":[", "[1,2,3]", "\"text\""}) {
    EXPECT_TRUE(ReadActiveLayouts(text).empty() && ReadCustomLayouts(text).empty() &&
                ReadAdjustedTrees(text).empty())
        << text;
  }
}

}  // namespace
}  // namespace tessary
