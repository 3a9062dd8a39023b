#include "platform/win32/log_environment_win32.h"

#include <windows.h>

#include <string>

#include "platform/win32/clock_win32.h"
#include "platform/win32/file_system_win32.h"
#include "platform/win32/wide_text.h"

namespace tessary {
namespace {

// Cycle counts measure CPU time far more finely than the 15.6 ms tick of the process
// times; the rate is calibrated once against the performance counter.
double CyclesPerMillisecond() {
  static const double rate = [] {
    ULONG64 cyclesBefore = 0;
    ULONG64 cyclesAfter = 0;
    if (!QueryThreadCycleTime(GetCurrentThread(), &cyclesBefore)) return 0.0;
    double start = PerformanceCounterSeconds();
    double now = start;
    while (now - start < 0.02) now = PerformanceCounterSeconds();
    if (!QueryThreadCycleTime(GetCurrentThread(), &cyclesAfter)) return 0.0;
    double elapsedMs = (now - start) * 1000.0;
    if (elapsedMs <= 0) return 0.0;
    return static_cast<double>(cyclesAfter - cyclesBefore) / elapsedMs;
  }();
  return rate;
}

// The process times tick in 15.6 ms steps, but they are there where cycle counts are not
// (some systems answer every cycle query with zero).
double ProcessTimesMilliseconds() {
  FILETIME created{}, exited{}, kernel{}, user{};
  if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user)) return 0.0;
  const auto ticks = [](const FILETIME& time) {
    return (static_cast<ULONG64>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
  };
  return static_cast<double>(ticks(kernel) + ticks(user)) / 10000.0;  // 100 ns units
}

double ProcessCpu() {
  double rate = CyclesPerMillisecond();
  ULONG64 cycles = 0;
  if (!(rate > 0) || !QueryProcessCycleTime(GetCurrentProcess(), &cycles) || cycles == 0) {
    return ProcessTimesMilliseconds();
  }
  return static_cast<double>(cycles) / rate;
}

std::optional<std::string> ReadLogVariable() {
  return Win32FileSystem().EnvironmentVariable("TESSARY_LOG");
}

void AppendLine(const std::string& path, std::string_view line) {
  // Opened per line and shared, so the file can be read, moved or deleted meanwhile.
  HANDLE file =
      CreateFileW(WideFromUtf8(path).c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                  nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD wrote = 0;
  WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &wrote, nullptr);
  CloseHandle(file);
}

}  // namespace

LogEnvironment Win32LogEnvironment() {
  LogEnvironment environment;
  environment.readLogVariable = ReadLogVariable;
  environment.appendToFile = AppendLine;
  environment.nowSeconds = PerformanceCounterSeconds;
  environment.processCpuMs = ProcessCpu;
  return environment;
}

}  // namespace tessary
