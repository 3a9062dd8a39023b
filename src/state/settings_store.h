#pragma once

// The settings record of the running program: loaded once at start-up, changed only
// through Apply (which saves at once: there is no OK button and nothing is written at
// exit), with the sign-in entry kept as the truth behind "startAtLogin". The file's place
// is resolved (and the state folder created) at every save, so a folder removed while
// the program runs comes back with the next change.

#include <functional>
#include <string_view>

#include "platform/file_system.h"
#include "platform/startup_entry.h"
#include "state/settings.h"

namespace tessary {

// True when the program starts at sign-in: always for a packaged program (the platform's
// startup list decides), otherwise when the entry is there.
bool IsStartAtLoginRegistered(const StartupEntry& entry);
// Adds or removes the entry; does nothing for a packaged program. Failures are ignored.
void SetStartAtLogin(StartupEntry& entry, bool on);

class SettingsStore {
 public:
  // Without a state folder the settings stay in memory for the run.
  SettingsStore(FileSystem& files, StartupEntry& startup);

  // Start-up: reads the file, takes "startAtLogin" from the sign-in entry, saves and
  // hands the record to the listener.
  const Settings& Load();

  const Settings& Current() const { return current_; }

  // Makes `next` the record, updates the sign-in entry if "startAtLogin" changed, saves,
  // and hands the record to the listener.
  void Apply(Settings next);

  // Run when the settings window opens: the sign-in entry may have been changed outside
  // the program; the record is brought in line with it and saved.
  const Settings& RefreshStartAtLogin();

  // Shows a one-time tip: the first time for an id the id is recorded and saved, then
  // `show` runs; later calls do nothing. True when the tip was shown.
  bool ShowTipOnce(std::string_view tipId, const std::function<void()>& show);

  // Whoever uses the stack options and the effect hears of every applied record.
  void SetOnApplied(std::function<void(const Settings&)> onApplied) {
    onApplied_ = std::move(onApplied);
  }

  bool StartAtLoginManagedByPackage() const { return startup_->ManagedByPackage(); }

  // The last save could not be written: the record holds the change for this run and the
  // file keeps what it had; the next save tries again.
  bool SaveFailed() const { return saveFailed_; }

 private:
  void SaveAndNotify();

  FileSystem* files_;
  StartupEntry* startup_;
  Settings current_;
  bool saveFailed_ = false;
  std::function<void(const Settings&)> onApplied_;
};

}  // namespace tessary
