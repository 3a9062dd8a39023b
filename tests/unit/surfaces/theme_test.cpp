#include "surfaces/theme.h"

#include <gtest/gtest.h>

#include "platform/sim/sim_theme_source.h"

namespace tessary {
namespace {

void ExpectColor(Color actual, double r, double g, double b, double a) {
  EXPECT_NEAR(actual.r, r, 1e-12);
  EXPECT_NEAR(actual.g, g, 1e-12);
  EXPECT_NEAR(actual.b, b, 1e-12);
  EXPECT_NEAR(actual.a, a, 1e-12);
}

TEST(Theme, MissingValuesMeanLightModeAndTheDefaultAccent) {
  const Theme theme = ThemeFromSystemValues(std::nullopt, std::nullopt);
  EXPECT_FALSE(theme.dark);
  ExpectColor(theme.accent, 0, 120 / 255.0, 212 / 255.0, 1);
}

TEST(Theme, OnlyZeroMeansDark) {
  EXPECT_TRUE(ThemeFromSystemValues(0u, std::nullopt).dark);
  EXPECT_FALSE(ThemeFromSystemValues(1u, std::nullopt).dark);
  EXPECT_FALSE(ThemeFromSystemValues(2u, std::nullopt).dark);
}

TEST(Theme, AccentValueHoldsRedInTheLowByteAndItsAlphaIsIgnored) {
  ExpectColor(AccentFromColorValue(0x000000FFu, false), 1, 0, 0, 1);
  ExpectColor(AccentFromColorValue(0x80FF0000u, false), 0, 0, 1, 1);
  ExpectColor(AccentFromColorValue(0x1200FF00u, false), 0, 1, 0, 1);
}

TEST(Theme, DarkModeLightensOnlyDarkAccents) {
  // Black becomes (0.35, 0.35, 0.35).
  ExpectColor(AccentFromColorValue(0xFF000000u, true), 0.35, 0.35, 0.35, 1);
  // The same accent is left alone in light mode.
  ExpectColor(AccentFromColorValue(0xFF000000u, false), 0, 0, 0, 1);
  // A bright yellow is unchanged in dark mode.
  ExpectColor(AccentFromColorValue(0xFF00D7FFu, true), 1, 215 / 255.0, 0, 1);
  // The default blue has luminance 0.397: unchanged too.
  ExpectColor(AccentFromColorValue(kDefaultAccentColor, true), 0, 120 / 255.0, 212 / 255.0, 1);
  // Dark red (luminance 0.2126 x 0.8 = 0.17) moves 35 % of the way to white.
  const double red = 204 / 255.0;
  ExpectColor(AccentFromColorValue(0xFF0000CCu, true), red + (1 - red) * 0.35, 0.35, 0.35, 1);
}

TEST(Theme, LuminanceThresholdIsStrict) {
  // Pure green 0.4894 x 0.7152 = 0.35 would be exactly on the edge; just above stays.
  const Color justAbove = AccentFromColorValue(0xFF007E00u, true);  // G = 126/255
  EXPECT_GE(RelativeLuminance({0, 126 / 255.0, 0, 1}), 0.35);
  ExpectColor(justAbove, 0, 126 / 255.0, 0, 1);
  const Color justBelow = AccentFromColorValue(0xFF007C00u, true);  // G = 124/255
  EXPECT_LT(RelativeLuminance({0, 124 / 255.0, 0, 1}), 0.35);
  EXPECT_NEAR(justBelow.r, 0.35, 1e-12);
}

TEST(Theme, LightColourTable) {
  const Theme t = MakeTheme(false, {0.1, 0.2, 0.3, 1});
  ExpectColor(t.background, 247 / 255.0, 247 / 255.0, 247 / 255.0, 0.985);
  ExpectColor(t.text, 26 / 255.0, 26 / 255.0, 26 / 255.0, 1);
  ExpectColor(t.secondaryText, 0, 0, 0, 0.58);
  ExpectColor(t.regionFill, 0, 0, 0, 0.09);
  ExpectColor(t.hoverFill, 0, 0, 0, 0.20);
  ExpectColor(t.cardFill, 0, 0, 0, 0.04);
  ExpectColor(t.accentTint, 0.1, 0.2, 0.3, 0.16);
  ExpectColor(t.border, 0, 0, 0, 0.10);
}

TEST(Theme, DarkColourTable) {
  const Theme t = MakeTheme(true, {0.1, 0.2, 0.3, 1});
  ExpectColor(t.background, 32 / 255.0, 32 / 255.0, 32 / 255.0, 0.985);
  ExpectColor(t.text, 1, 1, 1, 1);
  ExpectColor(t.secondaryText, 1, 1, 1, 0.62);
  ExpectColor(t.regionFill, 1, 1, 1, 0.10);
  ExpectColor(t.hoverFill, 1, 1, 1, 0.22);
  ExpectColor(t.cardFill, 1, 1, 1, 0.045);
  ExpectColor(t.accentTint, 0.1, 0.2, 0.3, 0.16);
  ExpectColor(t.border, 1, 1, 1, 0.10);
}

TEST(Theme, ReadThemeAsksTheSystemEveryTime) {
  SimThemeSource source;
  EXPECT_FALSE(ReadTheme(source).dark);
  source.SetDark(true);
  source.accentColor = 0xFF000000u;
  const Theme dark = ReadTheme(source);
  EXPECT_TRUE(dark.dark);
  ExpectColor(dark.accent, 0.35, 0.35, 0.35, 1);
  EXPECT_EQ(source.reads, 2);
}

}  // namespace
}  // namespace tessary
