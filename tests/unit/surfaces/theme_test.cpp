#include "surfaces/theme.h"

#include <gtest/gtest.h>

namespace tessary {
namespace {

void ExpectColor(Color actual, Color expected) {
  EXPECT_NEAR(actual.r, expected.r, 1e-12);
  EXPECT_NEAR(actual.g, expected.g, 1e-12);
  EXPECT_NEAR(actual.b, expected.b, 1e-12);
  EXPECT_NEAR(actual.a, expected.a, 1e-12);
}

TEST(Theme, SystemValuesAndTheAccent) {
  // Missing values mean light mode and the default accent; only 0 means dark.
  const Theme missing = ThemeFromSystemValues(std::nullopt, std::nullopt);
  EXPECT_FALSE(missing.dark);
  ExpectColor(missing.accent, {0, 120 / 255.0, 212 / 255.0, 1});
  EXPECT_TRUE(ThemeFromSystemValues(0u, std::nullopt).dark);
  EXPECT_FALSE(ThemeFromSystemValues(1u, std::nullopt).dark);
  EXPECT_FALSE(ThemeFromSystemValues(2u, std::nullopt).dark);

  const double red = 204 / 255.0;
  struct Case {
    std::uint32_t value;
    bool dark;
    Color expected;
  };
  const Case cases[] = {
      // Red in the low byte; the value's alpha is ignored.
      {0x000000FFu, false, {1, 0, 0, 1}},
      {0x80FF0000u, false, {0, 0, 1, 1}},
      {0x1200FF00u, false, {0, 1, 0, 1}},
      // Dark mode lightens only dark accents, 35 % of the way to white.
      {0xFF000000u, true, {0.35, 0.35, 0.35, 1}},
      {0xFF000000u, false, {0, 0, 0, 1}},
      {0xFF00D7FFu, true, {1, 215 / 255.0, 0, 1}},
      {kDefaultAccentColor, true, {0, 120 / 255.0, 212 / 255.0, 1}},  // luminance 0.397
      {0xFF0000CCu, true, {red + (1 - red) * 0.35, 0.35, 0.35, 1}},   // luminance 0.17
      // The luminance threshold 0.35 is strict: G = 126 stays, G = 124 is lightened.
      {0xFF007E00u, true, {0, 126 / 255.0, 0, 1}},
      {0xFF007C00u, true, {0.35, 124 / 255.0 + (1 - 124 / 255.0) * 0.35, 0.35, 1}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value);
    ExpectColor(AccentFromColorValue(c.value, c.dark), c.expected);
  }
}

TEST(Theme, ColourTables) {
  const Color accent{0.1, 0.2, 0.3, 1};
  const Theme light = MakeTheme(false, accent);
  const Theme dark = MakeTheme(true, accent);
  const double g247 = 247 / 255.0, g32 = 32 / 255.0, g26 = 26 / 255.0;
  // clang-format off
  const std::pair<Color, Color> rows[] = {
      {light.background, {g247, g247, g247, 0.985}}, {dark.background, {g32, g32, g32, 0.985}},
      {light.text, {g26, g26, g26, 1}},              {dark.text, {1, 1, 1, 1}},
      {light.secondaryText, {0, 0, 0, 0.58}},        {dark.secondaryText, {1, 1, 1, 0.62}},
      {light.regionFill, {0, 0, 0, 0.09}},           {dark.regionFill, {1, 1, 1, 0.10}},
      {light.hoverFill, {0, 0, 0, 0.20}},            {dark.hoverFill, {1, 1, 1, 0.22}},
      {light.cardFill, {0, 0, 0, 0.04}},             {dark.cardFill, {1, 1, 1, 0.045}},
      {light.accentTint, {0.1, 0.2, 0.3, 0.16}},     {dark.accentTint, {0.1, 0.2, 0.3, 0.16}},
      {light.border, {0, 0, 0, 0.10}},               {dark.border, {1, 1, 1, 0.10}},
  };
  // clang-format on
  for (std::size_t i = 0; i < std::size(rows); ++i) {
    SCOPED_TRACE(i);
    ExpectColor(rows[i].first, rows[i].second);
  }
}

}  // namespace
}  // namespace tessary
