#include "platform/win32/clock_win32.h"

#include <windows.h>
// After windows.h, which it builds on.
#include <dwmapi.h>

namespace tessary {

Win32Clock::Win32Clock() {
  LARGE_INTEGER frequency{};
  QueryPerformanceFrequency(&frequency);
  // The counter exists on every supported system; the guard only keeps Now() finite.
  frequency_ = frequency.QuadPart > 0 ? static_cast<double>(frequency.QuadPart) : 1.0;
}

double Win32Clock::Now() {
  LARGE_INTEGER counter{};
  QueryPerformanceCounter(&counter);
  return static_cast<double>(counter.QuadPart) / frequency_;
}

bool Win32Clock::WaitForFrame() {
  const double start = Now();
  if (FAILED(DwmFlush())) return false;
  // Without a compositor that really paces (some remote sessions, Wine) DwmFlush reports
  // success at once; a glide would then spin a core for its whole duration. Half a
  // frame's sleep keeps it near the display's pace.
  if (Now() - start < 0.001) ::Sleep(8);
  return true;
}

void Win32Clock::Sleep(std::uint32_t milliseconds) { ::Sleep(milliseconds); }

}  // namespace tessary
