// Carrying out what the user chose in the tray menu.

#include <algorithm>

#include "shell/maker_site.h"
#include "shell/shell.h"

namespace tessary {
namespace {

namespace id = tray_command;

bool InRange(int value, int base, std::size_t count) {
  return value >= base && static_cast<std::size_t>(value - base) < count;
}

}  // namespace

void Shell::CarryOutMenuCommand(int chosen, const TrayMenuContext& context) {
  if (chosen == 0 || !coordinator_ || shutDown_) return;
  const bool hasDisplay = context.display >= 0;

  if (InRange(chosen, id::kChooseLayoutBase,
              std::min<std::size_t>(context.switchList.size(), kMaxMenuLayouts))) {
    if (!hasDisplay) return;
    coordinator_->ApplyComposition(
        context.displayKey,
        context.switchList[static_cast<std::size_t>(chosen - id::kChooseLayoutBase)]);
    return;
  }
  if (InRange(chosen, id::kEditLayoutBase, context.ownLayouts.size())) {
    // A copy: the editor may keep it longer than this menu lives.
    const SnapLayout copy =
        context.ownLayouts[static_cast<std::size_t>(chosen - id::kEditLayoutBase)];
    coordinator_->OpenLayoutEditor(&copy);
    return;
  }
  if (InRange(chosen, id::kSwitchLayoutBase, context.ownLayouts.size())) {
    if (!hasDisplay) return;
    const SnapLayout& own =
        context.ownLayouts[static_cast<std::size_t>(chosen - id::kSwitchLayoutBase)];
    for (const SnapLayout& entry : context.switchList) {
      if (entry.id == own.id) {
        coordinator_->ApplyComposition(context.displayKey, entry);
        return;
      }
    }
    return;
  }
  if (InRange(chosen, id::kWindowCommandBase, kShortcutCount)) {
    // The window the menu was built for; one that has gone meanwhile leaves the command
    // without a target.
    WindowId target = context.focused;
    if (target != kNoWindow && platform().windows.Exists(target)) {
      platform().zOrder.SetForeground(target);
    } else {
      target = kNoWindow;
    }
    const WindowId savedTarget = targetOverride_;
    const bool savedSet = targetOverrideSet_;
    targetOverride_ = target;
    targetOverrideSet_ = true;
    RunCommand(chosen - id::kWindowCommandBase);
    targetOverride_ = savedTarget;
    targetOverrideSet_ = savedSet;
    return;
  }

  switch (chosen) {
    case id::kGettingStarted:
      ShowWelcome();
      return;
    case id::kWhatsNew:
      ShowWhatsNew(WhatsNewText(std::string()));
      return;
    case id::kUserGuide:
    case id::kUpdateAvailable:
      platform().launcher.ShellOpen(std::string("https://") + kMakerHost + kProductPagePath, "");
      return;
    case id::kSendFeedback:
      ShowFeedback();
      return;
    case id::kSettings:
    case id::kStackSettings:
      OpenSettings();
      return;
    case id::kCheckForUpdates:
      StartUpdateCheck(true);
      return;
    case id::kPause:
      SetPaused(!coordinator_->Paused());
      return;
    case id::kResume:
      SetPaused(false);
      return;
    case id::kTurnOffWindowsSnap:
      desktop_->OfferTurnOffWindowsSnap();
      return;
    case id::kAbout:
      env_.host.services.ShowInformation("About Tessary", AboutText(version_));
      return;
    case id::kQuit:
      env_.host.mainWindow.Destroy();
      return;
    case id::kImportLayouts:
    case id::kExportMyLayouts:
    case id::kExportArrangement:
      NotBuilt("layout import and export");
      return;
    case id::kResetLayouts:
      if (!hasDisplay) return;
      if (!env_.host.services.AskOkCancel(
              "Reset Layouts", "Return the built-in layouts on " + context.displayName +
                                   " to their standard proportions? Your own layouts are kept.")) {
        return;
      }
      coordinator_->Layouts().ResetDisplay(context.displayKey);
      // The display's remembered compositions go as well once compositions exist.
      coordinator_->ScheduleRefresh(0.15);
      return;
    case id::kGallery:
      coordinator_->ShowGallery(context.focused);
      return;
    case id::kAdjustDividers:
      coordinator_->ShowDividerEditor();
      return;
    case id::kCreateLayout:
      coordinator_->OpenLayoutEditor(nullptr);
      return;
    case id::kStopRecording:
    case id::kRecordDiagnostics:
      ToggleDiagnostics();
      return;
    case id::kTour:
      ShowTour();
      return;
    default:
      return;
  }
}

}  // namespace tessary
