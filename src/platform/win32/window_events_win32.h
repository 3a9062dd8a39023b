#pragma once

// Out-of-context WinEvent hooks and the main window's display messages, delivered to one
// sink. Hook callbacks can arrive whenever the main thread waits inside a system call
// (a SetWindowPos to another application's window, a WM_GETICON with time-out), so they
// are queued and handed over from the message loop, through a message posted to the main
// window.

#include <windows.h>

#include <deque>
#include <functional>
#include <vector>

#include "platform/window_events.h"

namespace tessary {

class Win32WindowEvents : public WindowEvents {
 public:
  // Installs one hook for the events first..last (SetWinEventHook); null when it fails.
  using HookInstaller = std::function<HWINEVENTHOOK(DWORD first, DWORD last, WINEVENTPROC)>;

  Win32WindowEvents();
  // With another installer in place of the system's (one that refuses a range, say).
  explicit Win32WindowEvents(HookInstaller installer);
  ~Win32WindowEvents() override;
  Win32WindowEvents(const Win32WindowEvents&) = delete;
  Win32WindowEvents& operator=(const Win32WindowEvents&) = delete;

  // Without a main window, events are handed over at once, inside the hook callback.
  void Attach(HWND mainWindow) { mainWindow_ = mainWindow; }

  bool Install(std::function<void(const WindowEvent&)> sink) override;
  void Uninstall() override;

  // The message this object posts to the main window to have its queue delivered.
  UINT DeliveryMessage() const { return deliveryMessage_; }
  // The main window received DeliveryMessage(): hand every queued event to the sink.
  void DeliverQueued();
  // The main window received WM_DISPLAYCHANGE, or WM_SETTINGCHANGE for the work area.
  void OnSystemChange(WindowEventKind kind);

  // Called by the hook callback.
  void Queue(const WindowEvent& event);

 private:
  HookInstaller installer_;
  HWND mainWindow_ = nullptr;
  UINT deliveryMessage_ = 0;
  std::function<void(const WindowEvent&)> sink_;
  std::vector<HWINEVENTHOOK> hooks_;
  std::deque<WindowEvent> pending_;
  bool deliveryPosted_ = false;
};

}  // namespace tessary
