#pragma once

// Light or dark colours and the accent colour, computed from the system's two theme
// values. Painters read the theme once at the start of every paint (ReadTheme) and pass it
// down; nothing is cached, so a change of mode or accent shows at the next paint.

#include <cstdint>
#include <optional>

#include "platform/canvas.h"
#include "platform/theme_source.h"

namespace tessary {

// The system's default accent, 0xAABBGGRR: red 0, green 120, blue 212.
inline constexpr std::uint32_t kDefaultAccentColor = 0xFFD47800u;

struct Theme {
  bool dark = false;
  Color accent;
  Color background;     // panel fill
  Color text;           // primary text
  Color secondaryText;  // hints, secondary lines
  Color regionFill;     // regions in thumbnails, secondary buttons at rest
  Color hoverFill;      // a secondary button under the pointer
  Color cardFill;       // cards at rest
  Color accentTint;     // a card under the pointer or selected
  Color border;         // panel border

  friend bool operator==(const Theme&, const Theme&) = default;
};

// 0.2126 R + 0.7152 G + 0.0722 B over channels 0 to 1.
double RelativeLuminance(Color color);

// The accent from its 0xAABBGGRR value, opaque. On dark backgrounds a dark accent
// (luminance below 0.35) is lightened, each channel c to c + (1 - c) x 0.35, so accent text
// and outlines stay legible.
Color AccentFromColorValue(std::uint32_t value, bool dark);

Theme MakeTheme(bool dark, Color accent);

// Missing values count as light mode and the default accent.
Theme ThemeFromSystemValues(std::optional<std::uint32_t> appsUseLightTheme,
                            std::optional<std::uint32_t> accentColor);

Theme ReadTheme(ThemeSource& source);

}  // namespace tessary
