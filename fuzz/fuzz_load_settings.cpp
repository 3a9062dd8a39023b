// Settings from any bytes: LoadSettings never crashes, gives a record whose values are
// all within their kinds and ranges, and that record survives SaveSettings and
// LoadSettings unchanged. A file that could not be read is kept aside byte for byte
// before the save replaces it.

#include <cstdint>
#include <cstdlib>
#include <map>
#include <string>

#include "state/settings_file.h"

namespace {

using namespace tessary;

// Files in memory, so that every input runs the whole load and save path quickly.
class MemoryFiles : public FileSystem {
 public:
  FileRead ReadFile(const std::string& path, std::size_t maxBytes) override {
    FileRead read;
    auto found = files.find(path);
    if (found == files.end()) return read;
    read.status = ReadStatus::kOk;
    read.truncated = found->second.size() > maxBytes;
    read.bytes = found->second.substr(0, maxBytes);
    return read;
  }
  bool WriteFile(const std::string& path, std::string_view bytes) override {
    files[path] = std::string(bytes);
    return true;
  }
  bool RenameReplacing(const std::string& from, const std::string& to) override {
    auto found = files.find(from);
    if (found == files.end()) return false;
    files[to] = std::move(found->second);
    files.erase(from);
    return true;
  }
  bool CreateFolder(const std::string&) override { return true; }
  bool Exists(const std::string& path) override { return files.count(path) != 0; }
  bool RemoveFile(const std::string& path) override { return files.erase(path) != 0; }
  std::optional<std::string> LocalAppDataFolder() override { return std::nullopt; }
  std::optional<std::string> EnvironmentVariable(const std::string&) override {
    return std::nullopt;
  }

  std::map<std::string, std::string> files;
};

void Check(bool condition) {
  if (!condition) std::abort();
}

void CheckRanges(const Settings& settings) {
  Check(settings.stackOrder == "lastUsed" || settings.stackOrder == "name");
  int effect = EffectIndex(settings.stackTransition);
  Check(effect >= 0 && effect < kEffectCount);
  for (const MouseShortcut& mouse : settings.mouseShortcuts) {
    Check(mouse.button >= kMouseMiddle || mouse == MouseShortcut{});
  }
}

bool HasNul(const Settings& settings) {
  auto nul = [](const std::string& text) { return text.find('\0') != std::string::npos; };
  if (nul(settings.stackTransition) || nul(settings.lastSeenVersion)) return true;
  for (const std::string& tip : settings.tipsShown) {
    if (nul(tip)) return true;
  }
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string path = "settings.json";
  std::string input(reinterpret_cast<const char*>(data), size);

  MemoryFiles files;
  files.files[path] = input;
  bool parsed = false;
  Settings loaded = LoadSettings(files, path);
  ParseSettings(input, &parsed);
  CheckRanges(loaded);
  if (!parsed) Check(loaded == Settings{});

  SaveSettings(files, loaded, path);
  if (!parsed) Check(files.files.at(path + ".unreadable") == input);
  Settings reloaded = LoadSettings(files, path);
  CheckRanges(reloaded);
  // An escaped NUL reads as nothing, so a raw NUL inside a string is dropped by the first
  // save; from there on the record is a fixed point.
  if (HasNul(loaded)) {
    SaveSettings(files, reloaded, path);
    Check(LoadSettings(files, path) == reloaded);
  } else {
    Check(reloaded == loaded);
  }
  Check(SerializeSettings(reloaded) == files.files.at(path));
  return 0;
}
