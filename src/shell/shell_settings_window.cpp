// The shell's side of the settings window: it opens on the display under the pointer in
// the system's light or dark mode, and acts through the shell on what the settings do
// not hold themselves (learned sizes, badge positions, the button capture, the update
// check, the system's startup list).

#include "base/log.h"
#include "shell/settings_window.h"
#include "shell/settings_window_layout.h"
#include "shell/shell.h"

namespace tessary {
namespace {

SettingsWindowPlacement PlacementAtPointer(const Desktop& desktop, ThemeSource& theme) {
  SettingsWindowPlacement placement;
  placement.dark = theme.AppsUseLightTheme() == std::optional<std::uint32_t>(0);
  const std::vector<Monitor> displays = desktop.EnumerateDisplays();
  if (displays.empty()) return placement;
  const Point pointer = desktop.CursorPosition();
  const Monitor* chosen = &displays.front();  // the primary display
  for (const Monitor& display : displays) {
    if (display.bounds.Contains(pointer)) chosen = &display;
  }
  placement.center = {chosen->work.x + chosen->work.width / 2,
                      chosen->work.y + chosen->work.height / 2};
  placement.scale = chosen->scale;
  return placement;
}

}  // namespace

void Shell::OpenSettings(bool atWindowStacks) {
  if (!settings_ || !coordinator_ || shutDown_) return;
  if (!settingsWindow_) {
    settingsWindow_ = std::make_unique<SettingsWindow>(SettingsWindowHost{
        *settings_, env_.keyNames, env_.surfaces, [this] { return conflicts_; },
        [this] { return coordinator_->ForgetMinimums(); },
        [this] { return coordinator_->ResetBadgePositions(); },
        [this](int command) { BeginMouseCapture(command); }, [this] { EndMouseCapture(); },
        [this] { CarryOutHelpCommand(tray_command::kCheckForUpdates); },
        [this] { platform().launcher.ShellOpen("ms-settings:startupapps", ""); }});
  }
  SettingsWindowPlacement placement = PlacementAtPointer(*desktop_, env_.theme);
  if (atWindowStacks) placement.focusId = settings_control::kUseStacks;
  if (!settingsWindow_->Open(placement)) {
    Log("settings window could not be created");
  }
}

}  // namespace tessary
