#pragma once

// A simulated desktop with one 1920 x 1080 display (task bar at the bottom) and the
// program's desktop services on top of it.

#include <gtest/gtest.h>

#include "desktop/desktop.h"
#include "platform/sim/sim_desktop.h"

namespace tessary {

class DeskTest : public ::testing::Test {
 protected:
  DeskTest() {
    primary = desk.AddDisplay({.bounds = {0, 0, 1920, 1080}, .work = {0, 0, 1920, 1040}});
  }

  SimDesktop desk;
  Desktop desktop{desk.platform()};
  MonitorId primary{};
};

}  // namespace tessary
