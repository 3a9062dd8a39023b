#pragma once

// Time from the performance counter; frame waits paced by the compositor.

#include "platform/clock.h"

namespace tessary {

class Win32Clock : public Clock {
 public:
  Win32Clock();

  double Now() override;
  bool WaitForFrame() override;
  void Sleep(std::uint32_t milliseconds) override;

 private:
  double frequency_;  // counts per second, read once
};

}  // namespace tessary
