#include "platform/win32/mouse_hook_win32.h"

#include <atomic>

namespace tessary {
namespace {

// A low-level hook procedure has no context argument, and the process runs one hook.
std::atomic<MouseHookShared*> g_shared{nullptr};
std::atomic<HWND> g_target{nullptr};

struct StartContext {
  HANDLE started = nullptr;  // an event set once the hook is in place (or failed)
  bool hooked = false;
};

std::uint32_t HeldModifiers() {
  std::uint32_t modifiers = 0;
  if (GetAsyncKeyState(VK_CONTROL) < 0) modifiers |= 2;
  if (GetAsyncKeyState(VK_MENU) < 0) modifiers |= 1;
  if (GetAsyncKeyState(VK_SHIFT) < 0) modifiers |= 4;
  if (GetAsyncKeyState(VK_LWIN) < 0 || GetAsyncKeyState(VK_RWIN) < 0) modifiers |= 8;
  return modifiers;
}

MouseHookEvent Describe(WPARAM message, const MSLLHOOKSTRUCT& data) {
  MouseHookEvent event;
  event.x = data.pt.x;
  event.y = data.pt.y;
  const WORD high = HIWORD(data.mouseData);
  switch (message) {
    case WM_MOUSEWHEEL:
      event.kind = MouseHookEventKind::kWheel;
      event.wheelDelta = static_cast<short>(high);
      break;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
      event.kind = message == WM_MBUTTONDOWN ? MouseHookEventKind::kButtonDown
                                             : MouseHookEventKind::kButtonUp;
      event.button = kHookButtonMiddle;
      break;
    case WM_XBUTTONDOWN:
    case WM_XBUTTONUP:
      event.kind = message == WM_XBUTTONDOWN ? MouseHookEventKind::kButtonDown
                                             : MouseHookEventKind::kButtonUp;
      event.button = high == XBUTTON1 ? kHookButtonBack : kHookButtonForward;
      break;
    default:
      break;
  }
  // Key state is read only for presses: the hook must return quickly.
  if (event.kind == MouseHookEventKind::kButtonDown) event.modifiers = HeldModifiers();
  return event;
}

LRESULT CALLBACK MouseHookProc(int code, WPARAM message, LPARAM data) {
  MouseHookShared* shared = g_shared.load();
  if (code == HC_ACTION && shared != nullptr) {
    const MouseHookEvent event = Describe(message, *reinterpret_cast<const MSLLHOOKSTRUCT*>(data));
    const MouseHookVerdict verdict = DecideMouseHook(*shared, event);
    if (verdict.post) {
      HWND target = g_target.load();
      if (target != nullptr) {
        PostMessageW(target, verdict.post->message, static_cast<WPARAM>(verdict.post->wParam),
                     static_cast<LPARAM>(verdict.post->lParam));
      }
    }
    if (verdict.swallow) return 1;
  }
  return CallNextHookEx(nullptr, code, message, data);
}

DWORD WINAPI RunMouseHook(LPVOID parameter) {
  auto* context = static_cast<StartContext*>(parameter);
  MSG message;
  // Make sure the thread has a queue before anyone posts WM_QUIT to it.
  PeekMessageW(&message, nullptr, WM_USER, WM_USER, PM_NOREMOVE);
  HHOOK hook = SetWindowsHookExW(WH_MOUSE_LL, MouseHookProc, GetModuleHandleW(nullptr), 0);
  context->hooked = hook != nullptr;
  SetEvent(context->started);  // `context` belongs to the starter from here on
  if (hook == nullptr) return 1;
  // Low-level hooks are called through this thread's message loop.
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    DispatchMessageW(&message);
  }
  UnhookWindowsHookEx(hook);
  return 0;
}

}  // namespace

bool Win32MouseHook::Start(MouseHookShared& shared) {
  if (thread_ != nullptr) return true;
  HWND target = mainWindow_ ? mainWindow_() : nullptr;
  if (target == nullptr) return false;
  g_shared.store(&shared);
  g_target.store(target);
  StartContext context;
  context.started = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  if (context.started == nullptr) return false;
  DWORD threadId = 0;
  HANDLE thread = CreateThread(nullptr, 0, RunMouseHook, &context, 0, &threadId);
  if (thread == nullptr) {
    CloseHandle(context.started);
    return false;
  }
  // Wait until the hook is in place, so a failure is known and a Stop right after Start
  // finds the thread's queue.
  WaitForSingleObject(context.started, INFINITE);
  CloseHandle(context.started);
  if (!context.hooked) {
    WaitForSingleObject(thread, 1000);
    CloseHandle(thread);
    return false;
  }
  thread_ = thread;
  threadId_ = threadId;
  return true;
}

void Win32MouseHook::Stop() {
  if (thread_ == nullptr) return;
  PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
  // A thread that does not end in time is left to end on its own.
  WaitForSingleObject(thread_, 1000);
  CloseHandle(thread_);
  thread_ = nullptr;
  threadId_ = 0;
}

}  // namespace tessary
