#pragma once

// The displays as Windows reports them: monitors with their DPI, and the display
// configuration's device paths and model names.

#include <windows.h>

#include <vector>

#include "platform/display_source.h"

namespace tessary {

class Win32DisplaySource : public DisplaySource {
 public:
  using DisplaySource::ActivePaths;
  using DisplaySource::Monitors;
  void Monitors(std::vector<RawMonitor>& out) override;
  void ActivePaths(std::vector<DisplayPath>& out) override;
  std::optional<RawMonitor> NearestMonitor(const Rect& rect) override;

 private:
  // The configuration query's buffers, kept between calls.
  std::vector<DISPLAYCONFIG_PATH_INFO> pathInfo_;
  std::vector<DISPLAYCONFIG_MODE_INFO> modeInfo_;
};

}  // namespace tessary
