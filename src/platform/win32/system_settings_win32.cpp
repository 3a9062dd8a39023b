#include "platform/win32/system_settings_win32.h"

#include <windows.h>
// After windows.h, which it builds on.
#include <shellapi.h>

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

}  // namespace tessary
