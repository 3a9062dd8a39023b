#include "surfaces/theme.h"

namespace tessary {
namespace {

constexpr Color Gray(int level, double alpha) {
  return {level / 255.0, level / 255.0, level / 255.0, alpha};
}

// A system colour, 0x00BBGGRR, has the accent value's byte order.
Color ColorFromSysColor(std::uint32_t value) { return AccentFromColorValue(value, false); }

}  // namespace

double RelativeLuminance(Color color) {
  return 0.2126 * color.r + 0.7152 * color.g + 0.0722 * color.b;
}

Color AccentFromColorValue(std::uint32_t value, bool dark) {
  Color accent{(value & 0xFFu) / 255.0, ((value >> 8) & 0xFFu) / 255.0,
               ((value >> 16) & 0xFFu) / 255.0, 1.0};
  if (dark && RelativeLuminance(accent) < 0.35) {
    for (double* channel : {&accent.r, &accent.g, &accent.b}) {
      *channel += (1.0 - *channel) * 0.35;
    }
  }
  return accent;
}

Theme MakeTheme(bool dark, Color accent) {
  Theme theme;
  theme.dark = dark;
  theme.accent = accent;
  const Color ink = dark ? kWhite : kBlack;
  theme.background = dark ? Gray(32, 0.985) : Gray(247, 0.985);
  theme.text = dark ? kWhite : Gray(26, 1.0);
  theme.secondaryText = WithAlpha(ink, dark ? 0.62 : 0.58);
  theme.regionFill = WithAlpha(ink, dark ? 0.10 : 0.09);
  theme.hoverFill = WithAlpha(ink, dark ? 0.22 : 0.20);
  theme.cardFill = WithAlpha(ink, dark ? 0.045 : 0.04);
  theme.accentTint = WithAlpha(accent, 0.16);
  theme.border = WithAlpha(ink, 0.10);
  return theme;
}

Theme MakeContrastTheme(const ContrastColors& colors) {
  const Color window = ColorFromSysColor(colors.window);
  const Color windowText = ColorFromSysColor(colors.windowText);
  const Color highlight = ColorFromSysColor(colors.highlight);
  Theme theme;
  // Shadows and window captions follow the contrast theme's own lightness.
  theme.dark = RelativeLuminance(window) < 0.5;
  theme.highContrast = true;
  theme.accent = highlight;
  theme.background = window;
  theme.text = windowText;
  theme.secondaryText = ColorFromSysColor(colors.grayText);
  theme.regionFill = ColorFromSysColor(colors.buttonFace);
  theme.hoverFill = highlight;
  theme.cardFill = window;
  theme.accentTint = highlight;
  theme.border = windowText;
  theme.highlightText = ColorFromSysColor(colors.highlightText);
  return theme;
}

Color InkOnFill(const Theme& theme, bool lit, Color ink) {
  return lit && theme.highContrast ? theme.highlightText : ink;
}

Color SeeThrough(const Theme& theme, Color color, double alpha) {
  return theme.highContrast ? color : WithAlpha(color, alpha);
}

void EdgeInContrast(Canvas& canvas, const Theme& theme, const Rect& rect, double radius) {
  if (theme.highContrast) canvas.StrokeRounded(rect, radius, theme.border, 1);
}

Theme ThemeFromSystemValues(std::optional<std::uint32_t> appsUseLightTheme,
                            std::optional<std::uint32_t> accentColor) {
  const bool dark = appsUseLightTheme.value_or(1) == 0;
  return MakeTheme(dark, AccentFromColorValue(accentColor.value_or(kDefaultAccentColor), dark));
}

Theme ReadTheme(ThemeSource& source) {
  if (const std::optional<ContrastColors> contrast = source.HighContrastColors()) {
    return MakeContrastTheme(*contrast);
  }
  return ThemeFromSystemValues(source.AppsUseLightTheme(), source.AccentColor());
}

}  // namespace tessary
