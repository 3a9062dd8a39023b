#pragma once

// The timers of the main window, by id. Every tick arrives at the one main window and
// the shell routes it by id, so the ids of all the parts that start timers there live in
// one table where a collision would show. The periods stay with the parts that own them.

namespace tessary::main_window_timer {

inline constexpr int kDragTick = 1;           // the Coordinator, while a drag is followed
inline constexpr int kPlace = 2;              // the Coordinator, after a drop on a target
inline constexpr int kSnapAssistWatch = 3;    // closing Windows' own Snap Assist
inline constexpr int kRefresh = 4;            // the scheduled stack pass
inline constexpr int kStackPass = 5;          // the shell, repeating from start-up
inline constexpr int kCompositionSettle = 6;  // the Coordinator, while a layout settles
inline constexpr int kUpkeep = 8;             // the Coordinator, while the pointer is at a badge
inline constexpr int kTrayRetry = 9;          // the shell, until the tray takes the icon
inline constexpr int kUpdateCheck = 50;       // the shell, hourly from start-up

}  // namespace tessary::main_window_timer
