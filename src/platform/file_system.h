#pragma once

// The few file operations that the state files need. Paths are UTF-8 in the program and
// use the platform's separator; the backends convert at their edge. An interface, so that
// tests can put a failing disk or a crash between two steps under the code that saves.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tessary {

#if defined(_WIN32)
inline constexpr char kPathSeparator = '\\';
#else
inline constexpr char kPathSeparator = '/';
#endif

enum class ReadStatus {
  kOk,
  kMissing,  // there is no such file
  kFailed,   // the file is there but could not be opened or read
};

struct FileRead {
  ReadStatus status = ReadStatus::kMissing;
  std::string bytes;       // at most the requested number of bytes, from the start
  bool truncated = false;  // the file was longer than what was read
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // Reads up to `maxBytes` from the start of the file; others may read it meanwhile.
  virtual FileRead ReadFile(const std::string& path, std::size_t maxBytes) = 0;
  // Creates or truncates the file, unshared, and writes all bytes; true only when every
  // byte was written and the file was closed without error.
  virtual bool WriteFile(const std::string& path, std::string_view bytes) = 0;
  // Renames `from` onto `to`, replacing `to` if it exists, in one step.
  virtual bool RenameReplacing(const std::string& from, const std::string& to) = 0;
  // Creates one folder (not its parents); true when it exists afterwards.
  virtual bool CreateFolder(const std::string& path) = 0;
  virtual bool Exists(const std::string& path) = 0;
  virtual bool RemoveFile(const std::string& path) = 0;
  // Appends to the file, creating it when missing; others may read it meanwhile. True
  // when every byte was written. (The diagnostics recording grows line by line.)
  virtual bool AppendToFile(const std::string& path, std::string_view bytes) = 0;
  // The names (not paths) of the files in `folder` that start with `prefix` and end with
  // `suffix`, in no particular order; empty when the folder cannot be read.
  virtual std::vector<std::string> ListFiles(const std::string& folder, std::string_view prefix,
                                             std::string_view suffix) = 0;
  // The per-user local application data folder; absent when the system has none.
  virtual std::optional<std::string> LocalAppDataFolder() = 0;
  // The value of an environment variable; absent when it is not defined at all.
  virtual std::optional<std::string> EnvironmentVariable(const std::string& name) = 0;
};

// `folder` + separator + `name`, without doubling a separator that `folder` ends with.
inline std::string JoinPath(std::string_view folder, std::string_view name) {
  std::string path(folder);
  if (!path.empty() && path.back() != kPathSeparator && path.back() != '/') {
    path.push_back(kPathSeparator);
  }
  path += name;
  return path;
}

// A file name as ListFiles selects it: the prefix, then anything, then the suffix.
inline bool NameMatches(std::string_view name, std::string_view prefix, std::string_view suffix) {
  return name.size() >= prefix.size() + suffix.size() && name.substr(0, prefix.size()) == prefix &&
         name.substr(name.size() - suffix.size()) == suffix;
}

}  // namespace tessary
