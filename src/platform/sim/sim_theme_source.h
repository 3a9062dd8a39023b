#pragma once

// The system's theme values as a test sets them. All start missing, which the program
// reads as light mode with the default accent and no contrast theme.

#include <cstdint>
#include <optional>

#include "platform/theme_source.h"

namespace tessary {

class SimThemeSource : public ThemeSource {
 public:
  std::optional<std::uint32_t> AppsUseLightTheme() override;
  std::optional<std::uint32_t> AccentColor() override;
  std::optional<ContrastColors> HighContrastColors() override;

  void SetDark(bool dark) { appsUseLightTheme = dark ? 0u : 1u; }

  std::optional<std::uint32_t> appsUseLightTheme;
  std::optional<std::uint32_t> accentColor;
  std::optional<ContrastColors> highContrast;
  // How often the values were read: painters read them at every paint.
  int reads = 0;
};

}  // namespace tessary
