#include "platform/win32/timers_win32.h"

namespace tessary {

void Win32Timers::SetTimerHandler(std::function<void(int id)> handler) {
  handler_ = std::move(handler);
}

bool Win32Timers::Start(int id, std::uint32_t periodMilliseconds) {
  // Id 0 cannot be told apart from a failed SetTimer, and negative ids do not round-trip
  // through WPARAM.
  if (mainWindow_ == nullptr || id <= 0) return false;
  // SetTimer with an existing id on the same window replaces that timer's period.
  return SetTimer(mainWindow_, static_cast<UINT_PTR>(id), periodMilliseconds, nullptr) != 0;
}

void Win32Timers::Stop(int id) {
  if (mainWindow_ == nullptr || id <= 0) return;
  KillTimer(mainWindow_, static_cast<UINT_PTR>(id));
}

void Win32Timers::Deliver(WPARAM id) {
  // Copy first: the handler may install another handler while it runs.
  std::function<void(int)> handler = handler_;
  if (handler) handler(static_cast<int>(id));
}

}  // namespace tessary
