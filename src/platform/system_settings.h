#pragma once

// The system settings the program reads and the one it changes: Windows' own window
// arranging (snap) switches and the client-area animation switch.

#include <cstdint>
#include <optional>
#include <string>

namespace tessary {

class SystemSettings {
 public:
  virtual ~SystemSettings() = default;

  // SystemParametersInfoW(SPI_GETWINARRANGING); absent when the call fails.
  virtual std::optional<bool> WindowArranging() = 0;
  // SystemParametersInfoW(SPI_GETDOCKMOVING); absent when the call fails.
  virtual std::optional<bool> DockMoving() = 0;
  // RegGetValueW(HKEY_CURRENT_USER,
  // "Software\Microsoft\Windows\CurrentVersion\Explorer\Advanced", "EnableSnapBar",
  // RRF_RT_REG_DWORD); absent when missing or unreadable.
  virtual std::optional<std::uint32_t> SnapBarValue() = 0;
  // SystemParametersInfoW(SPI_SETWINARRANGING, 0, FALSE, SPIF_UPDATEINIFILE |
  // SPIF_SENDCHANGE): arranging off, saved in the profile and announced to all apps.
  virtual bool TurnOffWindowArranging() = 0;
  // SystemParametersInfoW(SPI_GETCLIENTAREAANIMATION); absent when the call fails.
  virtual std::optional<bool> ClientAreaAnimation() = 0;
  // GetDoubleClickTime in seconds; Windows' default of 500 ms where there is no system.
  virtual double DoubleClickSeconds() { return 0.5; }
  // SHQueryUserNotificationState: the user must not be interrupted now (a full-screen game
  // or video, presentation mode, quiet time, busy). False when it cannot be read.
  virtual bool UserBusy() = 0;
  // A moment (seconds since 1970) as the user reads dates: on Windows the local time in
  // the user's short date format and hours and minutes (GetDateFormatEx, GetTimeFormatEx).
  // Without a system: "YYYY-MM-DD HH:MM" in UTC.
  virtual std::string LocalDateTimeText(std::int64_t unixSeconds);
};

}  // namespace tessary
