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
using testing::WriteWhole;

class StateStoreTest : public testing::TempFolderTest {
 protected:
  void SetUp() override {
    SetLogRecorder([this](std::string_view line) { logged.emplace_back(line); });
  }
  void TearDown() override { SetLogRecorder(nullptr); }

  std::string path = temp.File("layouts.json");
  std::vector<std::string> logged;
};

TEST_F(StateStoreTest, MissingFileStartsEmptyAndTheFirstSetWritesItThroughATemporaryFile) {
  StateStore store(files, path);
  EXPECT_EQ(store.Get("layouts.v2"), "");
  store.Set("layouts.v2", R"({"D1":{}})");
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

// Cut short, not an object, empty, or a valid object padded past 8 MiB: the store starts
// empty, and the first write keeps the file aside without overwriting an earlier copy.
TEST_F(StateStoreTest, UnreadableFilesLoadEmptyAndAreKeptAsideBeforeTheNextWrite) {
  const std::string unreadable[] = {
      R"({"layouts.v2":"{}", "cut short)", R"(["an array, not an object"])", "",
      R"({"layouts.v2":"{}","pad":")" + std::string(9 * 1024 * 1024, 'p') + "\"}"};
  const char* const kept[] = {".unreadable", ".unreadable-2", ".unreadable-3", ".unreadable-4"};
  for (const std::string& text : unreadable) {
    WriteWhole(path, text);
    StateStore store(files, path);
    EXPECT_EQ(store.Get("layouts.v2"), "");
    EXPECT_EQ(ReadWhole(path), text);  // loading alone changes nothing
    store.Set("a", "1");
    store.Set("b", "2");  // only the first write moves anything
  }
  for (int i = 0; i < 4; ++i) EXPECT_EQ(ReadWhole(path + kept[i]), unreadable[i]) << kept[i];
  EXPECT_FALSE(files.Exists(path + ".unreadable-5"));
  EXPECT_EQ(ReadWhole(path), R"({"a":"1","b":"2"})");
  ASSERT_EQ(logged.size(), 4u);
  EXPECT_EQ(logged[0], "state: kept unreadable " + path + " as " + path + ".unreadable\n");
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
  for (const Fault fault : {Fault::kCannotCreate, Fault::kDiskFull, Fault::kRenameFails}) {
    WriteWhole(path, R"({"layouts.v2":"old"})");
    testing::TestFileSystem failing;
    StateStore store(failing, path);
    failing.fault = fault;
    store.Set("layouts.v2", "new");
    EXPECT_EQ(ReadWhole(path), R"({"layouts.v2":"old"})");
    EXPECT_EQ(store.Get("layouts.v2"), "new");
    failing.fault = Fault::kNone;
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
