#pragma once

// settings.json: reading it with every value checked for its kind, and writing it in a
// fixed member order with only the shortcuts that differ from the defaults.

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/file_system.h"
#include "state/settings.h"

namespace tessary {

inline constexpr std::size_t kSettingsReadLimit = 1024 * 1024;

// The settings file in the state folder; empty (settings kept in memory) when there is
// no state folder.
std::string SettingsPath(FileSystem& files);

// The record a settings document gives: the defaults for anything missing, of the wrong
// kind or out of range; all defaults when the text is not a JSON object. `parsed` (when
// given) tells whether the text was a JSON object at all.
Settings ParseSettings(std::string_view text, bool* parsed = nullptr);

// The document for a record, written with the general writer.
std::string SerializeSettings(const Settings& settings);

// Reads at most 1 MiB; a missing, unreadable, oversized or invalid file gives the
// defaults silently.
Settings LoadSettings(FileSystem& files, const std::string& path);

// Writes the file atomically; a failure leaves the previous file intact and answers false
// (the settings window says so; everything else stays silent).
// A file that is there but unreadable is first kept aside (see KeepUnreadableAside), so
// a typo in a hand-edited file does not cost the user everything in it.
bool SaveSettings(FileSystem& files, const Settings& settings, const std::string& path);

}  // namespace tessary
