// Carrying out what the user chose in the tray menu: the layout entries, the window
// commands, the help entries and the program's own commands, each in its own function.

#include <algorithm>

#include "services/maker_site.h"
#include "shell/layout_exchange.h"
#include "shell/shell.h"

namespace tessary {
namespace {

namespace id = tray_command;

bool InRange(int value, int base, std::size_t count) {
  return value >= base && static_cast<std::size_t>(value - base) < count;
}

// "Choose a Layout", "Edit Layout" and "Switch Layout" entries; false for any other id.
bool CarryOutLayoutCommand(Coordinator& coordinator, int chosen, const TrayMenuContext& context) {
  const bool hasDisplay = context.display >= 0;
  if (InRange(chosen, id::kChooseLayoutBase,
              std::min<std::size_t>(context.switchList.size(), kMaxMenuLayouts))) {
    if (hasDisplay) {
      coordinator.ApplyComposition(
          context.displayKey,
          context.switchList[static_cast<std::size_t>(chosen - id::kChooseLayoutBase)]);
    }
    return true;
  }
  if (InRange(chosen, id::kEditLayoutBase, context.ownLayouts.size())) {
    // A copy: the editor may keep it longer than this menu lives.
    const SnapLayout copy =
        context.ownLayouts[static_cast<std::size_t>(chosen - id::kEditLayoutBase)];
    coordinator.OpenLayoutEditor(&copy);
    return true;
  }
  if (InRange(chosen, id::kSwitchLayoutBase, context.ownLayouts.size())) {
    if (!hasDisplay) return true;
    const SnapLayout& own =
        context.ownLayouts[static_cast<std::size_t>(chosen - id::kSwitchLayoutBase)];
    const auto entry = std::find_if(context.switchList.begin(), context.switchList.end(),
                                    [&](const SnapLayout& layout) { return layout.id == own.id; });
    if (entry != context.switchList.end()) {
      coordinator.ApplyComposition(context.displayKey, *entry);
    }
    return true;
  }
  return false;
}

void ResetLayoutsAfterAsking(Prompts& prompts, Coordinator& coordinator,
                             const TrayMenuContext& context) {
  if (context.display < 0) return;
  if (!prompts.Ask("Reset Layouts",
                   "Return the built-in layouts on " + context.displayName +
                       " to their standard proportions? Your own layouts are kept.",
                   PromptIcon::kQuestion)) {
    return;
  }
  coordinator.Layouts().ResetDisplay(context.displayKey);
  coordinator.GetCompositions().ForgetDisplay(context.displayKey);
  coordinator.ScheduleRefresh(0.15);
}

}  // namespace

void Shell::CarryOutMenuCommand(int chosen, const TrayMenuContext& context) {
  if (chosen == 0 || !coordinator_ || shutDown_) return;
  if (CarryOutLayoutCommand(*coordinator_, chosen, context)) return;
  if (InRange(chosen, id::kWindowCommandBase, kShortcutCount)) {
    RunCommandOnMenuWindow(chosen - id::kWindowCommandBase, context.focused);
    return;
  }
  if (CarryOutHelpCommand(chosen)) return;
  CarryOutProgramCommand(chosen, context);
}

void Shell::RunCommandOnMenuWindow(int command, WindowId focused) {
  // The window the menu was built for; one that has gone meanwhile leaves the command
  // without a target.
  WindowId target = focused;
  if (target != kNoWindow && platform().windows.Exists(target)) {
    platform().zOrder.SetForeground(target);
  } else {
    target = kNoWindow;
  }
  const WindowId savedTarget = targetOverride_;
  const bool savedSet = targetOverrideSet_;
  targetOverride_ = target;
  targetOverrideSet_ = true;
  RunCommand(command);
  targetOverride_ = savedTarget;
  targetOverrideSet_ = savedSet;
}

bool Shell::CarryOutHelpCommand(int chosen) {
  switch (chosen) {
    case id::kGettingStarted:
      ShowWelcome();
      return true;
    case id::kTour:
      ShowTour();
      return true;
    case id::kWhatsNew:
      ShowWhatsNew(WhatsNewText(std::string()));
      return true;
    case id::kUserGuide:
    case id::kUpdateAvailable:
      platform().launcher.ShellOpen(std::string("https://") + kMakerHost + kProductPagePath, "");
      return true;
    case id::kSendFeedback:
      ShowFeedback();
      return true;
    case id::kStopRecording:
    case id::kRecordDiagnostics:
      ToggleDiagnostics();
      return true;
    case id::kCheckForUpdates:
      StartUpdateCheck(true);
      return true;
    default:
      return false;
  }
}

void Shell::CarryOutProgramCommand(int chosen, const TrayMenuContext& context) {
  switch (chosen) {
    case id::kSettings:
      OpenSettings();
      return;
    case id::kStackSettings:
      OpenSettings(true);
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
      platform().prompts.Inform("About Tessary", AboutText(version_), PromptIcon::kInformation);
      return;
    case id::kQuit:
      env_.host.mainWindow.Destroy();
      return;
    case id::kImportLayouts:
      if (context.display >= 0) {
        ImportLayouts(
            LayoutExchangeAccess{platform().prompts, env_.files},
            ImportTarget{coordinator_->Layouts(), context.displayKey, context.displayName});
      }
      return;
    case id::kExportMyLayouts:
      ExportLayouts(LayoutExchangeAccess{platform().prompts, env_.files}, context.ownLayouts);
      return;
    case id::kExportArrangement:
      if (context.active) {
        ExportLayouts(LayoutExchangeAccess{platform().prompts, env_.files}, {*context.active});
      }
      return;
    case id::kResetLayouts:
      ResetLayoutsAfterAsking(platform().prompts, *coordinator_, context);
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
    default:
      return;
  }
}

}  // namespace tessary
