#include "state/state_store.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/log.h"
#include "state/atomic_write.h"
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

TEST_F(StateStoreTest, MissingFileStartsEmptyAndTheFirstSetWritesItThroughATemporaryFile) {
  StateStore store(files, path);
  EXPECT_EQ(store.Get("layouts.v2"), "");
  store.Set("layouts.v2", R"({"D1":{}})");
  EXPECT_EQ(ReadWhole(path), R"({"layouts.v2":"{\"D1\":{}}"})");
  EXPECT_EQ(files.changes, (std::vector<std::string>{"write " + path + ".tmp",
                                                     "replace " + path + ".tmp " + path}));
  EXPECT_TRUE(logged.empty());
}

TEST_F(StateStoreTest, GetTakesTheFirstOfDuplicatesAndSetReplacesEveryOne) {
  WriteWhole(path, R"({"k":"first","other":"o","k":"second","n":{"x":1}})");
  StateStore store(files, path);
  EXPECT_EQ(store.Get("k"), "first");
  EXPECT_EQ(store.Get("n"), "");  // not a string: Get gives nothing, but it is kept
  store.Set("k", "new");
  EXPECT_EQ(ReadWhole(path), R"({"k":"new","other":"o","k":"new","n":{"x":1}})");
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

// A read-only folder, a full disk (a torn temporary file) or a crash before the rename:
// the previous file stays whole, the value stays in memory and nothing is said.
TEST_F(StateStoreTest, AFailedWriteLeavesThePreviousFile) {
  for (const Fault fault : {Fault::kCannotCreate, Fault::kDiskFull, Fault::kCrashBeforeRename}) {
    WriteWhole(path, R"({"layouts.v2":"old"})");
    TestFileSystem failing;
    StateStore store(failing, path);
    failing.fault = fault;
    store.Set("layouts.v2", "new");
    EXPECT_EQ(ReadWhole(path), R"({"layouts.v2":"old"})");
    EXPECT_EQ(store.Get("layouts.v2"), "new");
    failing.fault = Fault::kNone;
    failing.crashed = false;
    store.Set("activeLayouts.v1", "a");
    EXPECT_EQ(ReadWhole(path), R"({"layouts.v2":"new","activeLayouts.v1":"a"})");
    EXPECT_FALSE(failing.Exists(path + ".tmp"));
  }
  EXPECT_TRUE(logged.empty());
}

TEST_F(StateStoreTest, AtomicWriteFileReportsOnlyACompletedRename) {
  const std::string exported = temp.File("export.json");
  EXPECT_TRUE(AtomicWriteFile(files, exported, "[1]"));
  EXPECT_EQ(ReadWhole(exported), "[1]");
  for (const Fault fault : {Fault::kCannotCreate, Fault::kDiskFull, Fault::kRenameFails}) {
    files.fault = fault;
    EXPECT_FALSE(AtomicWriteFile(files, exported, "[2]"));
    EXPECT_EQ(ReadWhole(exported), "[1]");
  }
  EXPECT_FALSE(AtomicWriteFile(files, JoinPath(temp.File("missing"), "x.json"), "[3]"));
}

}  // namespace
}  // namespace tessary
