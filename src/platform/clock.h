#pragma once

// Time as the program measures it, and the blocking waits of animations. Blocking waits
// go through here so that the simulated desktop can advance its clock instead of sleeping.

#include <cstdint>

namespace tessary {

class Clock {
 public:
  virtual ~Clock() = default;

  // Seconds from the high-resolution performance counter (its frequency read once):
  // monotonic, with an arbitrary origin.
  virtual double Now() = 0;
  // DwmFlush: blocks until the compositor's next frame. False when composition is
  // unavailable. Does not pump messages.
  virtual bool WaitForFrame() = 0;
  // Sleep: blocks the calling thread. Does not pump messages.
  virtual void Sleep(std::uint32_t milliseconds) = 0;

  // The wait between two frames of an animation: the compositor's next frame, or 8 ms
  // (about half a display frame) where there is no composition.
  void WaitForNextFrame() {
    if (!WaitForFrame()) Sleep(kNoCompositionFrameMilliseconds);
  }
  static constexpr std::uint32_t kNoCompositionFrameMilliseconds = 8;
};

}  // namespace tessary
