// The one dispatcher behind hotkeys, mouse shortcuts and the tray menu's window commands.

#include "shell/shell.h"
#include "shell/window_command.h"

namespace tessary {
using namespace window_command;

WindowId Shell::CommandTarget() {
  if (targetOverrideSet_) return targetOverride_;
  // The stack overview is about another window: a command given while it is in front is
  // meant for that window.
  const WindowId foreground = platform().zOrder.Foreground();
  StackOverview& overview = coordinator_->Overview();
  if (foreground != kNoWindow && foreground == overview.Window() &&
      platform().windows.Exists(overview.Subject())) {
    return overview.Subject();
  }
  return foreground;
}

void Shell::RunCommand(int index) {
  if (!coordinator_ || shutDown_ || index < 0 || index >= kCommandCount) return;
  Coordinator& c = *coordinator_;
  const bool paused = c.Paused();
  const bool toRegion = index >= kMoveLeft && index <= kMoveDown;
  if (paused && (index == kPlace || index == kFill || index == kPutBack || toRegion)) return;
  if ((index == kNext || index == kPrevious) &&
      (paused || !settings_->Current().windowStacksEnabled)) {
    return;
  }
  const WindowId target = CommandTarget();
  Prompts& prompts = platform().prompts;
  // The commands that move their window check it as a drag's start does: one running as
  // administrator is out of reach (the user is told once why, and hears the beep).
  const bool moves =
      index == kPlace || index == kFill || index == kPutBack || index == kRestore || toRegion;
  if (moves && target != kNoWindow && !c.CanArrange(target)) {
    prompts.InformationBeep();
    return;
  }
  if (toRegion) {
    constexpr MoveDirection kDirections[] = {MoveDirection::kLeft, MoveDirection::kRight,
                                             MoveDirection::kUp, MoveDirection::kDown};
    if (target == kNoWindow || !desktop_->IsManageable(target)) {
      prompts.InformationBeep();
    } else {
      c.MoveToRegion(target, kDirections[index - kMoveLeft]);
    }
    return;
  }
  switch (index) {
    case kPlace:
      if (target == kNoWindow || !desktop_->IsManageable(target) || !c.ShowPlacePicker(target)) {
        prompts.InformationBeep();
      }
      return;
    case kGallery:
      c.ShowGallery(target);
      return;
    case kDividers:
      c.ShowDividerEditor();
      return;
    case kStack:
      c.ShowSwitcher(target);
      return;
    case kOverview:
      c.ShowOverview(target);
      return;
    case kNext:
      c.StepStack(+1);
      return;
    case kPrevious:
      c.StepStack(-1);
      return;
    case kSendToBack:
      c.SendSpanBehind(target);
      return;
    case kFill:
      if (!FillScreen(c, fills_, target)) prompts.InformationBeep();
      return;
    case kPutBack:
      if (!PutBack(c, fills_, target)) prompts.InformationBeep();
      return;
    case kRestore:
      if (!RestoreWindow(c, fills_, target)) prompts.InformationBeep();
      return;
    default:
      return;
  }
}

}  // namespace tessary
