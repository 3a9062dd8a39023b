#include "state/state_store.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/log.h"
#include "state/atomic_write.h"
#include "state/badge_placements_document.h"
#include "state_test_support.h"

namespace tessary {
namespace {

using testing::Fault;
using testing::ReadWhole;
using testing::TempFolder;
using testing::TestFileSystem;
using testing::WriteWhole;

class StateStoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetLogRecorder([this](std::string_view line) { logged.emplace_back(line); });
  }
  void TearDown() override { SetLogRecorder(nullptr); }

  TempFolder temp;
  TestFileSystem files;
  std::string path = temp.File("layouts.json");
  std::vector<std::string> logged;
};

TEST_F(StateStoreTest, MissingFileStartsEmptyAndTheFirstSetWritesIt) {
  StateStore store(files, path);
  EXPECT_EQ(store.Get("layouts.v2"), "");
  store.Set("layouts.v2", R"({"D1":{}})");
  EXPECT_EQ(ReadWhole(path), R"({"layouts.v2":"{\"D1\":{}}"})");
  EXPECT_FALSE(files.Exists(path + ".tmp"));
  EXPECT_TRUE(logged.empty());
}

TEST_F(StateStoreTest, ExistingKeyKeepsItsPlaceAndNewKeysGoLast) {
  WriteWhole(path, R"({"layouts.v2":"1","customLayouts.v1":"2","activeLayouts.v1":"3"})");
  StateStore store(files, path);
  store.Set("layouts.v2", "10");
  EXPECT_EQ(ReadWhole(path),
            R"({"layouts.v2":"10","customLayouts.v1":"2","activeLayouts.v1":"3"})");
  store.Set("zeta", "z");
  store.Set("alpha", "a");
  EXPECT_EQ(ReadWhole(path), R"({"layouts.v2":"10","customLayouts.v1":"2","activeLayouts.v1":"3",)"
                             R"("zeta":"z","alpha":"a"})");
}

TEST_F(StateStoreTest, UnknownKeysSurviveARewriteByteForByte) {
  // Written by another version: a document under a key this one does not know, with
  // escapes, raw UTF-8 and a nested escaped quote, plus a member that is not a string.
  std::string foreign = R"({"layouts.v3":"{\"d\":[1,2.5,\"a\\\"b\"],\"é\":\"\\u0001\"}",)"
                        R"("layouts.v2":"{}","extra":{"n":[true,null]}})";
  WriteWhole(path, foreign);
  StateStore store(files, path);
  std::string before = store.Get("layouts.v3");
  EXPECT_EQ(before, R"({"d":[1,2.5,"a\"b"],"é":"\u0001"})");
  store.Set("layouts.v2", R"({"D":{}})");
  EXPECT_EQ(ReadWhole(path), R"({"layouts.v3":"{\"d\":[1,2.5,\"a\\\"b\"],\"é\":\"\\u0001\"}",)"
                             R"("layouts.v2":"{\"D\":{}}","extra":{"n":[true,null]}})");
  StateStore reloaded(files, path);
  EXPECT_EQ(reloaded.Get("layouts.v3"), before);
  EXPECT_EQ(reloaded.Get("extra"), "");  // not a string: Get gives nothing, but it is kept
}

TEST_F(StateStoreTest, GetTakesTheFirstOfDuplicatesAndSetReplacesEveryOne) {
  WriteWhole(path, R"({"k":"first","other":"o","k":"second"})");
  StateStore store(files, path);
  EXPECT_EQ(store.Get("k"), "first");
  store.Set("k", "new");
  EXPECT_EQ(ReadWhole(path), R"({"k":"new","other":"o","k":"new"})");
}

TEST_F(StateStoreTest, OneBadDocumentDoesNotSpoilTheOthers) {
  WriteWhole(path, R"({"layouts.v2":"{\"D\":{}}","customLayouts.v1":"{not json",)"
                   R"("activeLayouts.v1":"{}"})");
  StateStore store(files, path);
  EXPECT_EQ(store.Get("layouts.v2"), R"({"D":{}})");
  EXPECT_EQ(store.Get("customLayouts.v1"), "{not json");
  EXPECT_EQ(store.Get("activeLayouts.v1"), "{}");
}

TEST_F(StateStoreTest, OversizedFileLoadsEmptyAndIsKeptAsideBeforeTheNextWrite) {
  // A valid object padded past 8 MiB.
  std::string big = R"({"layouts.v2":"{}","pad":")" + std::string(9 * 1024 * 1024, 'p') + "\"}";
  WriteWhole(path, big);
  StateStore store(files, path);
  EXPECT_EQ(store.Get("layouts.v2"), "");
  EXPECT_EQ(ReadWhole(path), big);  // loading alone changes nothing

  store.Set("activeLayouts.v1", "{}");
  EXPECT_EQ(ReadWhole(path), R"({"activeLayouts.v1":"{}"})");
  EXPECT_EQ(ReadWhole(path + ".unreadable"), big);
  ASSERT_EQ(logged.size(), 1u);
  EXPECT_EQ(logged[0], "state: kept unreadable " + path + " as " + path + ".unreadable\n");

  // Only the first write moves anything.
  store.Set("layouts.v2", "{}");
  EXPECT_EQ(ReadWhole(path + ".unreadable"), big);
  EXPECT_FALSE(files.Exists(path + ".unreadable-2"));
}

TEST_F(StateStoreTest, CorruptFilesAreKeptWithoutOverwritingEarlierCopies) {
  WriteWhole(path, R"({"layouts.v2":"{}", "cut short)");
  StateStore(files, path).Set("a", "1");
  WriteWhole(path, R"(["an array, not an object"])");
  StateStore(files, path).Set("a", "2");
  WriteWhole(path, "");
  StateStore(files, path).Set("a", "3");

  EXPECT_EQ(ReadWhole(path + ".unreadable"), R"({"layouts.v2":"{}", "cut short)");
  EXPECT_EQ(ReadWhole(path + ".unreadable-2"), R"(["an array, not an object"])");
  EXPECT_EQ(ReadWhole(path + ".unreadable-3"), "");
  EXPECT_EQ(ReadWhole(path), R"({"a":"3"})");
}

TEST_F(StateStoreTest, AFileThatCannotBeKeptAsideIsNotOverwritten) {
  WriteWhole(path, "garbage");
  StateStore store(files, path);
  files.fault = Fault::kRenameFails;
  store.Set("a", "1");
  EXPECT_EQ(ReadWhole(path), "garbage");
  EXPECT_EQ(store.Get("a"), "1");

  ASSERT_EQ(logged.size(), 1u);
  EXPECT_EQ(logged[0], "state: could not keep unreadable " + path + " aside; not overwriting it\n");

  // Once renames work again, the next change keeps the file and writes.
  files.fault = Fault::kNone;
  store.Set("b", "2");
  EXPECT_EQ(ReadWhole(path + ".unreadable"), "garbage");
  EXPECT_EQ(ReadWhole(path), R"({"a":"1","b":"2"})");
}

TEST_F(StateStoreTest, FailedWritesLeaveThePreviousFileAndKeepTheValueInMemory) {
  WriteWhole(path, R"({"layouts.v2":"old"})");
  StateStore store(files, path);

  files.fault = Fault::kCannotCreate;  // a read-only folder
  store.Set("layouts.v2", "new");
  EXPECT_EQ(ReadWhole(path), R"({"layouts.v2":"old"})");
  EXPECT_EQ(store.Get("layouts.v2"), "new");

  files.fault = Fault::kDiskFull;  // a torn temporary file, never the real one
  store.Set("activeLayouts.v1", "x");
  EXPECT_EQ(ReadWhole(path), R"({"layouts.v2":"old"})");
  EXPECT_TRUE(logged.empty());  // failures are silent

  files.fault = Fault::kNone;
  store.Set("customLayouts.v1", "y");
  EXPECT_EQ(ReadWhole(path),
            R"({"layouts.v2":"new","activeLayouts.v1":"x","customLayouts.v1":"y"})");
  EXPECT_FALSE(files.Exists(path + ".tmp"));
}

TEST_F(StateStoreTest, ACrashBeforeTheRenameLeavesTheOldFileWhole) {
  WriteWhole(path, R"({"layouts.v2":"old"})");
  {
    StateStore store(files, path);
    files.fault = Fault::kCrashBeforeRename;
    store.Set("layouts.v2", "new");
  }
  ASSERT_TRUE(files.crashed);
  EXPECT_EQ(ReadWhole(path + ".tmp"), R"({"layouts.v2":"new"})");  // complete, but not in place

  // The next run reads the old file whole and ignores the leftover.
  TestFileSystem restarted;
  StateStore store(restarted, path);
  EXPECT_EQ(store.Get("layouts.v2"), "old");
  store.Set("activeLayouts.v1", "a");
  EXPECT_EQ(ReadWhole(path), R"({"layouts.v2":"old","activeLayouts.v1":"a"})");
  EXPECT_FALSE(restarted.Exists(path + ".tmp"));
}

TEST_F(StateStoreTest, ASaveIsATemporaryWriteThenOneRename) {
  StateStore store(files, path);
  store.Set("k", "v");
  ASSERT_EQ(files.changes.size(), 2u);
  EXPECT_EQ(files.changes[0], "write " + path + ".tmp");
  EXPECT_EQ(files.changes[1], "replace " + path + ".tmp " + path);
}

TEST_F(StateStoreTest, AFolderThatIsNotThereFailsQuietly) {
  std::string nowhere = JoinPath(temp.File("missing"), "layouts.json");
  StateStore store(files, nowhere);
  store.Set("k", "v");
  EXPECT_EQ(store.Get("k"), "v");
  EXPECT_FALSE(files.Exists(nowhere));
}

TEST_F(StateStoreTest, AtomicWriteFileReportsOnlyACompletedRename) {
  std::string exported = temp.File("export.json");
  EXPECT_TRUE(AtomicWriteFile(files, exported, "[1]"));
  EXPECT_EQ(ReadWhole(exported), "[1]");
  EXPECT_TRUE(AtomicWriteFile(files, exported, "[2]"));
  EXPECT_EQ(ReadWhole(exported), "[2]");

  files.fault = Fault::kCrashBeforeRename;
  EXPECT_FALSE(AtomicWriteFile(files, exported, "[3]"));
  EXPECT_EQ(ReadWhole(exported), "[2]");

  files.crashed = false;
  files.fault = Fault::kCannotCreate;
  EXPECT_FALSE(AtomicWriteFile(files, exported, "[4]"));
  EXPECT_EQ(ReadWhole(exported), "[2]");
  EXPECT_FALSE(AtomicWriteFile(files, "", "[5]"));
}

}  // namespace
}  // namespace tessary

namespace tessary {
namespace {

// Badge positions live in their own file: losing it to damage costs the positions only.
TEST(BadgesFile, AnUnreadableBadgesFileLosesNothingElse) {
  testing::TempFolder temp;
  testing::TestFileSystem files;
  const std::string badges = temp.File("badges.json");
  const std::string layouts = temp.File("layouts.json");
  const std::string layoutsText = R"({"activeLayouts.v1":"{\"D1\":\"halves\"}"})";
  testing::WriteWhole(layouts, layoutsText);
  testing::WriteWhole(badges, R"({"badgePlacements.v2":"{\"D1\":[{\"slot\":[1,2)");

  StateStore badgeStore(files, badges);
  StateStore layoutStore(files, layouts);
  EXPECT_TRUE(ParseBadgePlacements(badgeStore.Get(kBadgePlacementsKey)).empty());
  EXPECT_EQ(layoutStore.Get("activeLayouts.v1"), R"({"D1":"halves"})");

  BadgePlacements placements;
  placements["D1"].push_back({{960, 0, 960, 1040}, true, 40, 300});
  badgeStore.Set(kBadgePlacementsKey, WriteBadgePlacements(placements));
  EXPECT_EQ(testing::ReadWhole(badges + ".unreadable"),
            R"({"badgePlacements.v2":"{\"D1\":[{\"slot\":[1,2)");
  EXPECT_EQ(testing::ReadWhole(layouts), layoutsText);
  StateStore reread(files, badges);
  EXPECT_EQ(ParseBadgePlacements(reread.Get(kBadgePlacementsKey)), placements);
}

}  // namespace
}  // namespace tessary
