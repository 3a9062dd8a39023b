#include "platform/win32/frame_pacer.h"

#include <thread>
#include <vector>

#include "platform/win32/clock_win32.h"

namespace tessary {

FramePacer& FramePacer::Instance() {
  // Never destroyed: the thread may still be waiting in DwmFlush while the process exits.
  static FramePacer* pacer = new FramePacer();
  return *pacer;
}

void FramePacer::Subscribe(HWND window, UINT_PTR timerId) {
  std::lock_guard<std::mutex> lock(mutex_);
  subscriptions_.emplace(window, timerId);
  if (!running_) {
    running_ = true;
    std::thread([this] { Run(); }).detach();
  }
  wake_.notify_one();
}

void FramePacer::Unsubscribe(HWND window, UINT_PTR timerId) {
  std::lock_guard<std::mutex> lock(mutex_);
  subscriptions_.erase({window, timerId});
}

bool FramePacer::Subscribed(HWND window, UINT_PTR timerId) {
  std::lock_guard<std::mutex> lock(mutex_);
  return subscriptions_.count({window, timerId}) != 0;
}

std::size_t FramePacer::Count() {
  std::lock_guard<std::mutex> lock(mutex_);
  return subscriptions_.size();
}

void FramePacer::WaitForFrame() {
  // Without a compositor at all, the pacer still ticks at about the display's pace.
  if (!WaitForCompositorFrame()) Sleep(Clock::kNoCompositionFrameMilliseconds);
}

void FramePacer::Run() {
  std::vector<std::pair<HWND, UINT_PTR>> copy;
  for (;;) {
    {
      std::unique_lock<std::mutex> lock(mutex_);
      wake_.wait(lock, [this] { return !subscriptions_.empty(); });
      copy.assign(subscriptions_.begin(), subscriptions_.end());
    }
    WaitForFrame();
    for (const auto& [window, id] : copy) {
      if (!IsWindow(window) || !PostMessageW(window, WM_TIMER, id, 0)) {
        std::lock_guard<std::mutex> lock(mutex_);
        subscriptions_.erase({window, id});
      }
    }
  }
}

}  // namespace tessary
