#include "state/settings_store.h"

#include <utility>

#include "state/settings_file.h"

namespace tessary {

bool IsStartAtLoginRegistered(const StartupEntry& entry) {
  return entry.ManagedByPackage() || entry.IsRegistered();
}

void SetStartAtLogin(StartupEntry& entry, bool on) {
  if (entry.ManagedByPackage()) return;
  entry.SetRegistered(on);
}

SettingsStore::SettingsStore(FileSystem& files, StartupEntry& startup)
    : files_(&files), startup_(&startup) {}

const Settings& SettingsStore::Load() {
  current_ = LoadSettings(*files_, SettingsPath(*files_));
  current_.startAtLogin = IsStartAtLoginRegistered(*startup_);
  SaveAndNotify();
  return current_;
}

void SettingsStore::Apply(Settings next) {
  if (next.startAtLogin != current_.startAtLogin) {
    SetStartAtLogin(*startup_, next.startAtLogin);
    // The entry is the truth: a refused change shows as not made.
    next.startAtLogin = IsStartAtLoginRegistered(*startup_);
  }
  current_ = std::move(next);
  SaveAndNotify();
}

const Settings& SettingsStore::RefreshStartAtLogin() {
  Settings next = current_;
  next.startAtLogin = IsStartAtLoginRegistered(*startup_);
  current_ = std::move(next);
  SaveAndNotify();
  return current_;
}

bool SettingsStore::ShowTipOnce(std::string_view tipId, const std::function<void()>& show) {
  if (!MarkTipShown(current_, tipId)) return false;
  SaveAndNotify();
  if (show) show();
  return true;
}

void SettingsStore::SaveAndNotify() {
  saveFailed_ = !SaveSettings(*files_, current_, SettingsPath(*files_));
  if (onApplied_) onApplied_(current_);
}

}  // namespace tessary
