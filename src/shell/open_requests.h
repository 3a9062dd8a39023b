#pragma once

// WM_APP+10: what other processes may ask the running program to open.

#include <cstdint>

namespace tessary {

enum class OpenRequest : std::uint64_t {
  kEditor = 1,       // a new layout in the layout editor
  kGallery = 2,      // the picker with the display's whole catalogue
  kDividers = 3,     // the divider editor
  kSettings = 4,     // the settings window
  kWelcome = 5,      // the welcome window
  kFeedback = 6,     // the feedback window, on the display under the cursor
  kTour = 7,         // the tour
  kDiagnostics = 8,  // start or stop recording diagnostics
  kTrayMenu = 9,     // the tray menu
};

// The request a wParam names; false for any other value (which does nothing).
inline bool IsOpenRequest(std::uint64_t wParam) { return wParam >= 1 && wParam <= 9; }

}  // namespace tessary
