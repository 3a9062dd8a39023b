#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <string>

#include "platform/win32/file_system_win32.h"
#include "platform/win32/wide_text.h"
#include "state/atomic_write.h"
#include "state/state_folder.h"

namespace tessary {
namespace {

// A folder with characters outside ASCII in its name, so that every call has to go
// through the wide forms.
class Win32FilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = std::filesystem::temp_directory_path() /
             (L"tessary-\u00e9t\u00e9-\U0001F600-" + std::to_wstring(GetCurrentProcessId()));
    std::filesystem::remove_all(folder);
    ASSERT_TRUE(files.CreateFolder(Utf8FromWide(folder.wstring())));
  }
  void TearDown() override { std::filesystem::remove_all(folder); }

  std::string File(const char* name) { return JoinPath(Utf8FromWide(folder.wstring()), name); }

  Win32FileSystem files;
  std::filesystem::path folder;
};

TEST_F(Win32FilesTest, ReadsWithSharingTellsMissingFromLockedAndSavesWhole) {
  std::string path = File("settings.json");
  ASSERT_TRUE(files.WriteFile(path, "0123456789"));

  // Another reader does not stop us.
  HANDLE reader = CreateFileW(WideFromUtf8(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(reader, INVALID_HANDLE_VALUE);
  FileRead read = files.ReadFile(path, 4);
  EXPECT_EQ(read.status, ReadStatus::kOk);
  EXPECT_EQ(read.bytes, "0123");
  EXPECT_TRUE(read.truncated);
  CloseHandle(reader);

  // A writer that shares nothing does, and the file is not reported missing.
  HANDLE writer = CreateFileW(WideFromUtf8(path).c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(writer, INVALID_HANDLE_VALUE);
  EXPECT_EQ(files.ReadFile(path, 100).status, ReadStatus::kFailed);
  // Nor can a save replace it meanwhile; the store keeps its value in memory.
  EXPECT_FALSE(AtomicWriteFile(files, path, "x"));
  CloseHandle(writer);
  EXPECT_EQ(files.ReadFile(path, 100).bytes, "0123456789");
  // Once it is free, a save replaces it whole and leaves no temporary file.
  ASSERT_TRUE(AtomicWriteFile(files, path, "new contents"));
  EXPECT_EQ(files.ReadFile(path, 100).bytes, "new contents");
  EXPECT_FALSE(files.Exists(path + ".tmp"));
  EXPECT_TRUE(files.RemoveFile(path));
  EXPECT_FALSE(files.Exists(path));

  EXPECT_EQ(files.ReadFile(File("none.json"), 100).status, ReadStatus::kMissing);
  EXPECT_EQ(files.ReadFile(JoinPath(File("no-folder"), "x.json"), 100).status,
            ReadStatus::kMissing);
}

// The override, read as wide text (the folder's name is not ASCII). (An ASCII override: every
// e2e story; the folder in the user's local application data: the install e2e story.)
TEST_F(Win32FilesTest, StateFolderHonoursANonAsciiOverride) {
  std::string override = File("state");
  ASSERT_TRUE(SetEnvironmentVariableW(L"TESSARY_STATE_DIR", WideFromUtf8(override).c_str()));
  std::string resolved = StateFolder(files);
  SetEnvironmentVariableW(L"TESSARY_STATE_DIR", nullptr);
  EXPECT_EQ(resolved, override);
  EXPECT_TRUE(files.Exists(override));
}

}  // namespace
}  // namespace tessary
