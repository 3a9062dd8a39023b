#pragma once

// Closes Windows' own Snap Assist when it opens right after the program has placed a
// window, so that the program's own assist is the one the user sees. Armed by placing,
// driven by timer 3 of the main window: six ticks 120 ms apart.

#include <functional>

#include "desktop/desktop.h"
#include "platform/main_window_timers.h"

namespace tessary {

class SnapAssistWatch {
 public:
  static constexpr int kTimerId = main_window_timer::kSnapAssistWatch;
  static constexpr unsigned kPeriodMilliseconds = 120;
  static constexpr int kTicks = 6;

  // ownAssistPanel answers the program's own assist panel window while it is showing,
  // else kNoWindow; the watch gives that panel the keyboard when the system's is absent.
  SnapAssistWatch(Desktop& desktop, std::function<WindowId()> ownAssistPanel);

  // Arms (or re-arms) the watch: six more ticks.
  void Start();
  // The timer's tick.
  void Tick();

 private:
  WindowId FindSystemAssist();

  Desktop& desktop_;
  std::function<WindowId()> ownAssistPanel_;
  int remaining_ = 0;
};

}  // namespace tessary
