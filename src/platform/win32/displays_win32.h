#pragma once

// The displays as Windows reports them: monitors with their DPI, and the display
// configuration's device paths and model names.

#include "platform/display_source.h"

namespace tessary {

class Win32DisplaySource : public DisplaySource {
 public:
  std::vector<RawMonitor> Monitors() override;
  std::vector<DisplayPath> ActivePaths() override;
  std::optional<RawMonitor> NearestMonitor(const Rect& rect) override;
};

}  // namespace tessary
