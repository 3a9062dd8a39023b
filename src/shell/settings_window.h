#pragma once

// The settings window ("TessarySettings"): every control applies at once through the
// settings store (there is no OK button), the two reset buttons and a failed save report
// in the window's status line, and the shortcut rows take keys from the system's hotkey
// field and mouse buttons through the shell's capture. A portable model over a
// DialogWindow, so the simulated desktop can stand in for the real window.
//
// settings_window.cpp: opening, closing, showing the record, routing commands.
// settings_window_effects.cpp: the General and Window Stacks controls.
// settings_window_shortcuts.cpp: the hotkey fields, mouse boxes and Restore Defaults.

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "base/geometry.h"
#include "platform/dialog_window.h"
#include "platform/key_names.h"
#include "platform/surface.h"
#include "state/settings_store.h"

namespace tessary {

// What the window asks of the rest of the program.
struct SettingsWindowHost {
  SettingsStore& settings;
  KeyNames& keyNames;
  SurfaceFactory& surfaces;
  // The conflict text per command index of the shortcuts as last registered.
  std::function<std::map<int, std::string>()> conflicts;
  // Clears the learned minimum sizes; how many apps had sizes.
  std::function<int()> forgetWindowSizes;
  // Clears the remembered badge positions; false when none had been moved.
  std::function<bool()> resetBadgePositions;
  std::function<void(int command)> beginMouseCapture;
  std::function<void()> endMouseCapture;
  std::function<void()> checkNow;
  std::function<void()> openStartupApps;
};

// Where and how the window opens.
struct SettingsWindowPlacement {
  Point center;  // desktop pixels
  double scale = 1;
  bool dark = false;
  int focusId = 0;  // the control that takes the focus (0: the first one)
};

class SettingsWindow final : public DialogWindowInput {
 public:
  explicit SettingsWindow(SettingsWindowHost host);
  ~SettingsWindow() override;
  SettingsWindow(const SettingsWindow&) = delete;
  SettingsWindow& operator=(const SettingsWindow&) = delete;

  // Brings the start-at-login flag in line with the system, then opens the window, or
  // brings the open one forward. False when the system refused to create it.
  bool Open(const SettingsWindowPlacement& placement);
  // Closes it; a mouse-button capture it started ends.
  void Close();
  bool IsOpen() const;
  // The shell bound a captured button (and applied the settings): the boxes show it.
  void OnMouseCaptured();

  void OnCommand(int id, DialogEvent event) override;
  void OnCloseRequested() override { Close(); }

  // The update check's news for the status line ("Checking…", then its outcome); nothing
  // while the window is closed.
  void ShowUpdateStatus(const std::string& text);

 private:
  // Every control from the current record.
  void ShowRecord();
  void ShowConflicts();
  void ShowMouseBoxes();
  // Applies `next` and says in the status line when it could not be saved.
  void Apply(Settings next);
  void ShowSaveOutcome();
  void SetStatus(const std::string& text);

  bool OnGeneralCommand(int id);
  bool OnStacksCommand(int id);
  bool OnShortcutCommand(int id, DialogEvent event);
  void OnHotkeyChanged(int command);
  void OnMouseBoxClicked(int command);
  void RestoreDefaults();
  void StopWaiting();

  SettingsWindowHost host_;
  std::unique_ptr<DialogWindow> window_;
  std::optional<int> waiting_;  // the row whose mouse box waits for a button
  std::string status_;
};

}  // namespace tessary
