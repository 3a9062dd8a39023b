#pragma once

// The theme's two system values, read from the current user's registry at every call.

#include "platform/theme_source.h"

namespace tessary {

class Win32ThemeSource : public ThemeSource {
 public:
  std::optional<std::uint32_t> AppsUseLightTheme() override;
  std::optional<std::uint32_t> AccentColor() override;
};

}  // namespace tessary
