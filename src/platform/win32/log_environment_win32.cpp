#include "platform/win32/log_environment_win32.h"

#include <windows.h>

#include <string>

#include "base/utf.h"

namespace tessary {
namespace {

double CounterFrequency() {
  static const double frequency = [] {
    LARGE_INTEGER value{};
    QueryPerformanceFrequency(&value);
    return static_cast<double>(value.QuadPart);
  }();
  return frequency;
}

double CounterSeconds() {
  LARGE_INTEGER value{};
  QueryPerformanceCounter(&value);
  double frequency = CounterFrequency();
  return frequency > 0 ? static_cast<double>(value.QuadPart) / frequency : 0.0;
}

// Cycle counts measure CPU time far more finely than the 15.6 ms tick of the process
// times; the rate is calibrated once against the performance counter.
double CyclesPerMillisecond() {
  static const double rate = [] {
    ULONG64 cyclesBefore = 0;
    ULONG64 cyclesAfter = 0;
    if (!QueryThreadCycleTime(GetCurrentThread(), &cyclesBefore)) return 0.0;
    double start = CounterSeconds();
    double now = start;
    while (now - start < 0.02) now = CounterSeconds();
    if (!QueryThreadCycleTime(GetCurrentThread(), &cyclesAfter)) return 0.0;
    double elapsedMs = (now - start) * 1000.0;
    if (elapsedMs <= 0) return 0.0;
    return static_cast<double>(cyclesAfter - cyclesBefore) / elapsedMs;
  }();
  return rate;
}

double ProcessCpu() {
  double rate = CyclesPerMillisecond();
  if (!(rate > 0)) return 0.0;
  ULONG64 cycles = 0;
  if (!QueryProcessCycleTime(GetCurrentProcess(), &cycles)) return 0.0;
  return static_cast<double>(cycles) / rate;
}

std::optional<std::string> ReadLogVariable() {
  SetLastError(ERROR_SUCCESS);
  DWORD needed = GetEnvironmentVariableW(L"TESSARY_LOG", nullptr, 0);
  if (needed == 0) {
    if (GetLastError() == ERROR_ENVVAR_NOT_FOUND) return std::nullopt;
    return std::string();
  }
  std::wstring value(needed, L'\0');
  DWORD length = GetEnvironmentVariableW(L"TESSARY_LOG", value.data(), needed);
  if (length == 0 || length >= needed) {
    // Gone, emptied or grown meanwhile: defined, but naming no file we can trust.
    return GetLastError() == ERROR_ENVVAR_NOT_FOUND ? std::nullopt : std::optional<std::string>("");
  }
  return ToUtf8(std::u16string_view(reinterpret_cast<const char16_t*>(value.data()), length));
}

void AppendLine(const std::string& path, std::string_view line) {
  std::u16string wide = FromUtf8(path);
  // Opened per line and shared, so the file can be read, moved or deleted meanwhile.
  HANDLE file = CreateFileW(reinterpret_cast<const wchar_t*>(wide.c_str()), FILE_APPEND_DATA,
                            FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
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
  environment.nowSeconds = CounterSeconds;
  environment.processCpuMs = ProcessCpu;
  return environment;
}

}  // namespace tessary
