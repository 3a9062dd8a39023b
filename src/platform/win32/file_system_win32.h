#pragma once

// The file system of Windows: wide paths at the system calls, UTF-8 paths in the program.

#include "platform/file_system.h"

namespace tessary {

class Win32FileSystem : public FileSystem {
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
  std::optional<std::string> LocalAppDataFolder() override;
  std::optional<std::string> EnvironmentVariable(const std::string& name) override;
};

}  // namespace tessary
