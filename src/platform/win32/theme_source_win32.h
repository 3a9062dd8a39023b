#pragma once

// The theme's system values, read at every call: light/dark mode and accent from the current
// user's registry, the contrast theme's colours from the system.

#include "platform/theme_source.h"

namespace tessary {

class Win32ThemeSource : public ThemeSource {
 public:
  std::optional<std::uint32_t> AppsUseLightTheme() override;
  std::optional<std::uint32_t> AccentColor() override;
  std::optional<ContrastColors> HighContrastColors() override;
};

}  // namespace tessary
