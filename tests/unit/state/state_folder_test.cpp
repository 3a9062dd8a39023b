#include "state/state_folder.h"

#include <gtest/gtest.h>

#include "state/settings_file.h"
#include "state/state_store.h"
#include "state_test_support.h"

namespace tessary {
namespace {

using testing::IsFolder;

class StateFolderTest : public testing::TempFolderTest {
 protected:
  StateFolderTest() { files.localAppData = temp.File("Local"); }
  void SetUp() override { ASSERT_TRUE(files.CreateFolder(*files.localAppData)); }
};

TEST_F(StateFolderTest, DefaultIsTheTessaryFolderInsideTheMakerFolder) {
  std::string folder = StateFolder(files);
  EXPECT_EQ(folder, JoinPath(JoinPath(*files.localAppData, "Quillfrost"), "Tessary"));
  EXPECT_TRUE(IsFolder(folder));
  EXPECT_EQ(StateFilePath(folder, kLayoutsFileName), JoinPath(folder, "layouts.json"));
}

TEST_F(StateFolderTest, OverrideIsUsedUnchangedAndTheMakerFolderIsStillCreated) {
  std::string override = temp.File("elsewhere");
  files.environment["TESSARY_STATE_DIR"] = override;
  std::string folder = StateFolder(files);
  EXPECT_EQ(folder, override);
  EXPECT_TRUE(IsFolder(override));
  EXPECT_TRUE(IsFolder(JoinPath(*files.localAppData, "Quillfrost")));
  EXPECT_FALSE(IsFolder(JoinPath(JoinPath(*files.localAppData, "Quillfrost"), "Tessary")));
  // The shell stories all run on the override without a local data folder.
}

TEST_F(StateFolderTest, EmptyOrOverlongOverrideDoesNotCount) {
  std::string standard = JoinPath(JoinPath(*files.localAppData, "Quillfrost"), "Tessary");
  files.environment["TESSARY_STATE_DIR"] = "";
  EXPECT_EQ(StateFolder(files), standard);

  // 260 wide characters do not fit the variable's buffer: absent, not cut.
  files.environment["TESSARY_STATE_DIR"] = std::string(260, 'd');
  EXPECT_EQ(StateFolder(files), standard);
  // Counted in UTF-16 units: 130 characters outside the basic plane are 260 units.
  std::string emoji;
  for (int i = 0; i < 130; ++i) emoji += "\xF0\x9F\x98\x80";
  files.environment["TESSARY_STATE_DIR"] = emoji;
  EXPECT_EQ(StateFolder(files), standard);

  std::string fits = temp.File(std::string(259 - temp.Path().size() - 1, 'd'));
  ASSERT_EQ(fits.size(), 259u);
  files.environment["TESSARY_STATE_DIR"] = fits;
  EXPECT_EQ(StateFolder(files), fits);
  EXPECT_TRUE(IsFolder(fits));
}

TEST_F(StateFolderTest, WithoutALocalDataFolderEverythingStaysInMemory) {
  files.localAppData.reset();
  files.changes.clear();
  std::string folder = StateFolder(files);
  EXPECT_EQ(folder, "");
  EXPECT_EQ(StateFilePath(folder, kLayoutsFileName), "");

  StateStore store(files, StateFilePath(folder, kMinimumsFileName));
  store.Set("appMinimumSizes.v1", R"({"a":[1,2]})");
  store.Set("appMinimumSizes.v1", R"({"a":[3,4]})");
  EXPECT_EQ(store.Get("appMinimumSizes.v1"), R"({"a":[3,4]})");

  // Not a folder, not a file, not a relative "layouts.json" in the working folder.
  EXPECT_TRUE(files.changes.empty()) << files.changes.front();
}

TEST(JoinPathTest, UsesThePlatformSeparatorOnce) {
  std::string separator(1, kPathSeparator);
  EXPECT_EQ(JoinPath("a", "b"), "a" + separator + "b");
  EXPECT_EQ(JoinPath("a" + separator, "b"), "a" + separator + "b");
  EXPECT_EQ(JoinPath("", "b"), "b");
}

}  // namespace
}  // namespace tessary
