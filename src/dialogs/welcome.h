#pragma once

// The two information windows the program greets with: the welcome window on the first
// start (also "Getting Started…") and What's New after an upgrade.

#include <string>

#include "dialogs/info_layout.h"

namespace tessary {

// The welcome window's and What's New's command ids.
namespace info_command {
inline constexpr int kTurnOffWindowsSnap = 1;
inline constexpr int kGetStarted = 2;
inline constexpr int kOk = 3;
inline constexpr int kTakeTheTour = 4;
}  // namespace info_command

struct WelcomeFacts {
  bool windowsSnapOn = false;      // offers to turn it off
  bool offerStartAtLogin = false;  // a packaged app signs in through its package instead
  bool startAtLogin = false;
};

InfoTemplate WelcomeTemplate(const WelcomeFacts& facts);
InfoTemplate WhatsNewTemplate(const std::string& notes);

}  // namespace tessary
