#include "base/log.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <mutex>
#include <utility>

#include "base/utf.h"

namespace tessary {
namespace {

// A line is cut after this many UTF-16 units, the width of the line format.
constexpr std::size_t kMaxLineUnits = 509;
// Paths of 260 units or more do not fit the variable's buffer; such a value names no file.
constexpr std::size_t kMaxPathUnits = 259;

LogEnvironment DefaultEnvironment() {
  LogEnvironment environment;
  environment.readLogVariable = []() -> std::optional<std::string> {
    const char* value = std::getenv("TESSARY_LOG");
    if (value == nullptr) return std::nullopt;
    return std::string(value);
  };
  environment.appendToFile = [](const std::string& path, std::string_view line) {
    std::FILE* file = std::fopen(path.c_str(), "ab");
    if (file == nullptr) return;
    std::fwrite(line.data(), 1, line.size(), file);
    std::fclose(file);
  };
  environment.nowSeconds = [] {
    using Clock = std::chrono::steady_clock;
    return std::chrono::duration<double>(Clock::now().time_since_epoch()).count();
  };
  environment.processCpuMs = [] {
    return static_cast<double>(std::clock()) * 1000.0 / CLOCKS_PER_SEC;
  };
  return environment;
}

struct LogState {
  std::mutex mutex;  // guards everything below; only taken off the fast path
  LogEnvironment environment = DefaultEnvironment();
  bool variableRead = false;
  bool logOn = false;
  bool perfOn = false;
  std::string logPath;
  std::function<void(std::string_view)> recorder;
  std::function<void(std::string_view)> diagnostics;
};

LogState& State() {
  static LogState* state = new LogState;  // never destroyed: Log may run during exit
  return *state;
}

// True once the variable has been read and there is neither a log file nor a recording:
// the one flag Log tests before returning.
std::atomic<bool> g_quiet{false};
// 0 = not yet read, 1 = off, 2 = on.
std::atomic<int> g_perf{0};

void UpdateQuietLocked(LogState& state) {
  g_quiet.store(state.variableRead && !state.logOn && !state.recorder && !state.diagnostics,
                 std::memory_order_relaxed);
}

// UTF-16 units of one character: the limits below are those of the platform's wide
// buffers.
std::size_t Utf16Units(const CodePoint& character) { return character.length == 4 ? 2 : 1; }

std::size_t Utf16Length(std::string_view text) {
  std::size_t units = 0;
  for (std::size_t i = 0; i < text.size();) {
    const CodePoint character = DecodeCodePoint(text, i);
    units += Utf16Units(character);
    i += character.length;
  }
  return units;
}

std::string CutLogLine(std::string_view text) {
  std::size_t units = 0;
  std::size_t end = 0;
  while (end < text.size()) {
    const CodePoint character = DecodeCodePoint(text, end);
    // Never split a character: a pair that would straddle the limit is left out whole.
    if (units + Utf16Units(character) > kMaxLineUnits) break;
    units += Utf16Units(character);
    end += character.length;
  }
  std::string line(text.substr(0, end));
  line.push_back('\n');
  return line;
}

void ReadVariableLocked(LogState& state) {
  if (state.variableRead) return;
  state.variableRead = true;
  std::optional<std::string> value;
  if (state.environment.readLogVariable) value = state.environment.readLogVariable();
  state.perfOn = value.has_value();
  state.logOn = value.has_value() && !value->empty() && Utf16Length(*value) <= kMaxPathUnits;
  state.logPath = state.logOn ? *value : std::string();
  g_perf.store(state.perfOn ? 2 : 1, std::memory_order_relaxed);
  UpdateQuietLocked(state);
}

}  // namespace

void Log(const char* format, ...) {
  if (g_quiet.load(std::memory_order_relaxed)) return;

  LogState& state = State();
  std::unique_lock lock(state.mutex);
  ReadVariableLocked(state);
  if (!state.logOn && !state.recorder && !state.diagnostics) return;

  // 509 units take at most 4 bytes each, so this buffer always holds the kept part.
  char buffer[2048];
  va_list arguments;
  va_start(arguments, format);
  int written = std::vsnprintf(buffer, sizeof buffer, format, arguments);
  va_end(arguments);
  if (written < 0) return;
  std::size_t length = std::min<std::size_t>(static_cast<std::size_t>(written), sizeof buffer - 1);
  std::string line = CutLogLine(std::string_view(buffer, length));

  // Copies, so that the recorder and the file are used without holding the lock (the
  // recorder may itself log).
  auto recorder = state.recorder;
  auto diagnostics = state.diagnostics;
  auto append = state.environment.appendToFile;
  bool logOn = state.logOn;
  std::string path = state.logPath;
  lock.unlock();

  if (diagnostics) diagnostics(line);
  if (recorder) recorder(line);
  if (logOn && append) append(path, line);
}

void InstallLogEnvironment(LogEnvironment environment) {
  LogState& state = State();
  std::lock_guard lock(state.mutex);
  LogEnvironment defaults = DefaultEnvironment();
  if (!environment.readLogVariable) environment.readLogVariable = defaults.readLogVariable;
  if (!environment.appendToFile) environment.appendToFile = defaults.appendToFile;
  if (!environment.nowSeconds) environment.nowSeconds = defaults.nowSeconds;
  if (!environment.processCpuMs) environment.processCpuMs = defaults.processCpuMs;
  state.environment = std::move(environment);
  // The variable is read again on the next use, from the new environment.
  state.variableRead = false;
  state.logOn = false;
  state.perfOn = false;
  state.logPath.clear();
  g_perf.store(0, std::memory_order_relaxed);
  UpdateQuietLocked(state);
}

void SetLogRecorder(std::function<void(std::string_view line)> recorder) {
  LogState& state = State();
  std::lock_guard lock(state.mutex);
  state.recorder = std::move(recorder);
  UpdateQuietLocked(state);
}

void SetDiagnosticsRecorder(std::function<void(std::string_view line)> recorder) {
  LogState& state = State();
  std::lock_guard lock(state.mutex);
  state.diagnostics = std::move(recorder);
  UpdateQuietLocked(state);
}

bool PerformanceRecordingOn() {
  int perf = g_perf.load(std::memory_order_relaxed);
  if (perf != 0) return perf == 2;
  LogState& state = State();
  std::lock_guard lock(state.mutex);
  ReadVariableLocked(state);
  return state.perfOn;
}

double NowSeconds() {
  LogState& state = State();
  std::lock_guard lock(state.mutex);
  return state.environment.nowSeconds();
}

double ProcessCpuMilliseconds() {
  LogState& state = State();
  std::lock_guard lock(state.mutex);
  return state.environment.processCpuMs();
}

}  // namespace tessary
