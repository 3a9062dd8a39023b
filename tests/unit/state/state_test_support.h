#pragma once

// Shared by the state tests: a temporary folder on the real disk, the system's own file
// system (POSIX natively, Win32 under Wine), and a file system built on it that can
// answer for the user's folders and put faults between the steps of a save.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#if defined(_WIN32)
#include "platform/win32/file_system_win32.h"
#else
#include "platform/posix/file_system_posix.h"
#endif

namespace tessary::testing {

#if defined(_WIN32)
using SystemFileSystem = Win32FileSystem;
#else
using SystemFileSystem = PosixFileSystem;
#endif

// Paths are UTF-8 in the program; std::filesystem would read a narrow one in the code page.
inline std::filesystem::path FsPath(const std::string& utf8) {
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

// Made empty under the system's temporary folder; removed with everything in it.
class TempFolder {
 public:
  TempFolder() {
    std::random_device random;
    const std::filesystem::path base = std::filesystem::temp_directory_path();
    std::error_code error;
    do path_ = base / ("tessary-state-" + std::to_string(random()));
    while (!std::filesystem::create_directory(path_, error));
  }
  ~TempFolder() {
    std::error_code error;
    std::filesystem::remove_all(path_, error);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  std::string Path() const {
    const std::u8string text = path_.u8string();
    return std::string(text.begin(), text.end());
  }
  std::string File(std::string_view name) const { return JoinPath(Path(), name); }

 private:
  std::filesystem::path path_;
};

// Whole-file helpers that do not go through the code under test.
inline std::optional<std::string> ReadWhole(const std::string& path) {
  std::ifstream file(FsPath(path), std::ios::binary);
  if (!file) return std::nullopt;
  std::ostringstream bytes;
  bytes << file.rdbuf();
  return bytes.str();
}
inline void WriteWhole(const std::string& path, const std::string& bytes) {
  std::ofstream(FsPath(path), std::ios::binary) << bytes;
}
inline bool IsFolder(const std::string& path) {
  std::error_code error;
  return std::filesystem::is_directory(FsPath(path), error);
}

enum class Fault {
  kNone,
  kCannotCreate,  // the temporary file cannot be created (read-only folder)
  kDiskFull,      // half of the bytes reach the temporary file, then the write fails
  kRenameFails,   // every rename is refused: a locked file, or a crash before the rename
};

// Every call that changes the disk is noted in `changes` as "write <path>",
// "replace <from> <to>", "folder <path>" or "remove <path>".
class TestFileSystem : public SystemFileSystem {
 public:
  bool WriteFile(const std::string& path, std::string_view bytes) override {
    changes.push_back("write " + path);
    if (fault == Fault::kCannotCreate) return false;
    if (fault != Fault::kDiskFull) return SystemFileSystem::WriteFile(path, bytes);
    SystemFileSystem::WriteFile(path, bytes.substr(0, bytes.size() / 2));
    return false;
  }
  bool RenameReplacing(const std::string& from, const std::string& to) override {
    if (fault == Fault::kRenameFails) return false;
    changes.push_back("replace " + from + " " + to);
    return SystemFileSystem::RenameReplacing(from, to);
  }
  bool CreateFolder(const std::string& path) override {
    changes.push_back("folder " + path);
    return SystemFileSystem::CreateFolder(path);
  }
  bool RemoveFile(const std::string& path) override {
    changes.push_back("remove " + path);
    return SystemFileSystem::RemoveFile(path);
  }
  std::optional<std::string> LocalAppDataFolder() override { return localAppData; }
  std::optional<std::string> EnvironmentVariable(const std::string& name) override {
    const auto found = environment.find(name);
    if (found == environment.end()) return std::nullopt;
    return found->second;
  }

  std::optional<std::string> localAppData;
  std::map<std::string, std::string> environment;
  Fault fault = Fault::kNone;
  std::vector<std::string> changes;
};

// A fresh temporary folder and the recording file system for each test.
class TempFolderTest : public ::testing::Test {
 protected:
  TempFolder temp;
  TestFileSystem files;
};

}  // namespace tessary::testing
