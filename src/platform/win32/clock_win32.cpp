#include "platform/win32/clock_win32.h"

#include <windows.h>
// After windows.h, which it builds on.
#include <dwmapi.h>

namespace tessary {

bool WaitForCompositorFrame() {
  LARGE_INTEGER frequency{}, start{}, end{};
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&start);
  if (FAILED(DwmFlush())) return false;
  QueryPerformanceCounter(&end);
  const bool waited =
      frequency.QuadPart > 0 && (end.QuadPart - start.QuadPart) * 1000 >= frequency.QuadPart;
  if (!waited) ::Sleep(8);
  return true;
}

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

bool Win32Clock::WaitForFrame() { return WaitForCompositorFrame(); }

void Win32Clock::Sleep(std::uint32_t milliseconds) { ::Sleep(milliseconds); }

}  // namespace tessary
