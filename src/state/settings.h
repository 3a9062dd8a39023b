#pragma once

// The user's preferences: the record with its defaults, the shortcut table and the list
// of switching effects.

#include <array>
#include <cstdint>
#include <set>
#include <string>
#include <string_view>

#include "transitions/transition_catalogue.h"

namespace tessary {

// Modifier bits of a shortcut, the values of the platform's hotkey modifiers.
inline constexpr std::uint32_t kModAlt = 1;
inline constexpr std::uint32_t kModCtrl = 2;
inline constexpr std::uint32_t kModShift = 4;
inline constexpr std::uint32_t kModWin = 8;

// Mouse buttons a shortcut can use; codes below kMouseMiddle mean none.
inline constexpr std::uint32_t kMouseMiddle = 3;
inline constexpr std::uint32_t kMouseBack = 4;
inline constexpr std::uint32_t kMouseForward = 5;

struct KeyShortcut {
  std::uint32_t key = 0;  // virtual-key code; 0 turns the shortcut off
  std::uint32_t modifiers = 0;

  friend bool operator==(const KeyShortcut&, const KeyShortcut&) = default;
};

struct MouseShortcut {
  std::uint32_t button = 0;
  std::uint32_t modifiers = 0;

  friend bool operator==(const MouseShortcut&, const MouseShortcut&) = default;
};

// The window commands, in the order of storage, of the settings rows and of the hotkey ids.
inline constexpr int kShortcutCount = 11;

struct ShortcutInfo {
  std::string_view id;  // key in settings.json
  KeyShortcut defaultShortcut;
  std::string_view displayName;
};

inline constexpr std::array<ShortcutInfo, kShortcutCount> kShortcutTable = {{
    {"place", {0x50, kModCtrl | kModAlt}, "Place Focused Window"},
    {"layouts", {0x5A, kModCtrl | kModAlt}, "Choose a Layout"},
    {"adjust", {0x41, kModCtrl | kModAlt}, "Adjust Shared Dividers"},
    {"stack", {0x53, kModCtrl | kModAlt}, "Show Window Stack"},
    {"overview", {0x4F, kModCtrl | kModAlt}, "Show Stack Overview"},
    {"next", {0xDD, kModCtrl | kModAlt}, "Next Window in Stack"},
    {"previous", {0xDB, kModCtrl | kModAlt}, "Previous Window in Stack"},
    {"sendToBack", {0x42, kModCtrl | kModAlt}, "Move Spanning Window Behind"},
    {"fill", {0x46, kModCtrl | kModAlt}, "Fill Screen with Focused Window"},
    {"putBack", {0x48, kModCtrl | kModAlt}, "Put Back Focused Window"},
    {"restore", {0x52, kModCtrl | kModAlt}, "Restore Focused Window"},
}};

std::array<KeyShortcut, kShortcutCount> DefaultShortcuts();

// Values of "stackOrder".
inline constexpr std::string_view kStackOrderLastUsed = "lastUsed";
inline constexpr std::string_view kStackOrderName = "name";

// Ids of the one-time tips.
inline constexpr std::string_view kTipOwnLayouts = "ownLayouts";
inline constexpr std::string_view kTipSpan = "span";
inline constexpr std::string_view kTipSwitcher = "switcher";
inline constexpr std::string_view kTipDropMenu = "dropMenu";
inline constexpr std::string_view kTipBadge = "badge";

struct Settings {
  bool startAtLogin = false;  // mirrors the sign-in entry, which is the truth
  bool checkUpdates = false;
  std::int64_t lastUpdateCheck = 0;
  bool windowStacksEnabled = true;
  bool stackBadgesEnabled = true;
  bool stackBadgesOnEdge = true;
  std::string stackOrder = std::string(kStackOrderLastUsed);  // "lastUsed" or "name"
  std::string stackTransition = "shuffle";  // an effect key; unknown ones act as index 0
  std::string lastSeenVersion;
  std::set<std::string> tipsShown;
  std::array<KeyShortcut, kShortcutCount> shortcuts = DefaultShortcuts();
  std::array<MouseShortcut, kShortcutCount> mouseShortcuts{};

  friend bool operator==(const Settings&, const Settings&) = default;
};

// Switching effects, in the order the settings window lists them.
inline constexpr int kEffectCount = kTransitionCount;
// The key of an effect ("shuffle", "cards", ...); an index out of range gives index 0's.
std::string_view EffectKey(int index);
// The display name ("Slide", "3D Cards", ...); an index out of range gives index 0's.
std::string_view EffectName(int index);
// The index of an effect key; a key that names no effect maps to 0.
int EffectIndex(std::string_view key);

// Records that a one-time tip is being shown. True when it had not been shown before: the
// caller then saves the settings and shows it; false means nothing is to be done.
bool MarkTipShown(Settings& settings, std::string_view tipId);

}  // namespace tessary
