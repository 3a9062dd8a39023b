#pragma once

// Shared by the state tests: a temporary folder on the real disk, the system's own file
// system (POSIX natively, Win32 under Wine), and a file system built on it that can
// answer for the user's folders and put faults between the steps of a save.

#include <filesystem>
#include <map>
#include <optional>
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

// Made empty under the system's temporary folder; removed with everything in it.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::string& Path() const { return path_; }
  std::string File(std::string_view name) const { return JoinPath(path_, name); }

 private:
  std::string path_;
};

// Whole-file helpers that do not go through the code under test.
std::optional<std::string> ReadWhole(const std::string& path);
void WriteWhole(const std::string& path, const std::string& bytes);
bool IsFolder(const std::string& path);

enum class Fault {
  kNone,
  kCannotCreate,       // the temporary file cannot be created (read-only folder)
  kDiskFull,           // half of the bytes reach the temporary file, then the write fails
  kCrashBeforeRename,  // the process dies after the temporary write, before the rename
  kRenameFails,        // every rename is refused (the file is locked by another program)
};

class TestFileSystem : public SystemFileSystem {
 public:
  bool WriteFile(const std::string& path, std::string_view bytes) override;
  bool RenameReplacing(const std::string& from, const std::string& to) override;
  bool CreateFolder(const std::string& path) override;
  bool RemoveFile(const std::string& path) override;
  std::optional<std::string> LocalAppDataFolder() override { return localAppData; }
  std::optional<std::string> EnvironmentVariable(const std::string& name) override;

  std::optional<std::string> localAppData;
  std::map<std::string, std::string> environment;
  Fault fault = Fault::kNone;
  // Every call that changes the disk, as "write <path>", "replace <from> <to>", ...
  std::vector<std::string> changes;
  bool crashed = false;  // set by kCrashBeforeRename: nothing more reaches the disk
};

}  // namespace tessary::testing
