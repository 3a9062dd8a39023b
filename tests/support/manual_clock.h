#pragma once

// A clock for tests: time passes only in frame waits (one 60 Hz frame each), in sleeps,
// and when a test moves `now` itself.

#include <cstdint>

#include "platform/clock.h"

namespace tessary::testing {

class ManualClock final : public Clock {
 public:
  double Now() override { return now; }
  bool WaitForFrame() override {
    now += 1.0 / 60;
    return true;
  }
  void Sleep(std::uint32_t milliseconds) override { now += milliseconds / 1000.0; }

  double now = 100.0;
};

}  // namespace tessary::testing
