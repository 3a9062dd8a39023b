#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

#include "base/log.h"

namespace tessary {
namespace {

// "%.1f" in the classic locale, whatever locale the process runs in.
void AppendTenths(std::string& out, double value) {
  if (!std::isfinite(value)) value = 0.0;
  char buffer[64];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 1);
  if (result.ec != std::errc()) {
    out += "0.0";
    return;
  }
  out.append(buffer, result.ptr);
}

// Only the UI thread opens views, but a worker that measured would keep its own marks.
thread_local PerformanceRecord* markTarget = nullptr;

}  // namespace

PerformanceMarkScope::PerformanceMarkScope(PerformanceRecord* record) : previous_(markTarget) {
  markTarget = record;
}

PerformanceMarkScope::~PerformanceMarkScope() { markTarget = previous_; }

void MarkPerformance(std::string_view label) {
  if (markTarget) markTarget->Mark(label);
}

PerformanceRecord::PerformanceRecord(std::string name) : name_(std::move(name)) {
  enabled_ = PerformanceRecordingOn();
  if (!enabled_) return;
  start_ = NowSeconds();
  lastMark_ = start_;
  startCpu_ = ProcessCpuMilliseconds();
}

void PerformanceRecord::Mark(std::string_view label) {
  if (!enabled_) return;
  double now = NowSeconds();
  if (!marks_.empty()) marks_ += ' ';
  marks_ += label;
  marks_ += '=';
  AppendTenths(marks_, (now - lastMark_) * 1000.0);
  lastMark_ = now;
}

void PerformanceRecord::Finish() {
  if (!enabled_ || finished_) return;
  finished_ = true;

  std::string line = "perf " + name_ + " total=";
  AppendTenths(line, (NowSeconds() - start_) * 1000.0);
  line += " cpu=";
  AppendTenths(line, ProcessCpuMilliseconds() - startCpu_);

  if (!frames_.empty()) {
    std::vector<double> sorted = frames_;
    std::sort(sorted.begin(), sorted.end());
    double sum = 0;
    int longFrames = 0;
    for (double frame : sorted) {
      sum += frame;
      if (frame > 25.0) ++longFrames;
    }
    std::size_t count = sorted.size();
    std::size_t p95 = std::min(static_cast<std::size_t>(std::floor(count * 0.95)), count - 1);
    line += " frames=" + std::to_string(count) + " first=";
    AppendTenths(line, first_);
    line += " avg=";
    AppendTenths(line, sum / static_cast<double>(count));
    line += " p95=";
    AppendTenths(line, sorted[p95]);
    line += " max=";
    AppendTenths(line, sorted.back());
    line += " long=" + std::to_string(longFrames);
  }
  if (gpuFrames_ > 0) {
    line += " gpu=";
    AppendTenths(line, gpuTotal_);
    line += " gpuFrame=";
    AppendTenths(line, gpuTotal_ / gpuFrames_);
  }
  if (!marks_.empty()) line += " [" + marks_ + "]";
  line += tail_;
  Log("%s", line.c_str());
}

}  // namespace tessary
