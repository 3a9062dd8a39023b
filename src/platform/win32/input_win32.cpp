#include "platform/win32/input_win32.h"

#include <atomic>

#include "platform/key_injector.h"
#include "platform/main_window.h"

namespace tessary {
namespace {

// Where the hook posts its reports. A low-level hook procedure has no context argument,
// and one process runs at most one watch.
std::atomic<HWND> g_escapeTarget{nullptr};

LRESULT CALLBACK EscapeHookProc(int code, WPARAM message, LPARAM data) {
  if (code == HC_ACTION) {
    const auto* key = reinterpret_cast<const KBDLLHOOKSTRUCT*>(data);
    // Our own injected keys pass (they carry the tag), and so does Alt+Escape, the
    // system's window switching key, which comes as WM_SYSKEYDOWN and WM_SYSKEYUP.
    if (key->vkCode == VK_ESCAPE && key->dwExtraInfo != kInjectedKeyTag &&
        (message == WM_KEYDOWN || message == WM_KEYUP)) {
      if (message == WM_KEYDOWN) {
        HWND target = g_escapeTarget.load();
        if (target != nullptr) {
          PostMessageW(target, main_window_message::kEscapePressed, 0, 0);
        }
      }
      return 1;  // swallowed: the press and its release never reach the dragged window
    }
  }
  return CallNextHookEx(nullptr, code, message, data);
}

}  // namespace

Win32Input::Win32Input() : Win32Input(HookThread::LowLevelHook(WH_KEYBOARD_LL, EscapeHookProc)) {}

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
  if (hookThread_.Running()) return true;
  g_escapeTarget.store(mainWindow_);
  if (hookThread_.Start(escapeHook_)) return true;
  g_escapeTarget.store(nullptr);
  return false;
}

void Win32Input::StopEscapeWatch() {
  hookThread_.Stop();
  g_escapeTarget.store(nullptr);
}

void Win32Input::DeliverEscape() {
  std::function<void()> handler = onEscape_;
  if (handler) handler();
}

}  // namespace tessary
