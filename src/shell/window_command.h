#pragma once

// The eleven window commands by index: the order of the shortcut table in the settings,
// the hotkey ids (index + 1), the mouse shortcuts and the tray menu's command ids
// (tray_command::kWindowCommandBase + index) all follow it. The four moves to a
// neighbouring region come after them (keys only, hotkey ids 30 to 33).

namespace tessary::window_command {

enum Index : int {
  kPlace = 0,
  kGallery = 1,
  kDividers = 2,
  kStack = 3,
  kOverview = 4,
  kNext = 5,
  kPrevious = 6,
  kSendToBack = 7,
  kFill = 8,
  kPutBack = 9,
  kRestore = 10,
  kMoveLeft = 11,
  kMoveRight = 12,
  kMoveUp = 13,
  kMoveDown = 14,
};

}  // namespace tessary::window_command
