#pragma once

// Files in memory for the services' tests: what was written, appended and removed.

#include <map>
#include <string>

#include "platform/file_system.h"

namespace tessary::testing {

class MemoryFiles : public FileSystem {
 public:
  FileRead ReadFile(const std::string& path, std::size_t maxBytes) override {
    auto it = files.find(path);
    if (it == files.end()) return {};
    return FileRead{ReadStatus::kOk, it->second.substr(0, maxBytes), it->second.size() > maxBytes};
  }
  bool WriteFile(const std::string& path, std::string_view bytes) override {
    if (failWrites) return false;
    files[path] = std::string(bytes);
    return true;
  }
  bool RenameReplacing(const std::string&, const std::string&) override { return false; }
  bool CreateFolder(const std::string&) override { return true; }
  bool Exists(const std::string& path) override { return files.count(path) > 0; }
  bool RemoveFile(const std::string& path) override { return files.erase(path) > 0; }
  bool AppendToFile(const std::string& path, std::string_view bytes) override {
    files[path] += bytes;
    return true;
  }
  std::vector<std::string> ListFiles(const std::string& folder, std::string_view prefix,
                                     std::string_view suffix) override {
    std::vector<std::string> names;
    for (const auto& [path, bytes] : files) {
      const std::string name = path.substr(folder.size() + 1);
      if (path.rfind(folder, 0) == 0 && NameMatches(name, prefix, suffix)) names.push_back(name);
    }
    return names;
  }
  std::optional<std::string> LocalAppDataFolder() override { return std::nullopt; }
  std::optional<std::string> EnvironmentVariable(const std::string&) override {
    return std::nullopt;
  }

  std::map<std::string, std::string> files;
  bool failWrites = false;
};

}  // namespace tessary::testing
