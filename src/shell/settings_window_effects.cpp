// The General and Window Stacks controls: each changes one field of the record and
// applies it at once; the two reset buttons act on the engine and report in the status
// line.

#include <string>

#include "shell/settings_window.h"
#include "shell/settings_window_layout.h"

namespace tessary {
namespace {

namespace id = settings_control;

std::string ForgotSizesText(int apps) {
  if (apps <= 0) return "No window sizes were remembered.";
  return "Forgot the sizes of " + std::to_string(apps) + (apps == 1 ? " app." : " apps.");
}

std::string ResetBadgesText(bool anyMoved) {
  return anyMoved ? "Every badge is back in its usual place." : "No badges had been moved.";
}

}  // namespace

bool SettingsWindow::OnGeneralCommand(int controlId) {
  Settings next = host_.settings.Current();
  switch (controlId) {
    case id::kStartAtLogin:
      next.startAtLogin = window_->Checked(id::kStartAtLogin);
      Apply(std::move(next));
      // The system's entry is the truth: a refused change shows as not made.
      window_->SetChecked(id::kStartAtLogin, host_.settings.Current().startAtLogin);
      return true;
    case id::kStartupApps:
      if (host_.openStartupApps) host_.openStartupApps();
      return true;
    case id::kCheckUpdates:
      next.checkUpdates = window_->Checked(id::kCheckUpdates);
      Apply(std::move(next));
      return true;
    case id::kCheckNow:
      if (host_.checkNow) host_.checkNow();
      return true;
    case id::kForgetSizes:
      SetStatus(ForgotSizesText(host_.forgetWindowSizes ? host_.forgetWindowSizes() : 0));
      return true;
    default:
      return false;
  }
}

bool SettingsWindow::OnStacksCommand(int controlId) {
  Settings next = host_.settings.Current();
  switch (controlId) {
    case id::kUseStacks:
      next.windowStacksEnabled = window_->Checked(id::kUseStacks);
      break;
    case id::kShowBadges:
      next.stackBadgesEnabled = window_->Checked(id::kShowBadges);
      break;
    case id::kBadgesOnEdge:
      next.stackBadgesOnEdge = window_->Checked(id::kBadgesOnEdge);
      break;
    case id::kStackOrder:
      next.stackOrder = std::string(window_->Selection(id::kStackOrder) == 1 ? kStackOrderName
                                                                             : kStackOrderLastUsed);
      break;
    case id::kTransition: {
      const int chosen = window_->Selection(id::kTransition);
      if (chosen < 0) return true;
      next.stackTransition = std::string(EffectKey(chosen));
      break;
    }
    case id::kResetBadges:
      SetStatus(ResetBadgesText(host_.resetBadgePositions && host_.resetBadgePositions()));
      return true;
    default:
      return false;
  }
  Apply(std::move(next));
  return true;
}

}  // namespace tessary
