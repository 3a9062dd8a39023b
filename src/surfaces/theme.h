#pragma once

// Light or dark colours and the accent colour, computed from the system's theme values, or
// the system colours of a contrast theme while one is on. Painters read the theme once at
// the start of every paint (ReadTheme) and pass it down; nothing is cached, so a change of
// mode, accent or contrast theme shows at the next paint.

#include <cstdint>
#include <optional>

#include "platform/canvas.h"
#include "platform/theme_source.h"

namespace tessary {

// The system's default accent, 0xAABBGGRR: red 0, green 120, blue 212.
inline constexpr std::uint32_t kDefaultAccentColor = 0xFFD47800u;

struct Theme {
  bool dark = false;
  // Drawn in a contrast theme's system colours: every colour below is opaque, the accent
  // tint and the hover fill are the highlight itself, and text on them is highlightText.
  bool highContrast = false;
  Color accent;
  Color background;              // panel fill
  Color text;                    // primary text
  Color secondaryText;           // hints, secondary lines
  Color regionFill;              // regions in thumbnails, secondary buttons at rest
  Color hoverFill;               // a secondary button under the pointer
  Color cardFill;                // cards at rest
  Color accentTint;              // a card under the pointer or selected
  Color border;                  // panel border
  Color highlightText = kWhite;  // text and glyphs on the accent

  friend bool operator==(const Theme&, const Theme&) = default;
};

// 0.2126 R + 0.7152 G + 0.0722 B over channels 0 to 1.
double RelativeLuminance(Color color);

// The accent from its 0xAABBGGRR value, opaque. On dark backgrounds a dark accent
// (luminance below 0.35) is lightened, each channel c to c + (1 - c) x 0.35, so accent text
// and outlines stay legible.
Color AccentFromColorValue(std::uint32_t value, bool dark);

Theme MakeTheme(bool dark, Color accent);

Theme MakeContrastTheme(const ContrastColors& colors);

// Text that is `ink` elsewhere, drawn on the accent tint or the hover fill when `lit`: in
// contrast mode those fills are the highlight, so the text is the highlight text.
Color InkOnFill(const Theme& theme, bool lit, Color ink);

// `color` at `alpha`; opaque in contrast mode, where every fill and edge is one of the
// system's colours and never a mix of them with what lies beneath.
Color SeeThrough(const Theme& theme, Color color, double alpha);

// In a contrast theme a fill at rest (window or button face) is often the panel's own
// colour: an edge in the text colour sets the item apart. Nothing otherwise.
void EdgeInContrast(Canvas& canvas, const Theme& theme, const Rect& rect, double radius);

// Missing values count as light mode and the default accent.
Theme ThemeFromSystemValues(std::optional<std::uint32_t> appsUseLightTheme,
                            std::optional<std::uint32_t> accentColor);

// The contrast theme while one is on, else the light or dark theme.
Theme ReadTheme(ThemeSource& source);

}  // namespace tessary
