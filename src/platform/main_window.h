#pragma once

// The program's hidden main window and its message loop. The window owns the tray icon,
// the hotkeys and the timers; every message the platform itself does not consume is
// handed to one portable procedure (shell/main_window_routing.h).

#include <cstdint>
#include <functional>
#include <optional>

#include "platform/ids.h"

namespace tessary {

// Message ids with the system's values, so the backend passes them through unchanged.
namespace main_window_message {
inline constexpr std::uint32_t kDestroy = 0x0002;        // WM_DESTROY
inline constexpr std::uint32_t kSettingChange = 0x001A;  // WM_SETTINGCHANGE
inline constexpr std::uint32_t kDisplayChange = 0x007E;  // WM_DISPLAYCHANGE
inline constexpr std::uint32_t kTimer = 0x0113;          // WM_TIMER
inline constexpr std::uint32_t kHotkey = 0x0312;         // WM_HOTKEY (wParam: the id)
inline constexpr std::uint32_t kApp = 0x8000;            // WM_APP
// lParam low word: the icon event (tray_icon.h).
inline constexpr std::uint32_t kTrayIcon = kApp + 1;
// wParam: a negative command code (as a signed value); lParam: its argument.
inline constexpr std::uint32_t kCoordinatorCommand = kApp + 2;
// From other processes; wParam: what to open (shell/open_requests.h).
inline constexpr std::uint32_t kOpenRequest = kApp + 10;
// wParam: 1 newer version, 0 up to date, 2 unreachable.
inline constexpr std::uint32_t kUpdateResult = kApp + 11;
// wParam: command index; lParam: cursor x (low 16 bits), y (high 16 bits), both signed.
inline constexpr std::uint32_t kMouseShortcut = kApp + 12;
// wParam: button code (3, 4, 5); lParam: modifier bits.
inline constexpr std::uint32_t kMouseCaptured = kApp + 13;
// Posted by the shell to itself at the end of start-up: work that waits for the message
// loop (the start-up update check).
inline constexpr std::uint32_t kAfterStart = kApp + 15;
// The feedback form's answer from its worker; wParam: 0 sent, 1 no answer, else the HTTP
// status.
inline constexpr std::uint32_t kFeedbackAnswer = kApp + 30;
// Consumed by the platform's Escape watch (Input::StartEscapeWatch), never routed.
inline constexpr std::uint32_t kEscapePressed = kApp + 14;
}  // namespace main_window_message

// The value SPI_SETWORKAREA in WM_SETTINGCHANGE's wParam.
inline constexpr std::uint64_t kSettingWorkArea = 0x2F;

struct MainWindowMessage {
  std::uint32_t message = 0;
  std::uint64_t wParam = 0;
  std::int64_t lParam = 0;
};

// Answers the message's result, or none to leave it to DefWindowProcW.
using MainWindowProcedure = std::function<std::optional<std::int64_t>(const MainWindowMessage&)>;

class MainWindow {
 public:
  virtual ~MainWindow() = default;

  // RegisterClassExW("TessaryMain", icon resource 1) and CreateWindowExW(WS_EX_TOOLWINDOW,
  // "TessaryMain", "Tessary", WS_POPUP, 0, 0, 0, 0, no parent); never shown. The window
  // procedure offers each message to the platform first (timers, window events, the
  // Escape report) and then to `procedure`. False when the window cannot be made.
  virtual bool Create(MainWindowProcedure procedure) = 0;
  virtual WindowId Handle() const = 0;
  // RegisterWindowMessageW("TaskbarCreated"), and ChangeWindowMessageFilterEx(main
  // window, MSGFLT_ALLOW) for it and for WM_APP+1. The registered id (0 on failure): the
  // procedure sees it when Explorer (re)creates the taskbar.
  virtual std::uint32_t RegisterTaskbarCreated() = 0;
  // PostMessageW to the main window; callable from any thread.
  virtual bool Post(std::uint32_t message, std::uint64_t wParam, std::int64_t lParam) = 0;
  // DestroyWindow: the procedure receives WM_DESTROY before this returns.
  virtual void Destroy() = 0;
  // PostQuitMessage(exitCode): the message loop ends.
  virtual void Quit(int exitCode) = 0;
  // GetMessageW for every window of the thread; each message goes through the dialog key
  // pre-filter (platform/dialog_keys.h), then TranslateMessage and DispatchMessageW.
  // Returns when GetMessageW answers 0 (or fails).
  virtual void RunMessageLoop() = 0;
};

}  // namespace tessary
