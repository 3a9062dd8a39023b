#pragma once

// The file system of a POSIX system: the native build, where the tests run.

#include "platform/file_system.h"

namespace tessary {

class PosixFileSystem : public FileSystem {
 public:
  FileRead ReadFile(const std::string& path, std::size_t maxBytes) override;
  bool WriteFile(const std::string& path, std::string_view bytes) override;
  bool RenameReplacing(const std::string& from, const std::string& to) override;
  bool CreateFolder(const std::string& path) override;
  bool Exists(const std::string& path) override;
  bool RemoveFile(const std::string& path) override;
  bool AppendToFile(const std::string& path, std::string_view bytes) override;
  std::vector<std::string> ListFiles(const std::string& folder, std::string_view prefix,
                                     std::string_view suffix) override;
  // $XDG_DATA_HOME, else $HOME/.local/share: the per-user data folder here.
  std::optional<std::string> LocalAppDataFolder() override;
  std::optional<std::string> EnvironmentVariable(const std::string& name) override;
};

}  // namespace tessary
