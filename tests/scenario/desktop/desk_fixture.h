#pragma once

// A simulated desktop with one 1920 x 1080 display (task bar at the bottom) and the
// program's desktop services on top of it, plus a recorder of the window events.

#include <gtest/gtest.h>

#include <vector>

#include "desktop/desktop.h"
#include "platform/sim/sim_desktop.h"

namespace tessary {

class DeskTest : public ::testing::Test {
 protected:
  DeskTest() {
    primary = desk.AddDisplay({.bounds = {0, 0, 1920, 1080}, .work = {0, 0, 1920, 1040}});
  }

  // Records every event from now on; LocationChange only when asked, it is noisy.
  void RecordEvents(bool withLocation = false) {
    desk.platform().events.Install([this, withLocation](const WindowEvent& e) {
      if (withLocation || e.kind != WindowEventKind::kLocationChange) events.push_back(e);
    });
  }

  std::vector<WindowEventKind> EventKinds() const {
    std::vector<WindowEventKind> kinds;
    for (const WindowEvent& e : events) kinds.push_back(e.kind);
    return kinds;
  }

  SimDesktop desk;
  Desktop desktop{desk.platform()};
  MonitorId primary{};
  std::vector<WindowEvent> events;
};

}  // namespace tessary
