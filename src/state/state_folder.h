#pragma once

// The per-user folder that holds everything Tessary remembers between runs.

#include <string>
#include <string_view>

#include "platform/file_system.h"

namespace tessary {

inline constexpr std::string_view kMakerFolderName = "Quillfrost";
inline constexpr std::string_view kStateFolderName = "Tessary";
inline constexpr std::string_view kStateFolderVariable = "TESSARY_STATE_DIR";

inline constexpr std::string_view kLayoutsFileName = "layouts.json";
inline constexpr std::string_view kMinimumsFileName = "minimums.json";
inline constexpr std::string_view kBadgesFileName = "badges.json";
inline constexpr std::string_view kSettingsFileName = "settings.json";
inline constexpr std::string_view kDiagnosticsFolderName = "Diagnostics";

// Resolves the state folder, creating it (and the maker folder) when needed: the value of
// TESSARY_STATE_DIR when it is set and not empty, else the maker folder's "Tessary" folder
// under the local application data folder. Resolved again at every use, so a folder
// removed meanwhile comes back.
//
// Empty when the system gives no local application data folder and no override: every
// store then keeps its state in memory for the run and nothing is written anywhere.
std::string StateFolder(FileSystem& files);

// A file in the state folder; empty (in memory only) when `folder` is empty.
std::string StateFilePath(std::string_view folder, std::string_view name);

}  // namespace tessary
