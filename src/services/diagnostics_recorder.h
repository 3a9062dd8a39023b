#pragma once

// Recording diagnostics: a plain-text file in the state folder's "Diagnostics" folder with
// a snapshot at the start, every trace line written meanwhile (stamped with the seconds
// since the start) and a snapshot at the end. While a recording is open the recorder is
// the log's diagnostics destination (base/log.h); trace lines may come from any thread.

#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>

#include "platform/file_system.h"
#include "services/local_time.h"

namespace tessary {

// Steps stop being written once this many bytes of them are in the file.
inline constexpr std::uint64_t kMaxDiagnosticsStepBytes = 8388608;
// Recordings kept in the folder after a stop, the newest ones.
inline constexpr std::size_t kKeptRecordings = 5;

// "Tessary Diagnostics 2026-12-07 at 04.05.06.txt".
std::string DiagnosticsFileName(const LocalTime& time);

class DiagnosticsRecorder {
 public:
  // `now`: seconds from a monotonic clock, for the steps' stamps.
  DiagnosticsRecorder(FileSystem& files, std::function<double()> now);
  ~DiagnosticsRecorder();
  DiagnosticsRecorder(const DiagnosticsRecorder&) = delete;
  DiagnosticsRecorder& operator=(const DiagnosticsRecorder&) = delete;

  // Creates `folder` and the file named for `time`, writes the header and the start
  // snapshot, and starts taking trace lines. False (and closed) when the file cannot be
  // written or a recording is already open.
  bool Start(const std::string& folder, const LocalTime& time, const std::string& snapshot);
  // One trace line, ending in a line feed.
  void WriteStep(std::string_view line);
  // Writes the end snapshot, closes, keeps the newest recordings and answers the file's
  // path; empty when no recording was open.
  std::string Stop(const std::string& snapshot);
  bool Open() const;

 private:
  void Prune();

  FileSystem& files_;
  std::function<double()> now_;
  mutable std::mutex mutex_;  // trace lines arrive from any thread
  bool open_ = false;
  std::string folder_;
  std::string path_;
  std::uint64_t bytesWritten_ = 0;
  double startedAt_ = 0;
};

}  // namespace tessary
