#include "platform/sim/sim_theme_source.h"

namespace tessary {

std::optional<std::uint32_t> SimThemeSource::AppsUseLightTheme() {
  ++reads;
  return appsUseLightTheme;
}

std::optional<std::uint32_t> SimThemeSource::AccentColor() { return accentColor; }

std::optional<ContrastColors> SimThemeSource::HighContrastColors() { return highContrast; }

}  // namespace tessary
