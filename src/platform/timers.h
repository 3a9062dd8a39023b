#pragma once

// Timers of the program's hidden main window. Each id runs at most once; ticks arrive on
// the main thread from the message loop, so they never interrupt a blocking wait, and a
// timer that fell behind delivers one tick, not a burst.

#include <cstdint>
#include <functional>

namespace tessary {

class Timers {
 public:
  virtual ~Timers() = default;

  // The WM_TIMER handler of the main window: receives every tick with its timer id. The
  // shell installs one handler and routes by id.
  virtual void SetTimerHandler(std::function<void(int id)> handler) = 0;
  // SetTimer(main window, id, period): starts the timer, or restarts it with the new
  // period when it runs already. False when the system refuses.
  virtual bool Start(int id, std::uint32_t periodMilliseconds) = 0;
  // KillTimer(main window, id). Stopping a timer that does not run does nothing.
  virtual void Stop(int id) = 0;
};

}  // namespace tessary
