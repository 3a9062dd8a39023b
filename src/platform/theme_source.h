#pragma once

// The system values the theme is made of. They are read afresh at the start of every
// paint, so a change of light/dark mode, accent or contrast theme shows at the next paint of
// each surface without any notification. The colours themselves are computed by
// surfaces/theme.h.

#include <cstdint>
#include <optional>

namespace tessary {

// The system colours of a contrast theme, each as GetSysColor gives it: 0x00BBGGRR.
struct ContrastColors {
  std::uint32_t window = 0;         // COLOR_WINDOW
  std::uint32_t windowText = 0;     // COLOR_WINDOWTEXT
  std::uint32_t grayText = 0;       // COLOR_GRAYTEXT
  std::uint32_t highlight = 0;      // COLOR_HIGHLIGHT
  std::uint32_t highlightText = 0;  // COLOR_HIGHLIGHTTEXT
  std::uint32_t buttonFace = 0;     // COLOR_BTNFACE

  friend bool operator==(const ContrastColors&, const ContrastColors&) = default;
};

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

  // The system colours while the user has a contrast theme on (SystemParametersInfoW
  // SPI_GETHIGHCONTRAST reports HCF_HIGHCONTRASTON); absent otherwise. A source that never
  // sees a contrast theme keeps this default.
  virtual std::optional<ContrastColors> HighContrastColors() { return std::nullopt; }
};

}  // namespace tessary
