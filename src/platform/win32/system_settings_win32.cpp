#include "platform/win32/system_settings_win32.h"

#include <windows.h>
// After windows.h, which it builds on.
#include <shellapi.h>

#include "platform/win32/wide_text.h"

namespace tessary {
namespace {

std::optional<bool> ReadFlag(UINT action) {
  BOOL value = FALSE;
  if (!SystemParametersInfoW(action, 0, &value, 0)) return std::nullopt;
  return value != FALSE;
}

}  // namespace

std::optional<bool> Win32SystemSettings::WindowArranging() { return ReadFlag(SPI_GETWINARRANGING); }

std::optional<bool> Win32SystemSettings::DockMoving() { return ReadFlag(SPI_GETDOCKMOVING); }

std::optional<std::uint32_t> Win32SystemSettings::SnapBarValue() {
  DWORD value = 0;
  DWORD size = sizeof(value);
  LSTATUS status = RegGetValueW(HKEY_CURRENT_USER,
                                L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced",
                                L"EnableSnapBar", RRF_RT_REG_DWORD, nullptr, &value, &size);
  if (status != ERROR_SUCCESS) return std::nullopt;
  return static_cast<std::uint32_t>(value);
}

bool Win32SystemSettings::TurnOffWindowArranging() {
  // For this action the new value is the pointer argument itself: FALSE, a null pointer.
  return SystemParametersInfoW(SPI_SETWINARRANGING, 0, nullptr,
                               SPIF_UPDATEINIFILE | SPIF_SENDCHANGE) != FALSE;
}

std::optional<bool> Win32SystemSettings::ClientAreaAnimation() {
  return ReadFlag(SPI_GETCLIENTAREAANIMATION);
}

double Win32SystemSettings::DoubleClickSeconds() { return GetDoubleClickTime() / 1000.0; }
bool Win32SystemSettings::UserBusy() {
  QUERY_USER_NOTIFICATION_STATE state{};
  if (FAILED(SHQueryUserNotificationState(&state))) return false;
  return state == QUNS_BUSY || state == QUNS_RUNNING_D3D_FULL_SCREEN ||
         state == QUNS_PRESENTATION_MODE || state == QUNS_QUIET_TIME;
}

std::string Win32SystemSettings::LocalDateTimeText(std::int64_t unixSeconds) {
  // Seconds since 1970 to 100-nanosecond ticks since 1601, then to the local time.
  constexpr std::int64_t kTicksPerSecond = 10'000'000;
  constexpr std::int64_t kSecondsFrom1601To1970 = 11'644'473'600;
  const std::int64_t ticks = (unixSeconds + kSecondsFrom1601To1970) * kTicksPerSecond;
  FILETIME utc{static_cast<DWORD>(ticks & 0xFFFFFFFF), static_cast<DWORD>(ticks >> 32)};
  SYSTEMTIME universal{}, local{};
  if (!FileTimeToSystemTime(&utc, &universal) ||
      !SystemTimeToTzSpecificLocalTime(nullptr, &universal, &local)) {
    return SystemSettings::LocalDateTimeText(unixSeconds);
  }
  wchar_t date[80] = {}, time[80] = {};
  if (GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, DATE_SHORTDATE, &local, nullptr, date, 80,
                      nullptr) == 0 ||
      GetTimeFormatEx(LOCALE_NAME_USER_DEFAULT, TIME_NOSECONDS, &local, nullptr, time, 80) == 0) {
    return SystemSettings::LocalDateTimeText(unixSeconds);
  }
  return Utf8FromBuffer(date) + " " + Utf8FromBuffer(time);
}

}  // namespace tessary
