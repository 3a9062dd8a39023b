#pragma once

// The tray menu as a model: its command ids, what it is built from, and how it is built.
// Showing it is the platform's (PopupMenus); carrying out the choice is the shell's.

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "layout/layout_tree.h"
#include "platform/ids.h"
#include "platform/popup_menu.h"

namespace tessary {

namespace tray_command {
inline constexpr int kGettingStarted = 80;
inline constexpr int kWhatsNew = 81;
inline constexpr int kUserGuide = 82;
inline constexpr int kSendFeedback = 83;
inline constexpr int kSettings = 90;
inline constexpr int kCheckForUpdates = 91;
inline constexpr int kUpdateAvailable = 92;
inline constexpr int kPause = 100;
inline constexpr int kTurnOffWindowsSnap = 101;
inline constexpr int kAbout = 102;
inline constexpr int kQuit = 103;
inline constexpr int kImportLayouts = 104;
inline constexpr int kExportMyLayouts = 105;
inline constexpr int kExportArrangement = 106;
inline constexpr int kResetLayouts = 107;
inline constexpr int kGallery = 108;
inline constexpr int kAdjustDividers = 109;
inline constexpr int kCreateLayout = 110;
inline constexpr int kResume = 111;
inline constexpr int kStopRecording = 112;
inline constexpr int kTour = 113;
inline constexpr int kRecordDiagnostics = 114;
inline constexpr int kStackSettings = 115;
inline constexpr int kWindowCommandBase = 300;  // + command index 0..10
inline constexpr int kChooseLayoutBase = 1000;  // + index in the switch list
inline constexpr int kSwitchLayoutBase = 1100;  // + index of the user's own layout
inline constexpr int kEditLayoutBase = 1200;    // + index of the user's own layout
}  // namespace tray_command

// At most this many layouts are listed under "Choose a Layout".
inline constexpr int kMaxMenuLayouts = 90;

// One entry of "Choose a Layout", ready to show.
struct TrayLayoutEntry {
  std::string title;
  std::string subtitle;
  bool adjusted = false;
  bool checked = false;
  int regionCount = 0;
  ThumbnailPainter thumbnail;
};

// What the menu is built from.
struct TrayMenuFacts {
  std::string version;  // "%u.%u.%u", may be empty
  bool windowsArranging = false;
  bool paused = false;
  bool updateAvailable = false;
  std::string availableVersion;
  bool hasDisplay = false;
  std::string displayName;
  std::vector<TrayLayoutEntry> layouts;  // the display's switch list, in order
  std::vector<std::string> ownLayoutNames;
  int activeOwnLayout = -1;  // index of the own layout that is the display's active one
  bool hasActiveLayout = false;
  bool hasFocusedWindow = false;
  bool windowStacksEnabled = true;
  bool recordingDiagnostics = false;
  // The keyboard shortcut's text per window command; empty when unbound.
  std::array<std::string, 11> shortcutLabels;
};

MenuModel BuildTrayMenu(const TrayMenuFacts& facts);

// What the chosen command acts on, fixed when the menu was built.
struct TrayMenuContext {
  WindowId focused = kNoWindow;
  int display = -1;  // index in the Coordinator's display list
  std::string displayKey;
  std::string displayName;
  std::vector<SnapLayout> switchList;
  std::vector<SnapLayout> ownLayouts;
  std::optional<SnapLayout> active;
};

// The texts of a layout entry. A layout counts as adjusted when it differs from its
// standard form (a built-in's own tree, or the user's stored layout) or is the custom
// corner layout.
bool IsAdjustedLayout(const SnapLayout& layout, const std::vector<SnapLayout>& ownLayouts);
bool IsOwnLayout(const SnapLayout& layout, const std::vector<SnapLayout>& ownLayouts);
std::string LayoutEntryTitle(const SnapLayout& layout, bool adjusted);
// `appNames`: the display names of the apps the layout assigns, each once, in region
// order.
std::string LayoutEntrySubtitle(const std::vector<std::string>& appNames, bool adjusted, bool own);
std::string LayoutEntryAccessibleText(const TrayLayoutEntry& entry);

// The about box: "Tessary " + version + this text + a blank line + the maker's host.
std::string AboutText(const std::string& version);

}  // namespace tessary
