#pragma once

// The two system values the theme is made of. They are read afresh at the start of every
// paint, so a change of light/dark mode or accent shows at the next paint of each surface
// without any notification. The colours themselves are computed by surfaces/theme.h.

#include <cstdint>
#include <optional>

namespace tessary {

class ThemeSource {
 public:
  virtual ~ThemeSource() = default;

  // RegGetValueW(HKEY_CURRENT_USER,
  // "Software\Microsoft\Windows\CurrentVersion\Themes\Personalize", "AppsUseLightTheme",
  // RRF_RT_REG_DWORD); absent when missing or unreadable. 0 means dark.
  virtual std::optional<std::uint32_t> AppsUseLightTheme() = 0;

  // RegGetValueW(HKEY_CURRENT_USER, "Software\Microsoft\Windows\DWM", "AccentColor",
  // RRF_RT_REG_DWORD): 0xAABBGGRR (red in the low byte); absent when missing.
  virtual std::optional<std::uint32_t> AccentColor() = 0;
};

}  // namespace tessary
