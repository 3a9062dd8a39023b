#pragma once

// The eleven window commands by index: the order of the shortcut table in the settings,
// the hotkey ids (index + 1), the mouse shortcuts and the tray menu's command ids
// (tray_command::kWindowCommandBase + index) all follow it.

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
};

}  // namespace tessary::window_command
