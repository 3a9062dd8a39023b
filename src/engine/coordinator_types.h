#pragma once

// What the Coordinator is given and what it hands out: its timers and command codes, the
// callbacks and services the shell lends it, and the small value types of its answers.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "desktop/desktop.h"
#include "desktop/snap_assist_watch.h"
#include "layout/document_store.h"
#include "layout/layout_tree.h"
#include "platform/main_window_timers.h"
#include "platform/popup_menu.h"
#include "platform/surface.h"
#include "platform/theme_source.h"

namespace tessary {

// Timers of the main window that belong to the Coordinator. The shell routes their ticks
// to OnTimer.
inline constexpr int kDragTickTimerId = main_window_timer::kDragTick;  // 15 ms
inline constexpr int kPlaceTimerId = main_window_timer::kPlace;        // 50 ms
inline constexpr int kSnapAssistWatchTimerId = SnapAssistWatch::kTimerId;  // 120 ms
inline constexpr int kRefreshTimerId = main_window_timer::kRefresh;
inline constexpr int kUpkeepTimerId = main_window_timer::kUpkeep;  // 100 ms, while wanted

inline constexpr std::uint32_t kDragTickMilliseconds = 15;
inline constexpr std::uint32_t kPlaceDelayMilliseconds = 50;
inline constexpr std::uint32_t kUpkeepMilliseconds = 100;

// Codes of WM_COORDINATOR_COMMAND (wParam, always negative) that the Coordinator's own
// surfaces post; HandleCommand acts on them after the surface's handler has returned.
inline constexpr int kCommandPickerDismissed = -1;
inline constexpr int kCommandPickerChose = -2;
// A panel's "Done" or Escape ends Snap Assist with the picker's dismissal code: either way
// whatever is offered goes away. Codes of 0 and above are Snap Assist's regions, with the
// chosen window (or 0 to leave the region empty) as the argument.
inline constexpr int kCommandEndAssist = kCommandPickerDismissed;

// The picker's choice packed into the command's argument: the layout index in the low 16
// bits and the region in the high 16 bits, both signed.
std::int64_t PackPickerChoice(int layout, int region);
void UnpackPickerChoice(std::int64_t argument, int& layout, int& region);

// What the shell lends the Coordinator instead of being called by it. Unset members are
// simply not called.
struct ShellCallbacks {
  // Starts (true) or stops (false) the Escape watch for the length of a drag.
  std::function<void(bool on)> setEscapeWatch;
  // Recomputes whether the mouse hook is needed.
  std::function<void()> refreshMouseHook;
  // The open switcher takes the wheel's turns (the hook posts them).
  std::function<void(bool wanted)> setWheelWanted;
  // Where the hook reports the pointer's arrival (desktop pixels); empty: nowhere.
  std::function<void(std::vector<Rect> spots)> setHoverSpots;
  // Tells the user something (UTF-8): a toast for 4 seconds, or the balloon.
  std::function<void(const std::string& text)> notify;
  // Offers a first-use tip once per key ("dropMenu", "badge", ...).
  std::function<void(const std::string& key)> showTip;
  // The display text of the shortcut bound to a window command (0..10); empty if none.
  std::function<std::string(int command)> shortcutLabel;
};

// What the Coordinator works with. Everything referenced must outlive it.
struct CoordinatorServices {
  Desktop& desktop;
  SurfaceFactory& surfaces;
  ThemeSource& theme;
  // The layouts state file (layouts.json) and the minimums state file (minimums.json);
  // null keeps that state in memory for the run.
  DocumentStore* layoutDocuments = nullptr;
  DocumentStore* minimumDocuments = nullptr;
  // Posts WM_COORDINATOR_COMMAND (code, argument) to the main window; HandleCommand runs
  // when the message loop delivers it. Surfaces must never call in directly.
  std::function<void(int code, std::int64_t argument)> postCommand;
  // The badges state file (badges.json); null keeps badge positions for the run only.
  DocumentStore* badgeDocuments = nullptr;
  // Shows a floating badge's context menu; null: badges have no menu.
  PopupMenus* menus = nullptr;
};

// Where a window was last placed by the program.
struct PlacementRecord {
  std::string display;  // display key
  std::int32_t region = -1;

  friend bool operator==(const PlacementRecord&, const PlacementRecord&) = default;
};

// The stack settings mirrored from the settings record when it is applied.
struct StackSwitches {
  bool windowStacks = true;
  bool badges = true;
  bool badgesOnEdge = true;
  std::string transition = "shuffle";
  bool orderByName = false;
};

// The outcome of fitting two sides of a split to their windows' minimum sizes.
struct SplitFitResult {
  bool success = false;
  SnapLayout layout;    // the fitted layout on success
  bool noRoom = false;  // the sizes cannot both fit, whatever the ratio
};

}  // namespace tessary
