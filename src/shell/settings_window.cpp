#include "shell/settings_window.h"

#include <string>
#include <vector>

#include "shell/settings_window_layout.h"

namespace tessary {
namespace {

namespace id = settings_control;

// Nothing is lost: the record keeps the change for this run and the file what it had.
constexpr const char* kSaveFailed =
    "Tessary couldn\u2019t save your settings. They apply until Tessary quits; the next "
    "change tries again.";

std::vector<std::string> EffectNames() {
  std::vector<std::string> names;
  for (int i = 0; i < kEffectCount; ++i) names.emplace_back(EffectName(i));
  return names;
}

}  // namespace

SettingsWindow::SettingsWindow(SettingsWindowHost host) : host_(std::move(host)) {}

SettingsWindow::~SettingsWindow() { Close(); }

bool SettingsWindow::Open(const SettingsWindowPlacement& placement) {
  // The sign-in entry may have been changed outside the program since the last look.
  host_.settings.RefreshStartAtLogin();
  if (IsOpen()) {
    ShowRecord();
    window_->BringForward(placement.focusId);
    return true;
  }
  if (!window_) window_ = host_.surfaces.NewDialogWindow();
  if (!window_) return false;
  DialogWindowOptions options;
  options.className = std::string(kSettingsClass);
  options.title = std::string(kSettingsTitle);
  options.clientWidth = kSettingsWidth;
  options.clientHeight = kSettingsHeight;
  options.scale = placement.scale;
  options.center = placement.center;
  options.darkCaption = placement.dark;
  options.headingPoints = 12;
  options.controls = SettingsControls(host_.settings.StartAtLoginManagedByPackage());
  options.input = this;
  status_.clear();
  if (!window_->Open(options)) return false;
  window_->SetItems(id::kStackOrder, {std::string(kOrderItems[0]), std::string(kOrderItems[1])});
  window_->SetItems(id::kTransition, EffectNames());
  ShowRecord();
  ShowSaveOutcome();
  if (placement.focusId != 0) window_->BringForward(placement.focusId);
  return true;
}

void SettingsWindow::Close() {
  StopWaiting();
  if (window_) window_->Close();
}

bool SettingsWindow::IsOpen() const { return window_ && window_->IsOpen(); }

void SettingsWindow::ShowRecord() {
  const Settings& s = host_.settings.Current();
  window_->SetChecked(id::kStartAtLogin, s.startAtLogin);
  window_->SetChecked(id::kCheckUpdates, s.checkUpdates);
  window_->SetChecked(id::kUseStacks, s.windowStacksEnabled);
  window_->SetChecked(id::kShowBadges, s.stackBadgesEnabled);
  window_->SetChecked(id::kBadgesOnEdge, s.stackBadgesOnEdge);
  window_->Select(id::kStackOrder, s.stackOrder == kStackOrderName ? 1 : 0);
  window_->Select(id::kTransition, EffectIndex(s.stackTransition));
  for (int command = 0; command < kCommandCount; ++command) {
    const KeyShortcut& key = CommandKeys(s, command);
    // The field cannot show Win; such a shortcut (set in the file) shows without it.
    window_->SetHotkey(id::HotkeyOf(command),
                       DialogHotkey{key.key, key.modifiers & (kModAlt | kModCtrl | kModShift)});
  }
  ShowMouseBoxes();
  ShowConflicts();
}

void SettingsWindow::ShowConflicts() {
  std::string text;
  for (const auto& [command, conflict] : host_.conflicts()) {
    if (command < 0 || command >= kCommandCount) continue;
    if (!text.empty()) text += "\n";
    text += std::string(CommandShortcutInfo(command).displayName) + ": " + conflict;
  }
  window_->SetText(id::kConflicts, text);
}

void SettingsWindow::Apply(Settings next) {
  host_.settings.Apply(std::move(next));
  ShowConflicts();
  ShowSaveOutcome();
}

void SettingsWindow::ShowSaveOutcome() {
  if (host_.settings.SaveFailed()) {
    SetStatus(kSaveFailed);
  } else if (status_ == kSaveFailed) {
    SetStatus("");
  }
}

void SettingsWindow::ShowUpdateStatus(const std::string& text) {
  if (IsOpen()) SetStatus(text);
}

void SettingsWindow::SetStatus(const std::string& text) {
  status_ = text;
  window_->SetText(id::kStatus, text);
}

void SettingsWindow::OnCommand(int controlId, DialogEvent event) {
  if (!IsOpen()) return;
  if (controlId == id::kClose) {
    Close();
    return;
  }
  if (OnGeneralCommand(controlId) || OnStacksCommand(controlId)) return;
  OnShortcutCommand(controlId, event);
}

}  // namespace tessary
