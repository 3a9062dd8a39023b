#pragma once

// One measured call at a time: its duration in the given unit and the heap allocations it
// made, summed over every call; the median duration over the first `capacity` calls.

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "allocation_counter.h"

namespace tessary::bench {

template <class Unit>
class CallSamples {
 public:
  explicit CallSamples(std::size_t capacity) { samples_.reserve(capacity); }

  template <class Call>
  void Measure(Call&& call) {
    StartCountingAllocations();
    const auto begin = std::chrono::steady_clock::now();
    call();
    const auto end = std::chrono::steady_clock::now();
    allocations_ += StopCountingAllocations();
    if (samples_.size() < samples_.capacity()) {
      samples_.push_back(std::chrono::duration<double, Unit>(end - begin).count());
    }
    ++calls_;
  }

  double Median() {
    if (samples_.empty()) return 0;
    std::nth_element(samples_.begin(), samples_.begin() + samples_.size() / 2, samples_.end());
    return samples_[samples_.size() / 2];
  }
  std::int64_t Calls() const { return calls_; }
  // Allocations per measured call.
  double AllocationsPerCall() const {
    return static_cast<double>(allocations_) / static_cast<double>(std::max<std::int64_t>(calls_, 1));
  }

 private:
  std::vector<double> samples_;
  std::size_t allocations_ = 0;
  std::int64_t calls_ = 0;
};

}  // namespace tessary::bench
