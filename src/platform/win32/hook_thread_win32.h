#pragma once

// A thread of its own for one low-level hook (mouse shortcuts, Escape during a drag):
// low-level hooks are called through the installing thread's message loop, and a busy
// main thread must never delay other applications' input. The main thread waits for the
// thread at most kHookThreadWaitMilliseconds when starting and when stopping it: a hung
// hook thread is left behind rather than freezing the whole program.

#include <windows.h>

#include <functional>

namespace tessary {

inline constexpr DWORD kHookThreadWaitMilliseconds = 1000;

class HookThread {
 public:
  // Told once whether the hook is in place.
  using Ready = std::function<void(bool hooked)>;
  // What the thread runs: install the hook, call `ready`, and (when hooked) serve the
  // hook until the thread's queue receives WM_QUIT, then remove it.
  using Body = std::function<void(const Ready& ready)>;

  // The body that installs a low-level hook of `kind` (WH_MOUSE_LL, WH_KEYBOARD_LL).
  static Body LowLevelHook(int kind, HOOKPROC procedure);

  HookThread() = default;
  ~HookThread() { Stop(); }
  HookThread(const HookThread&) = delete;
  HookThread& operator=(const HookThread&) = delete;

  // True when already running, or once the body reports its hook in place. False when
  // it reports failure or does not answer in time.
  bool Start(const Body& body);
  // Posts WM_QUIT to the thread and waits for it to end, within the limit.
  void Stop();
  bool Running() const { return thread_ != nullptr; }

 private:
  HANDLE thread_ = nullptr;
  DWORD threadId_ = 0;
};

}  // namespace tessary
