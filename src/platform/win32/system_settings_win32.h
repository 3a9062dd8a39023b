#pragma once

// Windows' window arranging switches, the Snap Layouts bar value in Explorer's settings,
// and the client-area animation switch.

#include "platform/system_settings.h"

namespace tessary {

class Win32SystemSettings : public SystemSettings {
 public:
  std::optional<bool> WindowArranging() override;
  std::optional<bool> DockMoving() override;
  std::optional<std::uint32_t> SnapBarValue() override;
  bool TurnOffWindowArranging() override;
  std::optional<bool> ClientAreaAnimation() override;
  double DoubleClickSeconds() override;
  bool UserBusy() override;
  std::string LocalDateTimeText(std::int64_t unixSeconds) override;
};

}  // namespace tessary
