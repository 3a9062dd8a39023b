#include "platform/win32/clock_win32.h"

#include <windows.h>
// After windows.h, which it builds on.
#include <dwmapi.h>

namespace tessary {

double PerformanceCounterSeconds() {
  // The counter exists on every supported system; the guard only keeps the time finite.
  static const double frequency = [] {
    LARGE_INTEGER value{};
    QueryPerformanceFrequency(&value);
    return value.QuadPart > 0 ? static_cast<double>(value.QuadPart) : 1.0;
  }();
  LARGE_INTEGER counter{};
  QueryPerformanceCounter(&counter);
  return static_cast<double>(counter.QuadPart) / frequency;
}

bool WaitForCompositorFrame() {
  const double start = PerformanceCounterSeconds();
  if (FAILED(DwmFlush())) return false;
  if (PerformanceCounterSeconds() - start < 0.001) ::Sleep(Clock::kNoCompositionFrameMilliseconds);
  return true;
}

double Win32Clock::Now() { return PerformanceCounterSeconds(); }

bool Win32Clock::WaitForFrame() { return WaitForCompositorFrame(); }

void Win32Clock::Sleep(std::uint32_t milliseconds) { ::Sleep(milliseconds); }

}  // namespace tessary
