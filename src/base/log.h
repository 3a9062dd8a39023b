#pragma once

// Trace lines and performance records. Every subsystem writes short printf-style lines
// through Log(); they go to the file named by TESSARY_LOG and to an open diagnostics
// recording. Window titles never go into a line: windows are named by id and app name.
//
// Log() costs one flag test when neither a log file nor a recording is active.

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tessary {

// printf-style, UTF-8 text (%s for strings). A line longer than 509 characters is cut
// there; a line feed is always appended.
void Log(const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;

// What logging needs from the system, installed once at start-up by the platform
// backend (the defaults use the C++ standard library). Tests install their own.
struct LogEnvironment {
  // The value of TESSARY_LOG: absent when the variable is not defined at all.
  std::function<std::optional<std::string>()> readLogVariable;
  // Appends one line to the file (opened and closed per line, shared for reading and
  // writing); failures are silent.
  std::function<void(const std::string& path, std::string_view line)> appendToFile;
  // Seconds from the high-resolution clock, and the process's CPU time in milliseconds.
  std::function<double()> nowSeconds;
  std::function<double()> processCpuMs;
};
void InstallLogEnvironment(LogEnvironment environment);

// A listener of every line (tests read the log through it).
void SetLogRecorder(std::function<void(std::string_view line)> recorder);
// The open diagnostics recording: while set, every line is handed to it as well. Kept apart
// from the listener above so that a recording and a reader of the log never replace each
// other.
void SetDiagnosticsRecorder(std::function<void(std::string_view line)> recorder);

// Installing an environment makes the next Log or record read TESSARY_LOG again from it.
// Missing members fall back to the defaults.

// The shared clocks of animations, toasts and the diagnostics recorder: seconds from the
// high-resolution counter, and the process's CPU time in milliseconds.
double NowSeconds();
double ProcessCpuMilliseconds();

// Whether performance records measure: TESSARY_LOG is defined, even with an empty value.
bool PerformanceRecordingOn();

// Measures one operation (an animation, a capture, opening a view) and ends in a single
// "perf ..." line. Costs one flag test when performance recording is off.
class PerformanceRecord {
 public:
  explicit PerformanceRecord(std::string name);
  ~PerformanceRecord() = default;

  void Mark(std::string_view label);
  void AddFrame(double milliseconds) { if (enabled_) frames_.push_back(milliseconds); }
  void SetFirst(double milliseconds) { first_ = milliseconds; }
  void AddGpu(double milliseconds) { gpuTotal_ += milliseconds; ++gpuFrames_; }
  void SetTail(std::string tail) { tail_ = std::move(tail); }
  bool Enabled() const { return enabled_; }

  // Writes the line once; later calls do nothing.
  void Finish();

 private:
  std::string name_;
  bool enabled_ = false;
  bool finished_ = false;
  double start_ = 0;
  double lastMark_ = 0;
  double startCpu_ = 0;
  std::string marks_;
  std::vector<double> frames_;
  double first_ = 0;
  double gpuTotal_ = 0;
  unsigned gpuFrames_ = 0;
  std::string tail_;
};

// While one is alive, MarkPerformance adds its marks to `record`: the layers below a view
// (surface, text, icons) then name their share of opening it without the record being
// handed down through every interface. Scopes nest; the innermost one takes the marks, and
// one made with null keeps an outer record's marks clean of an operation it does not time.
class PerformanceMarkScope {
 public:
  explicit PerformanceMarkScope(PerformanceRecord* record);
  ~PerformanceMarkScope();
  PerformanceMarkScope(const PerformanceMarkScope&) = delete;
  PerformanceMarkScope& operator=(const PerformanceMarkScope&) = delete;

 private:
  PerformanceRecord* previous_;
};

// Marks the record of the innermost live scope on this thread; nothing without one.
void MarkPerformance(std::string_view label);

}  // namespace tessary
