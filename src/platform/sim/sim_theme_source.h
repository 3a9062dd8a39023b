#pragma once

// The system's theme values as a test sets them. Both start missing, which the program
// reads as light mode with the default accent.

#include <cstdint>
#include <optional>

#include "platform/theme_source.h"

namespace tessary {

class SimThemeSource : public ThemeSource {
 public:
  std::optional<std::uint32_t> AppsUseLightTheme() override;
  std::optional<std::uint32_t> AccentColor() override;

  void SetDark(bool dark) { appsUseLightTheme = dark ? 0u : 1u; }

  std::optional<std::uint32_t> appsUseLightTheme;
  std::optional<std::uint32_t> accentColor;
  // How often the values were read: painters read them at every paint.
  int reads = 0;
};

}  // namespace tessary
