#include "state/settings_file.h"

#include <cmath>

#include "layout/json_value.h"
#include "state/atomic_write.h"
#include "state/state_folder.h"

namespace tessary {
namespace {

// A number truncated to an integer within [low, high]; anything else (another kind, not
// a number, out of range) gives `fallback`, so that no file can produce a value that the
// record's type cannot hold.
template <typename Integer>
Integer TruncatedOr(const JsonValue* value, double low, double high, Integer fallback) {
  if (value == nullptr || !value->IsNumber()) return fallback;
  double number = std::trunc(value->AsNumber());
  if (!(number >= low && number < high)) return fallback;
  return static_cast<Integer>(number);
}

std::uint32_t ReadUint32(const JsonValue& object, std::string_view key) {
  return TruncatedOr<std::uint32_t>(Find(object, key), 0.0, 4294967296.0, 0);
}

void ReadBool(const JsonValue& document, std::string_view key, bool& field) {
  const JsonValue* value = Find(document, key);
  if (value != nullptr && value->IsBool()) field = value->AsBool();
}

void ReadString(const JsonValue& document, std::string_view key, std::string& field) {
  const JsonValue* value = Find(document, key);
  if (value != nullptr && value->IsString()) field = value->AsString();
}

// Each id of the table present in `object` sets its keys; a member without "vk" turns
// that shortcut off, and ids not present keep what they had.
template <std::size_t N>
void ReadKeyShortcuts(const JsonValue* object, const std::array<ShortcutInfo, N>& table,
                      std::array<KeyShortcut, N>& keys) {
  if (object == nullptr) return;
  for (std::size_t i = 0; i < N; ++i) {
    const JsonValue* entry = Find(*object, table[i].id);
    if (entry == nullptr) continue;
    keys[i] = KeyShortcut{ReadUint32(*entry, "vk"), ReadUint32(*entry, "mods")};
  }
}

// Only the shortcuts that differ from their defaults, in table order.
template <std::size_t N>
JsonValue KeyShortcutsJson(const std::array<ShortcutInfo, N>& table,
                           const std::array<KeyShortcut, N>& keys) {
  JsonValue object = JsonValue::MakeObject();
  for (std::size_t i = 0; i < N; ++i) {
    if (keys[i] == table[i].defaultShortcut) continue;
    JsonValue entry = JsonValue::MakeObject();
    entry.AddMember("vk", JsonValue(static_cast<double>(keys[i].key)));
    entry.AddMember("mods", JsonValue(static_cast<double>(keys[i].modifiers)));
    object.AddMember(std::string(table[i].id), std::move(entry));
  }
  return object;
}

}  // namespace

std::string SettingsPath(FileSystem& files) {
  return StateFilePath(StateFolder(files), kSettingsFileName);
}

Settings ParseSettings(std::string_view text, bool* parsed) {
  Settings settings;
  JsonValue document;
  bool ok = ParseJson(text, document) && document.IsObject();
  if (parsed != nullptr) *parsed = ok;
  if (!ok) return settings;

  ReadBool(document, "startAtLogin", settings.startAtLogin);
  ReadBool(document, "checkUpdates", settings.checkUpdates);
  ReadBool(document, "windowStacksEnabled", settings.windowStacksEnabled);
  ReadBool(document, "stackBadgesEnabled", settings.stackBadgesEnabled);
  ReadBool(document, "stackBadgesOnEdge", settings.stackBadgesOnEdge);
  if (const JsonValue* check = Find(document, "lastUpdateCheck")) {
    // Present but not a usable number gives 0, not the default (which is 0 as well).
    settings.lastUpdateCheck =
        TruncatedOr<std::int64_t>(check, -9223372036854775808.0, 9223372036854775808.0, 0);
  }
  ReadString(document, "stackTransition", settings.stackTransition);
  if (const JsonValue* order = Find(document, "stackOrder"); order && order->IsString()) {
    settings.stackOrder =
        std::string(order->AsString() == kStackOrderName ? kStackOrderName : kStackOrderLastUsed);
  }
  ReadString(document, "lastSeenVersion", settings.lastSeenVersion);
  if (const JsonValue* tips = Find(document, "tipsShown"); tips && tips->IsArray()) {
    for (const JsonValue& tip : tips->Elements()) {
      if (tip.IsString()) settings.tipsShown.insert(tip.AsString());
    }
  }

  ReadKeyShortcuts(Find(document, "shortcuts"), kShortcutTable, settings.shortcuts);
  ReadKeyShortcuts(Find(document, "moveShortcuts"), kMoveShortcutTable, settings.moveShortcuts);
  if (const JsonValue* mouse = Find(document, "mouseShortcuts")) {
    for (int i = 0; i < kShortcutCount; ++i) {
      const JsonValue* entry = Find(*mouse, kShortcutTable[i].id);
      if (entry == nullptr) continue;
      MouseShortcut shortcut{ReadUint32(*entry, "button"), ReadUint32(*entry, "mods")};
      // Codes below the middle button mean none, which is kept in one form only.
      settings.mouseShortcuts[i] = shortcut.button < kMouseMiddle ? MouseShortcut{} : shortcut;
    }
  }
  return settings;
}

std::string SerializeSettings(const Settings& settings) {
  JsonValue document = JsonValue::MakeObject();
  document.AddMember("startAtLogin", JsonValue(settings.startAtLogin));
  document.AddMember("checkUpdates", JsonValue(settings.checkUpdates));
  document.AddMember("lastUpdateCheck", JsonValue(static_cast<double>(settings.lastUpdateCheck)));
  document.AddMember("windowStacksEnabled", JsonValue(settings.windowStacksEnabled));
  document.AddMember("stackBadgesEnabled", JsonValue(settings.stackBadgesEnabled));
  document.AddMember("stackBadgesOnEdge", JsonValue(settings.stackBadgesOnEdge));
  document.AddMember("stackTransition", JsonValue(settings.stackTransition));
  document.AddMember("stackOrder", JsonValue(settings.stackOrder));
  document.AddMember("lastSeenVersion", JsonValue(settings.lastSeenVersion));
  JsonValue tips = JsonValue::MakeArray();
  for (const std::string& tip : settings.tipsShown) tips.Append(JsonValue(tip));  // ascending
  document.AddMember("tipsShown", std::move(tips));

  document.AddMember("shortcuts", KeyShortcutsJson(kShortcutTable, settings.shortcuts));

  JsonValue mouse = JsonValue::MakeObject();
  for (int i = 0; i < kShortcutCount; ++i) {
    const MouseShortcut& shortcut = settings.mouseShortcuts[i];
    if (shortcut.button < kMouseMiddle) continue;
    JsonValue entry = JsonValue::MakeObject();
    entry.AddMember("button", JsonValue(static_cast<double>(shortcut.button)));
    entry.AddMember("mods", JsonValue(static_cast<double>(shortcut.modifiers)));
    mouse.AddMember(std::string(kShortcutTable[i].id), std::move(entry));
  }
  document.AddMember("mouseShortcuts", std::move(mouse));
  // Written only when it holds something, so a file without changed move keys stays
  // exactly as earlier versions write it.
  JsonValue moves = KeyShortcutsJson(kMoveShortcutTable, settings.moveShortcuts);
  if (!moves.Members().empty()) document.AddMember("moveShortcuts", std::move(moves));
  return WriteJsonCompact(document);
}

Settings LoadSettings(FileSystem& files, const std::string& path) {
  if (path.empty()) return Settings{};
  FileRead read = files.ReadFile(path, kSettingsReadLimit);
  if (read.status != ReadStatus::kOk || read.truncated) return Settings{};
  return ParseSettings(read.bytes);
}

bool SaveSettings(FileSystem& files, const Settings& settings, const std::string& path) {
  if (path.empty()) return true;  // no state folder: kept in memory by design
  FileRead current = files.ReadFile(path, kSettingsReadLimit);
  if (current.status != ReadStatus::kMissing) {
    bool parsed = false;
    if (current.status == ReadStatus::kOk && !current.truncated) {
      ParseSettings(current.bytes, &parsed);
    }
    if (!parsed && !KeepUnreadableAside(files, path)) return false;
  }
  return AtomicWriteFile(files, path, SerializeSettings(settings));
}

}  // namespace tessary
