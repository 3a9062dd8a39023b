#pragma once

// Time from the performance counter; frame waits paced by the compositor.

#include "platform/clock.h"

namespace tessary {

// Seconds from the performance counter: the one clock of the program, for animations,
// frame pacing and the log's timings.
double PerformanceCounterSeconds();

// Waits for the next compositor frame (DwmFlush); false when DwmFlush failed. Without a
// compositor that really paces (some remote sessions, Wine) DwmFlush can report success
// at once; a wait of under a millisecond is no frame, so that case sleeps half a frame
// instead of letting the caller spin a core or flood windows with ticks.
bool WaitForCompositorFrame();

class Win32Clock : public Clock {
 public:
  double Now() override;
  bool WaitForFrame() override;
  void Sleep(std::uint32_t milliseconds) override;
};

}  // namespace tessary
