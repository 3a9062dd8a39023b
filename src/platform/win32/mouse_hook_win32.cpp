#include "platform/win32/mouse_hook_win32.h"

#include <atomic>

namespace tessary {
namespace {

// A low-level hook procedure has no context argument, and the process runs one hook.
std::atomic<MouseHookShared*> g_shared{nullptr};
std::atomic<HWND> g_target{nullptr};

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
    case WM_MOUSEMOVE:
      event.kind = MouseHookEventKind::kMove;
      break;
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

}  // namespace

Win32MouseHook::Win32MouseHook(std::function<HWND()> mainWindow)
    : Win32MouseHook(std::move(mainWindow), HookThread::LowLevelHook(WH_MOUSE_LL, MouseHookProc)) {}

bool Win32MouseHook::Start(MouseHookShared& shared) {
  if (thread_.Running()) return true;
  HWND target = mainWindow_ ? mainWindow_() : nullptr;
  if (target == nullptr) return false;
  g_shared.store(&shared);
  g_target.store(target);
  if (thread_.Start(body_)) return true;
  g_shared.store(nullptr);
  g_target.store(nullptr);
  return false;
}

void Win32MouseHook::Stop() {
  thread_.Stop();
  // A thread left running passes every event on.
  g_shared.store(nullptr);
}

}  // namespace tessary
