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

// Sets or (with no value) deletes a DWORD for the test, and puts the old value back.
class ScopedDword {
 public:
  ScopedDword(const wchar_t* key, const wchar_t* name) : key_(key), name_(name) {
    DWORD value = 0, size = sizeof(value);
    if (RegGetValueW(HKEY_CURRENT_USER, key, name, RRF_RT_REG_DWORD, nullptr, &value, &size) ==
        ERROR_SUCCESS) {
      old_ = value;
    }
  }
  ~ScopedDword() { Set(old_); }
  void Set(std::optional<DWORD> value) {
    if (value) {
      RegSetKeyValueW(HKEY_CURRENT_USER, key_, name_, REG_DWORD, &*value, sizeof(DWORD));
    } else {
      RegDeleteKeyValueW(HKEY_CURRENT_USER, key_, name_);
    }
  }

 private:
  const wchar_t* key_;
  const wchar_t* name_;
  std::optional<DWORD> old_;
};

TEST(ThemeSourceTest, ReadsTheUsersValuesAtEveryCall) {
  ScopedDword light(kPersonalize, L"AppsUseLightTheme");
  ScopedDword accent(kDwm, L"AccentColor");
  Win32ThemeSource source;

  light.Set(std::nullopt);
  accent.Set(std::nullopt);
  EXPECT_EQ(source.AppsUseLightTheme(), std::nullopt);
  EXPECT_EQ(source.AccentColor(), std::nullopt);

  light.Set(0);
  accent.Set(0xFF102030);
  EXPECT_EQ(source.AppsUseLightTheme(), 0u);
  EXPECT_EQ(source.AccentColor(), 0xFF102030u);

  light.Set(1);
  EXPECT_EQ(source.AppsUseLightTheme(), 1u);
}

}  // namespace
}  // namespace tessary
