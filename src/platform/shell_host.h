#pragma once

// What the application shell needs from the system beyond the desktop interfaces of
// platform/platform.h: the single-instance lock, the main window and its loop, hotkeys,
// the keyboard layouts' AltGr answer, the tray icon, popup menus, the mouse hook, and a
// few one-off services. The Win32 backend and the simulated host (platform/sim/
// sim_shell_host.h) each provide one. The Escape watch, key injection, the information
// beep and opening web pages are already Platform's (Input, KeyInjector, Prompts,
// Launcher).

#include <cstdint>
#include <optional>
#include <string>

#include "platform/hotkeys.h"
#include "platform/http_client.h"
#include "platform/instance_lock.h"
#include "platform/main_window.h"
#include "platform/mouse_hook.h"
#include "platform/popup_menu.h"
#include "platform/tray_icon.h"
#include "platform/system_description.h"

namespace tessary {

// The fixed file version of the program's own version resource, as the three numbers
// shown to the user: HIWORD(dwFileVersionMS), LOWORD(dwFileVersionMS),
// HIWORD(dwFileVersionLS).
struct ProgramVersion {
  std::uint32_t major = 0;
  std::uint32_t minor = 0;
  std::uint32_t build = 0;
  // LOWORD(dwFileVersionLS): the build number the update check compares; 0 when unknown.
  std::uint32_t revision = 0;

  friend bool operator==(const ProgramVersion&, const ProgramVersion&) = default;
};

class ShellServices {
 public:
  virtual ~ShellServices() = default;

  // The process-wide Direct2D factory (single-threaded) and DirectWrite factory (shared)
  // that every surface uses. False when either cannot be made: the program then ends with
  // exit code 1 before any window exists. Calling again after success does nothing.
  virtual bool CreateGraphicsFactories() = 0;
  // GetModuleFileNameW + GetFileVersionInfoW + VerQueryValueW("\\"); none when any step
  // fails.
  virtual std::optional<ProgramVersion> OwnVersion() = 0;
  // The feedback form's details: CurrentBuild and DisplayVersion under
  // HKLM\SOFTWARE\Microsoft\Windows NT\CurrentVersion, SystemManufacturer and
  // SystemProductName under HKLM\HARDWARE\DESCRIPTION\System\BIOS (empty when
  // missing), and GetSystemMetrics(SM_CMONITORS).
  virtual SystemDescription DescribeSystem() = 0;
};

// References, not copies: the backend owns the implementations and outlives the shell.
struct ShellHost {
  InstanceLock& instanceLock;
  MainWindow& mainWindow;
  Hotkeys& hotkeys;
  KeyboardLayouts& keyboardLayouts;
  TrayIcon& tray;
  PopupMenus& menus;
  MouseHook& mouseHook;
  ShellServices& services;
  HttpClient& http;
};

}  // namespace tessary
