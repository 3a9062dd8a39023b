// The theme's system values come from the current user's registry (here: the test's own
// Wine prefix), read afresh at every call.

#include <gtest/gtest.h>
#include <windows.h>

#include <optional>

#include "platform/win32/theme_source_win32.h"

namespace tessary {
namespace {

constexpr const wchar_t* kPersonalize =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize";
constexpr const wchar_t* kDwm = L"Software\\Microsoft\\Windows\\DWM";

// Sets a DWORD of the current user's, or deletes it when there is no value.
void SetDword(const wchar_t* key, const wchar_t* name, std::optional<DWORD> value) {
  if (value) {
    RegSetKeyValueW(HKEY_CURRENT_USER, key, name, REG_DWORD, &*value, sizeof(DWORD));
  } else {
    RegDeleteKeyValueW(HKEY_CURRENT_USER, key, name);
  }
}

TEST(ThemeSourceTest, ReadsTheUsersValuesAtEveryCall) {
  Win32ThemeSource source;
  // The other tests of this program draw with the prefix's own values: put them back.
  const std::optional<DWORD> light = source.AppsUseLightTheme();
  const std::optional<DWORD> accent = source.AccentColor();

  SetDword(kPersonalize, L"AppsUseLightTheme", std::nullopt);
  SetDword(kDwm, L"AccentColor", std::nullopt);
  EXPECT_EQ(source.AppsUseLightTheme(), std::nullopt);
  EXPECT_EQ(source.AccentColor(), std::nullopt);

  SetDword(kPersonalize, L"AppsUseLightTheme", 1);
  SetDword(kDwm, L"AccentColor", 0xFF102030);
  EXPECT_EQ(source.AppsUseLightTheme(), 1u);
  EXPECT_EQ(source.AccentColor(), 0xFF102030u);

  SetDword(kPersonalize, L"AppsUseLightTheme", light);
  SetDword(kDwm, L"AccentColor", accent);
}

}  // namespace
}  // namespace tessary
