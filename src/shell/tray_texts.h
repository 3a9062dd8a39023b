#pragma once

// What the tray icon says: its tooltip, the balloon at start-up, and the first-use tips.

#include <optional>
#include <string>
#include <string_view>

namespace tessary {

inline constexpr const char* kBalloonTitle = "Tessary";
inline constexpr const char* kRunningTitle = "Tessary is running";
inline constexpr const char* kRunningWithWindowsSnap =
    "Windows Snap reacts to the same drags. Choose Turn Off Windows Snap in Tessary's menu.";
inline constexpr const char* kRunningHint =
    "Drag a window to the top center of a display to choose a region.";
// Tips are introduced with this (UTF-8 middle dot).
inline constexpr const char* kTipPrefix = "Tip \xC2\xB7 ";

// "Tessary (paused)", else "Tessary (update available)", else "Tessary".
std::string TrayTooltip(bool paused, bool updateAvailable);

// The text of a first-use tip; none for a key that has no tip.
std::optional<std::string_view> TipText(std::string_view key);

}  // namespace tessary
