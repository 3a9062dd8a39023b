#include "platform/win32/hook_thread_win32.h"

#include <atomic>
#include <memory>

namespace tessary {
namespace {

// Shared by the starter and the thread: a starter that stops waiting must not leave the
// thread writing into its stack.
struct StartState {
  HookThread::Body body;
  HANDLE answered = nullptr;  // set once the body has called `ready`
  std::atomic<bool> hooked{false};
  ~StartState() {
    if (answered != nullptr) CloseHandle(answered);
  }
};

DWORD WINAPI RunHookThread(LPVOID parameter) {
  std::unique_ptr<std::shared_ptr<StartState>> handed(
      static_cast<std::shared_ptr<StartState>*>(parameter));
  StartState& state = **handed;
  MSG message;
  // Make sure the thread has a queue before anyone posts WM_QUIT to it.
  PeekMessageW(&message, nullptr, WM_USER, WM_USER, PM_NOREMOVE);
  state.body([&state](bool hooked) {
    state.hooked = hooked;
    SetEvent(state.answered);
  });
  return 0;
}

}  // namespace

HookThread::Body HookThread::LowLevelHook(int kind, HOOKPROC procedure) {
  return [kind, procedure](const Ready& ready) {
    HHOOK hook = SetWindowsHookExW(kind, procedure, GetModuleHandleW(nullptr), 0);
    ready(hook != nullptr);
    if (hook == nullptr) return;
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
    UnhookWindowsHookEx(hook);
  };
}

bool HookThread::Start(const Body& body) {
  if (thread_ != nullptr) return true;
  auto state = std::make_shared<StartState>();
  state->body = body;
  state->answered = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  if (state->answered == nullptr) return false;
  auto* handed = new std::shared_ptr<StartState>(state);
  DWORD threadId = 0;
  HANDLE thread = CreateThread(nullptr, 0, RunHookThread, handed, 0, &threadId);
  if (thread == nullptr) {
    delete handed;
    return false;
  }
  const bool answered =
      WaitForSingleObject(state->answered, kHookThreadWaitMilliseconds) == WAIT_OBJECT_0;
  if (answered && state->hooked) {
    thread_ = thread;
    threadId_ = threadId;
    return true;
  }
  // Without a hook the thread ends by itself. One that has not answered yet may still
  // install its hook later: the WM_QUIT waiting in its queue ends its loop at once.
  if (answered) {
    WaitForSingleObject(thread, kHookThreadWaitMilliseconds);
  } else {
    PostThreadMessageW(threadId, WM_QUIT, 0, 0);
  }
  CloseHandle(thread);
  return false;
}

void HookThread::Stop() {
  if (thread_ == nullptr) return;
  PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
  // A thread that does not end in time is left to end on its own.
  WaitForSingleObject(thread_, kHookThreadWaitMilliseconds);
  CloseHandle(thread_);
  thread_ = nullptr;
  threadId_ = 0;
}

}  // namespace tessary
