#pragma once

// Files in memory, so that tests never touch a real disk: what was read, written, appended
// and removed, a disk that refuses writes, files that are there but cannot be opened, and
// the environment's variables.

#include <algorithm>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/file_system.h"

namespace tessary::testing {

class MemoryFiles : public FileSystem {
 public:
  FileRead ReadFile(const std::string& path, std::size_t maxBytes) override {
    if (note) note("read " + path);
    if (unreadable.count(path)) return FileRead{ReadStatus::kFailed, {}, false};
    auto it = files.find(path);
    if (it == files.end()) return {};
    return FileRead{ReadStatus::kOk, it->second.substr(0, maxBytes), it->second.size() > maxBytes};
  }
  bool WriteFile(const std::string& path, std::string_view bytes) override {
    if (note) note("write " + path);
    if (failWrites) return false;
    ++writes;
    files[path] = std::string(bytes);
    return true;
  }
  bool RenameReplacing(const std::string& from, const std::string& to) override {
    auto it = files.find(from);
    if (it == files.end()) return false;
    files[to] = it->second;
    files.erase(it);
    return true;
  }
  bool CreateFolder(const std::string& path) override {
    folders.push_back(path);
    return true;
  }
  bool Exists(const std::string& path) override {
    return files.count(path) > 0 || std::count(folders.begin(), folders.end(), path) > 0;
  }
  bool RemoveFile(const std::string& path) override { return files.erase(path) > 0; }
  bool AppendToFile(const std::string& path, std::string_view bytes) override {
    files[path] += bytes;
    return true;
  }
  std::vector<std::string> ListFiles(const std::string& folder, std::string_view prefix,
                                     std::string_view suffix) override {
    std::vector<std::string> names;
    for (const auto& [path, bytes] : files) {
      const std::string name = path.substr(path.rfind(kPathSeparator) + 1);
      if (JoinPath(folder, name) == path && NameMatches(name, prefix, suffix)) names.push_back(name);
    }
    return names;
  }
  std::optional<std::string> LocalAppDataFolder() override { return std::nullopt; }
  std::optional<std::string> EnvironmentVariable(const std::string& name) override {
    auto it = environment.find(name);
    if (it == environment.end()) return std::nullopt;
    return it->second;
  }

  std::map<std::string, std::string> files;
  std::vector<std::string> folders;
  std::set<std::string> unreadable;  // there, but cannot be opened
  bool failWrites = false;           // a full disk or a locked file
  int writes = 0;
  std::map<std::string, std::string> environment;
  std::function<void(std::string)> note;  // told of every read and write
};

}  // namespace tessary::testing
