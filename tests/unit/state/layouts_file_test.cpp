// layouts.json on the disk, through the system's own file system: the bytes each change
// writes, the order of its keys, and a hand-written file that must survive a rewrite.

#include <gtest/gtest.h>

#include "layout/builtin_layouts.h"
#include "layout/layout_store.h"
#include "state/state_store.h"
#include "state_test_support.h"

namespace tessary {
namespace {

using testing::ReadWhole;

class LayoutsFileTest : public testing::TempFolderTest {
 protected:
  std::string path = temp.File("layouts.json");
};

TEST_F(LayoutsFileTest, EachChangeRewritesOneKeyAndNewKeysGoLast) {
  StateStore file(files, path);
  LayoutStore store(&file);
  store.SetActiveLayout("D", *FindBuiltIn("rows"));
  EXPECT_EQ(
      ReadWhole(path),
      R"({"activeLayouts.v1":"{\"D\":{\"id\":\"rows\",\"name\":\"Two rows\",\"tree\":)"
      R"({\"axis\":\"rows\",\"first\":{\"region\":0},\"ratio\":0.5,\"second\":{\"region\":1}}}}"})");

  SnapLayout halves = *FindBuiltIn("halves");
  halves.tree = MakeSplit(Axis::Columns, 0.25, MakeLeaf(0), MakeLeaf(1));
  store.RememberLayout("D", halves);
  SnapLayout mine{"user-1", "Mine", MakeLeaf(0), {{0, {"aumid:A!App"}}}};
  ASSERT_TRUE(store.SaveCustomLayout("D", mine));
  const std::string tree =
      R"({\"axis\":\"columns\",\"first\":{\"region\":0},\"ratio\":0.25,\"second\":{\"region\":1}})";
  const std::string expected =
      R"({"activeLayouts.v1":"{\"D\":{\"id\":\"halves\",\"name\":\"Halves\",\"tree\":)" + tree +
      R"(}}","layouts.v2":"{\"D\":{\"halves\":)" + tree +
      R"(}}","customLayouts.v1":"{\"D\":[{\"apps\":{\"0\":[\"aumid:A!App\"]},\"id\":\"user-1\",)"
      R"(\"name\":\"Mine\",\"tree\":{\"region\":0}}]}"})";
  EXPECT_EQ(ReadWhole(path), expected);
}

// Written by hand: device-path display keys, names with surrounding spaces, ideographic
// spaces, quotes, a slash and an emoji, a region with an empty app list, a name stored
// before control bytes inside malformed sequences were refused, and keys this version
// does not know. Loading it and saving every key again gives the same bytes.
TEST_F(LayoutsFileTest, AHandWrittenFileLoadsWholeAndIsWrittenBackByteForByte) {
  const std::optional<std::string> fixture =
      ReadWhole(JoinPath(TESSARY_STATE_FIXTURES, "layouts.json"));
  ASSERT_TRUE(fixture);
  testing::WriteWhole(path, *fixture);
  StateStore file(files, path);
  LayoutStore store(&file);

  const std::string main = "\\\\?\\DISPLAY#Main#1";
  const std::vector<SnapLayout> custom = store.CustomLayouts(main);
  ASSERT_EQ(custom.size(), 3u);
  EXPECT_EQ(custom[0].name, "  Work  ");
  EXPECT_EQ(custom[0].apps.at(0), (std::vector<std::string>{"aumid:Contoso.Mail_8wekyb3d8bbwe!App",
                                                            "C:\\Tools\\edit.exe"}));
  EXPECT_TRUE(custom[0].apps.at(1).empty());
  EXPECT_EQ(custom[1].name,
            "\xE3\x80\x80"
            "Caf\xC3\xA9 \"q\" a/b \xF0\x9F\x98\x80\xE3\x80\x80");
  EXPECT_EQ(custom[2].name, "Old A\xC3\x01Z");
  EXPECT_EQ(store.LayoutsForDisplay(main)[1].tree->ratio, 0.33333333333333331);
  EXPECT_EQ(store.ActiveLayout("\\\\?\\DISPLAY#Side")->name, "Custom corner layout");

  store.ResetDisplay("no such display");                 // layouts.v2 and activeLayouts.v1
  ASSERT_TRUE(store.SaveCustomLayout(main, custom[2]));  // customLayouts.v1
  EXPECT_EQ(ReadWhole(path), fixture);
}

}  // namespace
}  // namespace tessary
