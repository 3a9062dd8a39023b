#include "platform/win32/input_win32.h"

#include <atomic>
#include <future>

#include "platform/key_injector.h"
#include "platform/win32/main_window_messages.h"

namespace tessary {
namespace {

// Where the hook posts its reports. A low-level hook procedure has no context argument,
// and one process runs at most one watch.
std::atomic<HWND> g_escapeTarget{nullptr};

LRESULT CALLBACK EscapeHookProc(int code, WPARAM message, LPARAM data) {
  if (code == HC_ACTION) {
    const auto* key = reinterpret_cast<const KBDLLHOOKSTRUCT*>(data);
    // Our own injected keys pass (they carry the tag), and so does Alt+Escape, the
    // system's window switching key.
    if (key->vkCode == VK_ESCAPE && key->dwExtraInfo != kInjectedKeyTag &&
        (key->flags & LLKHF_ALTDOWN) == 0) {
      if (message == WM_KEYDOWN || message == WM_SYSKEYDOWN) {
        HWND target = g_escapeTarget.load();
        if (target != nullptr) PostMessageW(target, kEscapePressedMessage, 0, 0);
      }
      return 1;  // swallowed: the press and its release never reach the dragged window
    }
  }
  return CallNextHookEx(nullptr, code, message, data);
}

void RunEscapeHook(std::promise<DWORD> started) {
  MSG message;
  // Make sure the thread has a queue before anyone posts WM_QUIT to it.
  PeekMessageW(&message, nullptr, WM_USER, WM_USER, PM_NOREMOVE);
  HHOOK hook = SetWindowsHookExW(WH_KEYBOARD_LL, EscapeHookProc, GetModuleHandleW(nullptr), 0);
  started.set_value(hook != nullptr ? GetCurrentThreadId() : 0);
  if (hook == nullptr) return;
  // Low-level hooks are called through this thread's message loop.
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
  }
  UnhookWindowsHookEx(hook);
}

}  // namespace

Win32Input::~Win32Input() { StopEscapeWatch(); }

Point Win32Input::CursorPosition() {
  POINT point{};
  if (!GetCursorPos(&point)) return Point{};
  return Point{static_cast<double>(point.x), static_cast<double>(point.y)};
}

bool Win32Input::IsKeyDown(Key key) {
  int virtualKey = static_cast<int>(key);
  // GetAsyncKeyState reads the physical buttons; with swapped buttons (left-handed use)
  // the logical left button, the one that drags, is the physical right one.
  if ((key == Key::kLeftButton || key == Key::kRightButton) && GetSystemMetrics(SM_SWAPBUTTON)) {
    virtualKey = key == Key::kLeftButton ? VK_RBUTTON : VK_LBUTTON;
  }
  return GetAsyncKeyState(virtualKey) < 0;
}

bool Win32Input::StartEscapeWatch(std::function<void()> onEscape) {
  if (mainWindow_ == nullptr) return false;
  onEscape_ = std::move(onEscape);
  if (hookThreadId_ != 0) return true;
  g_escapeTarget.store(mainWindow_);
  std::promise<DWORD> started;
  std::future<DWORD> threadId = started.get_future();
  hookThread_ = std::thread(RunEscapeHook, std::move(started));
  hookThreadId_ = threadId.get();
  if (hookThreadId_ == 0) {
    hookThread_.join();
    g_escapeTarget.store(nullptr);
    return false;
  }
  return true;
}

void Win32Input::StopEscapeWatch() {
  if (hookThreadId_ == 0) return;
  PostThreadMessageW(hookThreadId_, WM_QUIT, 0, 0);
  hookThread_.join();
  hookThreadId_ = 0;
  g_escapeTarget.store(nullptr);
}

void Win32Input::DeliverEscape() {
  std::function<void()> handler = onEscape_;
  if (handler) handler();
}

}  // namespace tessary
