#include "platform/win32/theme_source_win32.h"

#include <windows.h>

namespace tessary {
namespace {

std::optional<std::uint32_t> ReadUserDword(const wchar_t* key, const wchar_t* name) {
  DWORD value = 0;
  DWORD size = sizeof(value);
  if (RegGetValueW(HKEY_CURRENT_USER, key, name, RRF_RT_REG_DWORD, nullptr, &value, &size) !=
      ERROR_SUCCESS) {
    return std::nullopt;
  }
  return static_cast<std::uint32_t>(value);
}

}  // namespace

std::optional<std::uint32_t> Win32ThemeSource::AppsUseLightTheme() {
  return ReadUserDword(L"Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize",
                       L"AppsUseLightTheme");
}

std::optional<std::uint32_t> Win32ThemeSource::AccentColor() {
  return ReadUserDword(L"Software\\Microsoft\\Windows\\DWM", L"AccentColor");
}

std::optional<ContrastColors> Win32ThemeSource::HighContrastColors() {
  // SPI_GETHIGHCONTRAST tells whether a contrast theme is on; while it is, GetSysColor gives
  // that theme's colours.
  HIGHCONTRASTW contrast{};
  contrast.cbSize = sizeof(contrast);
  if (!SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof(contrast), &contrast, 0) ||
      !(contrast.dwFlags & HCF_HIGHCONTRASTON)) {
    return std::nullopt;
  }
  return ContrastColors{.window = GetSysColor(COLOR_WINDOW),
                        .windowText = GetSysColor(COLOR_WINDOWTEXT),
                        .grayText = GetSysColor(COLOR_GRAYTEXT),
                        .highlight = GetSysColor(COLOR_HIGHLIGHT),
                        .highlightText = GetSysColor(COLOR_HIGHLIGHTTEXT),
                        .buttonFace = GetSysColor(COLOR_BTNFACE)};
}

}  // namespace tessary
