#pragma once

// The busy desktop the engine benchmarks share: four displays of different sizes and
// scales, placed around the primary one.

#include "platform/sim/sim_desktop.h"

namespace tessary::bench {

inline void AddFourDisplays(SimDesktop& desk) {
  const SimDisplaySetup displays[] = {
      {.bounds = {0, 0, 1920, 1080}, .work = {0, 0, 1920, 1040}, .scale = 1.0},
      {.bounds = {1920, 0, 2560, 1440}, .work = {1920, 0, 2560, 1392}, .scale = 1.5},
      {.bounds = {4480, 0, 1920, 1200}, .work = {4480, 0, 1920, 1152}, .scale = 1.25},
      {.bounds = {0, 1080, 3840, 2160}, .work = {0, 1080, 3840, 2100}, .scale = 2.0},
  };
  for (const SimDisplaySetup& d : displays) desk.AddDisplay(d);
}

}  // namespace tessary::bench
