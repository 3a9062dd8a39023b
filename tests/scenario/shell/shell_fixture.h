#pragma once

// A running copy of the program on the simulated desktop: the shell with its simulated
// host, an in-memory state folder, a sign-in entry and the log lines it writes.

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/log.h"
#include "platform/file_system.h"
#include "platform/sim/sim_desktop.h"
#include "platform/sim/sim_key_names.h"
#include "platform/sim/sim_shell_host.h"
#include "platform/sim/sim_surface.h"
#include "platform/sim/sim_theme_source.h"
#include "platform/startup_entry.h"
#include "shell/shell.h"

namespace tessary::testing {

// Files in memory, so the stories never touch a real disk.
class MemoryFiles : public FileSystem {
 public:
  FileRead ReadFile(const std::string& path, std::size_t maxBytes) override {
    auto it = files.find(path);
    if (it == files.end()) return {};
    FileRead read;
    read.status = ReadStatus::kOk;
    read.bytes = it->second.substr(0, maxBytes);
    read.truncated = it->second.size() > maxBytes;
    return read;
  }
  bool WriteFile(const std::string& path, std::string_view bytes) override {
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
    return files.count(path) > 0 ||
           std::find(folders.begin(), folders.end(), path) != folders.end();
  }
  bool RemoveFile(const std::string& path) override { return files.erase(path) > 0; }
  std::optional<std::string> LocalAppDataFolder() override { return std::nullopt; }
  std::optional<std::string> EnvironmentVariable(const std::string& name) override {
    if (name == "TESSARY_STATE_DIR") return std::string("state");
    return std::nullopt;
  }

  std::string SettingsFile() const { return Read(JoinPath("state", "settings.json")); }
  std::string Read(const std::string& path) const {
    auto it = files.find(path);
    return it == files.end() ? std::string() : it->second;
  }

  std::map<std::string, std::string> files;
  std::vector<std::string> folders;
  int writes = 0;
};

// Hands out surfaces until `allowed` have been made, then none (a failing system).
class RationedSurfaces : public SurfaceFactory {
 public:
  explicit RationedSurfaces(SurfaceFactory& inner) : inner_(inner) {}
  std::unique_ptr<Surface> NewSurface() override {
    if (allowed >= 0 && made_ >= allowed) return nullptr;
    ++made_;
    return inner_.NewSurface();
  }
  TextMeasurer& Text() override { return inner_.Text(); }

  int allowed = -1;  // -1: no limit

 private:
  SurfaceFactory& inner_;
  int made_ = 0;
};

// Log lines of the test, for the few stories that are about what is logged.
class LogLines {
 public:
  LogLines() {
    SetLogRecorder([this](std::string_view line) { lines.emplace_back(line); });
  }
  ~LogLines() { SetLogRecorder(nullptr); }
  bool Contains(std::string_view text) const {
    return std::any_of(lines.begin(), lines.end(), [&](const std::string& line) {
      return line.find(text) != std::string::npos;
    });
  }
  std::vector<std::string> lines;
};

class ShellTest : public ::testing::Test {
 protected:
  ShellTest() : surfaces(desk.Surfaces()) {
    display = desk.AddDisplay({.bounds = {0, 0, 1920, 1080},
                               .work = {0, 0, 1920, 1040},
                               .friendlyName = "Studio Display"});
  }

  ShellEnvironment Environment(SimShellHost& onHost) {
    return ShellEnvironment{desk.platform(), onHost.Host(), surfaces, theme,
                            files,           startup,       keyNames, [this] { return unixTime; }};
  }

  // Starts the program; the exit code when it ended at once.
  std::optional<int> Start(const std::vector<std::string>& arguments = {}) {
    shell = std::make_unique<Shell>(Environment(host));
    std::optional<int> early = shell->Start(arguments);
    host.Pump(desk);
    return early;
  }
  void StartOrFail(const std::vector<std::string>& arguments = {}) {
    ASSERT_EQ(Start(arguments), std::nullopt);
  }
  void Run(double seconds) { host.Advance(desk, seconds); }
  void Pump() { host.Pump(desk); }

  // Settings as a file the program finds at start-up.
  void StoreSettings(const std::string& json) {
    files.files[JoinPath("state", "settings.json")] = json;
  }
  // The settings file already knows this version: no greeting.
  void SeenThisVersion() { StoreSettings(R"({"lastSeenVersion":"1.4.2"})"); }

  const std::vector<std::string>& Journal() const { return host.Journal(); }
  // The position of the first journal entry starting with `prefix`; -1 when absent.
  int JournalIndex(const std::string& prefix) const {
    for (std::size_t i = 0; i < Journal().size(); ++i) {
      if (Journal()[i].rfind(prefix, 0) == 0) return static_cast<int>(i);
    }
    return -1;
  }

  WindowId AddApp(Rect frame, const std::string& className = "SimAppWindow") {
    return desk.AddWindow({.className = className, .frame = frame});
  }

  LogLines log;
  SimDesktop desk;
  RationedSurfaces surfaces;
  SimShellHost host;
  SimThemeSource theme;
  SimKeyNames keyNames;
  MemoryStartupEntry startup;
  MemoryFiles files;
  std::int64_t unixTime = 1700000000;
  MonitorId display{};
  std::unique_ptr<Shell> shell;
};

// Finds an item by id anywhere in the menu; null when absent.
inline const MenuItem* FindItem(const std::vector<MenuItem>& items, int id) {
  for (const MenuItem& item : items) {
    if (item.kind != MenuItemKind::kSubmenu && item.kind != MenuItemKind::kSeparator &&
        item.id == id) {
      return &item;
    }
    if (item.kind == MenuItemKind::kSubmenu) {
      if (const MenuItem* found = FindItem(item.children, id)) return found;
    }
  }
  return nullptr;
}
inline const MenuItem* FindSubmenu(const std::vector<MenuItem>& items, const std::string& label) {
  for (const MenuItem& item : items) {
    if (item.kind == MenuItemKind::kSubmenu && item.label == label) return &item;
  }
  return nullptr;
}

}  // namespace tessary::testing
