#pragma once

// The application shell: the program's entry point and switchboard. It takes the
// single-instance lock, brings up the Coordinator, owns the settings record, the tray
// icon, the toast and the hook threads, routes every message of the main window to the
// part that does the work, and shuts down in order. Main thread only; the hook threads
// reach it by posting to the main window.
//
// One concern per file: startup.cpp, shutdown.cpp, main_window_routing.cpp,
// escape_handling.cpp, open_actions.cpp, tray_presence.cpp, tray_menu_show.cpp,
// tray_menu_commands.cpp, shell_shortcuts.cpp, command_dispatcher.cpp,
// shell_settings_window.cpp.

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/geometry.h"
#include "desktop/desktop.h"
#include "engine/coordinator.h"
#include "platform/window_events.h"
#include "services/diagnostics_recorder.h"
#include "services/feedback_form.h"
#include "services/update_check.h"
#include "shell/command_line.h"
#include "shell/settings_window.h"
#include "shell/shell_environment.h"
#include "shell/tray_menu.h"
#include "shell/window_commands.h"
#include "state/settings_store.h"
#include "state/state_store.h"
#include "surfaces/toast.h"

namespace tessary {

class InfoWindow;
class TourWindow;
enum class TourAction;

// The instance mutex's name: "Quillfrost.Tessary", with "." and the value of
// TESSARY_INSTANCE appended when that is set and not empty (at most 63 characters of it,
// and 127 in all, as the system's buffers hold).
std::string InstanceName(const std::optional<std::string>& instanceVariable);

// "%u.%u.%u" of the version resource; empty when it cannot be read.
std::string VersionText(const std::optional<ProgramVersion>& version);

class Shell {
 public:
  explicit Shell(ShellEnvironment environment);
  ~Shell();
  Shell(const Shell&) = delete;
  Shell& operator=(const Shell&) = delete;

  // --- Start-up and shutdown --------------------------------------------------------
  // Everything before the message loop, in order. An exit code when the program must end
  // now: 0 when another copy runs, 1 when start-up failed.
  std::optional<int> Start(const std::vector<std::string>& arguments);
  // WM_DESTROY: hooks, windows, badges and the tray icon go, in order; the loop is told
  // to end. Nothing is written.
  void Shutdown();
  // After the message loop: releases the instance lock. The exit code (0).
  int Finish();

  // --- The main window ----------------------------------------------------------------
  // The main window's procedure for everything the platform did not consume.
  std::optional<std::int64_t> OnMainWindowMessage(const MainWindowMessage& message);
  void OnTimer(int id);
  void OnWindowEvent(const WindowEvent& event);
  void OnHotkey(int id);

  // --- Escape during a drag -----------------------------------------------------------
  void SetEscapeWatch(bool on);
  void OnEscapePressed();

  // --- What the command line and other processes open ---------------------------------
  void Open(OpenTarget target);
  void OnOpenRequest(std::uint64_t wParam);
  // The introductory windows (intro_windows.cpp).
  void ShowWelcome();
  void ShowTour();
  void ShowWhatsNew(const std::string& text);
  // The release notes of the versions after `since` up to this one; empty when none.
  std::string WhatsNewText(const std::string& since);
  void OpenSettings(bool atWindowStacks = false);
  void ShowFeedback();
  void ToggleDiagnostics();
  bool RecordingDiagnostics() const;
  void StartUpdateCheck(bool interactive);
  void OnUpdateResult(std::uint64_t outcome);  // WM_UPDATE_RESULT

  // --- Tray icon, messages and tips ---------------------------------------------------
  void AddTrayIcon();
  void UpdateTrayIcon();
  // The `notify` callback: a toast for 4 seconds, or a balloon titled "Tessary" (also
  // while the user must not be interrupted).
  void Notify(const std::string& text);
  // The `showTip` callback: a first-use tip, once per key.
  void ShowTip(const std::string& key);
  // The update check found `version` (the tooltip, badge and menu item follow).
  void SetUpdateAvailable(const std::string& version);
  void SetPaused(bool paused);

  // --- Tray menu ----------------------------------------------------------------------
  // At the cursor, or at `anchor` where the notification area puts it.
  void ShowTrayMenu(std::optional<Point> anchor = std::nullopt);

  // --- Shortcuts ----------------------------------------------------------------------
  // Re-registers the 11 keyboard shortcuts; the conflict text per command index.
  std::map<int, std::string> RegisterShortcuts();
  // Starts or stops the mouse hook as the bindings, a capture and the switcher need it.
  void RefreshMouseHook();
  // The settings window waits for a mouse button for `command`; the next middle or side
  // click becomes its binding (OnMouseCaptured). EndMouseCapture gives up waiting.
  void BeginMouseCapture(int command);
  void EndMouseCapture();
  void OnMouseCaptured(std::uint32_t button, std::uint32_t modifiers);
  // The `shortcutLabel` callback: the keyboard shortcut's text, empty when unbound.
  std::string ShortcutLabel(int command) const;
  // The stack switcher is open and takes wheel turns.
  void SetWheelWanted(bool wanted);

  // --- Window commands ----------------------------------------------------------------
  // The dispatcher behind hotkeys, mouse shortcuts and the tray menu (index 0 to 14).
  void RunCommand(int index);
  // The window a command acts on: the override, else the foreground window.
  WindowId CommandTarget();

 private:
  const Platform& platform() const { return env_.platform; }
  std::int64_t UnixTime() const;
  void ApplySettingsRecord(const tessary::Settings& settings);
  void GreetUser();
  void InstallCallbacks();
  bool StartCoordinator();
  void CheckForUpdatesWhenADayHasPassed();
  void ShowBalloon(const std::string& title, const std::string& text);
  void ShowMessage(const std::string& text, double seconds);
  TrayIconState IconState() const;
  // The tray menu as it would be shown now, with what its commands act on
  // (tray_menu_show.cpp), and what the user chose in it (tray_menu_commands.cpp).
  TrayMenuContext MenuContext();
  MenuModel BuildMenu(const TrayMenuContext& context);
  void CarryOutMenuCommand(int id, const TrayMenuContext& context);
  void RunCommandOnMenuWindow(int command, WindowId focused);
  bool CarryOutHelpCommand(int id);
  void CarryOutProgramCommand(int id, const TrayMenuContext& context);
  void RunTourAction(TourAction action);

  // Tests look inside through this class (tests/scenario/shell).
  friend class ShellProbe;

  ShellEnvironment env_;
  std::unique_ptr<Desktop> desktop_;
  std::unique_ptr<StateStore> layoutFile_;
  std::unique_ptr<StateStore> minimumFile_;
  std::unique_ptr<StateStore> badgeFile_;
  std::unique_ptr<Coordinator> coordinator_;
  std::unique_ptr<Toast> toast_;
  std::unique_ptr<SettingsStore> settings_;
  std::unique_ptr<InfoWindow> welcome_;
  std::unique_ptr<InfoWindow> whatsNew_;
  std::unique_ptr<TourWindow> tour_;
  MouseHookShared mouseShared_;
  WindowFills fills_;

  bool started_ = false;
  bool shutDown_ = false;
  bool lockHeld_ = false;
  bool toastAvailable_ = false;
  bool updateAvailable_ = false;
  bool wheelWanted_ = false;
  std::string availableVersion_;
  std::string version_;
  std::uint32_t taskbarCreatedMessage_ = 0;
  std::uint32_t trayRetryMilliseconds_ = 0;  // the next wait for a refused icon; 0 when added
  WindowId lastForeground_ = kNoWindow;
  // The caller's target for the length of one command (tray menu, mouse shortcut); set
  // to none it means the command has no target, not the foreground window.
  WindowId targetOverride_ = kNoWindow;
  bool targetOverrideSet_ = false;
  std::optional<int> capturingCommand_;
  std::map<int, std::string> conflicts_;
  std::vector<OpenTarget> opened_;
  std::unique_ptr<DiagnosticsRecorder> diagnostics_;  // made at the first recording
  std::unique_ptr<UpdateCheck> updates_;              // made at the first check
  std::unique_ptr<FeedbackForm> feedback_;            // made when first opened
  // Last, so it goes first: it still ends its capture through the shell.
  std::unique_ptr<SettingsWindow> settingsWindow_;
};

}  // namespace tessary
