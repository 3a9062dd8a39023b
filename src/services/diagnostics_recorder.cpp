#include "services/diagnostics_recorder.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "base/log.h"

namespace tessary {
namespace {

constexpr std::string_view kNamePrefix = "Tessary Diagnostics ";
constexpr std::string_view kNameSuffix = ".txt";
// UTF-8 with a byte-order mark, so Notepad never guesses the encoding.
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

}  // namespace

std::string DiagnosticsFileName(const LocalTime& t) {
  char stamp[64];
  std::snprintf(stamp, sizeof stamp, "%04d-%02d-%02d at %02d.%02d.%02d", t.year, t.month, t.day,
                t.hour, t.minute, t.second);
  return std::string(kNamePrefix) + stamp + std::string(kNameSuffix);
}

DiagnosticsRecorder::DiagnosticsRecorder(FileSystem& files, std::function<double()> now)
    : files_(files), now_(std::move(now)) {}

DiagnosticsRecorder::~DiagnosticsRecorder() {
  // A recording still open at exit keeps what it has; the log just stops feeding it.
  if (Open()) SetDiagnosticsRecorder(nullptr);
}

bool DiagnosticsRecorder::Open() const {
  std::lock_guard lock(mutex_);
  return open_;
}

bool DiagnosticsRecorder::Start(const std::string& folder, const LocalTime& time,
                                const std::string& snapshot) {
  {
    std::lock_guard lock(mutex_);
    if (open_) return false;
    folder_ = folder;
    files_.CreateFolder(folder);
    const std::string path = JoinPath(folder, DiagnosticsFileName(time));
    const std::string header = std::string(kByteOrderMark) + "Tessary diagnostics, started " +
                               DateTimeText(time) + "\r\n\r\n== At the start ==\r\n" + snapshot +
                               "\r\n== Steps ==\r\n";
    if (!files_.WriteFile(path, header)) return false;
    path_ = path;
    open_ = true;
    bytesWritten_ = 0;
    startedAt_ = now_();
  }
  SetDiagnosticsRecorder([this](std::string_view line) { WriteStep(line); });
  return true;
}

void DiagnosticsRecorder::WriteStep(std::string_view line) {
  std::lock_guard lock(mutex_);
  if (!open_ || line.empty() || bytesWritten_ > kMaxDiagnosticsStepBytes) return;
  char prefix[48];
  const int length = std::snprintf(prefix, sizeof prefix, "%8.2f  ", now_() - startedAt_);
  std::string step(prefix, static_cast<std::size_t>(std::max(length, 0)));
  step += line;
  // A failed write is not retried: the recording goes on with the next line.
  files_.AppendToFile(path_, step);
  bytesWritten_ += step.size();
}

std::string DiagnosticsRecorder::Stop(const std::string& snapshot) {
  std::string path;
  {
    std::lock_guard lock(mutex_);
    if (!open_) return {};
    char heading[96];
    std::snprintf(heading, sizeof heading, "\r\n== At the end (%.1f minutes) ==\r\n",
                  (now_() - startedAt_) / 60.0);
    files_.AppendToFile(path_, heading + snapshot);
    open_ = false;
    path = path_;
  }
  SetDiagnosticsRecorder(nullptr);
  Prune();
  return path;
}

void DiagnosticsRecorder::Prune() {
  std::vector<std::string> names = files_.ListFiles(folder_, kNamePrefix, kNameSuffix);
  // The stamp sorts by time: newest first.
  std::sort(names.begin(), names.end(), std::greater<>());
  for (std::size_t i = kKeptRecordings; i < names.size(); ++i) {
    files_.RemoveFile(JoinPath(folder_, names[i]));  // one in use stays; that is fine
  }
}

}  // namespace tessary
