#include "platform/win32/frame_pacer.h"

#include <dwmapi.h>

#include <thread>
#include <vector>

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
  LARGE_INTEGER frequency{}, start{}, end{};
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&start);
  const bool flushed = SUCCEEDED(DwmFlush());
  QueryPerformanceCounter(&end);
  // Without a compositor (composition off, some remote sessions, Wine) DwmFlush can return
  // at once even when it reports success; the thread would then flood the windows' queues
  // with ticks. A wait of under a millisecond is no frame.
  const bool waited =
      frequency.QuadPart > 0 && (end.QuadPart - start.QuadPart) * 1000 >= frequency.QuadPart;
  if (!flushed || !waited) Sleep(8);
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
