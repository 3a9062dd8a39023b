#pragma once

// Animation ticks that follow the compositor: one background thread waits for each
// composition (DwmFlush) and posts WM_TIMER to every subscribed window. One set for the
// whole process, started at the first subscription and kept until the process ends; the
// thread only posts messages and never touches a window's state.

#include <windows.h>

#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <set>
#include <utility>

namespace tessary {

class FramePacer {
 public:
  static FramePacer& Instance();

  // Adds (window, timerId), starts the thread if needed and wakes it.
  void Subscribe(HWND window, UINT_PTR timerId);
  void Unsubscribe(HWND window, UINT_PTR timerId);
  bool Subscribed(HWND window, UINT_PTR timerId);
  std::size_t Count();

 private:
  FramePacer() = default;
  void Run();
  static void WaitForFrame();

  std::mutex mutex_;
  std::condition_variable wake_;
  std::set<std::pair<HWND, UINT_PTR>> subscriptions_;
  bool running_ = false;
};

}  // namespace tessary
