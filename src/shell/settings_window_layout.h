#pragma once

// The settings window's controls as a table: General and Window Stacks in the left
// column, the shortcut rows on the right, in Tab order (a row's name comes right before
// its fields, so a screen reader names them). The ids are how the model addresses them.

#include <string_view>

#include "platform/control_table.h"
#include "state/settings.h"

namespace tessary {

namespace settings_control {
inline constexpr int kStartAtLogin = 101;   // the checkbox, or for a packaged program:
inline constexpr int kStartupApps = 102;    // the "Startup Apps" button beside the text
inline constexpr int kCheckUpdates = 103;
inline constexpr int kCheckNow = 104;
inline constexpr int kForgetSizes = 105;
inline constexpr int kUseStacks = 201;
inline constexpr int kShowBadges = 202;
inline constexpr int kBadgesOnEdge = 203;
inline constexpr int kStackOrder = 204;
inline constexpr int kTransition = 205;
inline constexpr int kResetBadges = 206;
inline constexpr int kFirstHotkey = 300;    // + command index (0 to 14)
inline constexpr int kFirstMouseBox = 320;  // + command index (0 to 10)
inline constexpr int kConflicts = 340;
inline constexpr int kRestoreDefaults = 341;
inline constexpr int kClose = 342;
inline constexpr int kStatus = 343;

inline constexpr int HotkeyOf(int command) { return kFirstHotkey + command; }
inline constexpr int MouseBoxOf(int command) { return kFirstMouseBox + command; }
// The command of a hotkey field or mouse box; -1 for any other id.
inline constexpr int CommandOfHotkey(int id) {
  return id >= kFirstHotkey && id < kFirstHotkey + kCommandCount ? id - kFirstHotkey : -1;
}
inline constexpr int CommandOfMouseBox(int id) {
  return id >= kFirstMouseBox && id < kFirstMouseBox + kShortcutCount ? id - kFirstMouseBox : -1;
}
}  // namespace settings_control

inline constexpr std::string_view kSettingsClass = "TessarySettings";
inline constexpr std::string_view kSettingsTitle = "Tessary Settings";
// The client area in units.
inline constexpr double kSettingsWidth = 964;
inline constexpr double kSettingsHeight = 692;

// The drop-downs' items, in the order of their indexes.
inline constexpr std::string_view kOrderItems[] = {"Last Used", "Name"};

// The hotkey field cannot take the Win key, so the window adds it to the move rows' keys.
inline constexpr std::string_view kMoveKeysNote = "The Move to Region keys are pressed with Win.";

// `packaged`: the platform starts the program at sign-in, so the window explains that and
// offers the system's startup list instead of the checkbox.
ControlTable SettingsControls(bool packaged);

}  // namespace tessary
