#include "shell/tray_texts.h"

namespace tessary {

std::string TrayTooltip(bool paused, bool updateAvailable) {
  if (paused) return "Tessary (paused)";
  if (updateAvailable) return "Tessary (update available)";
  return "Tessary";
}

std::optional<std::string_view> TipText(std::string_view key) {
  if (key == "badge") {
    return "This window has others stacked behind it. Their icons show in the badge on its "
           "left edge; move closer and click one to bring it forward.";
  }
  if (key == "dropMenu") {
    return "Drag onto a tile to choose what happens: add to the stack, take a half, rejoin a "
           "split, or swap. Release anywhere else to leave the window where it is.";
  }
  if (key == "switcher") {
    return "Ctrl+Alt+S shows the stack as cards; 1-9 pick one. Ctrl+Alt+] and [ step through "
           "it without opening anything.";
  }
  if (key == "span") {
    return "This window spans regions; the windows it covers are stacked behind it. "
           "Ctrl+Alt+B sends it to the back.";
  }
  if (key == "ownLayouts") {
    return "Make this arrangement yours: Choose a Layout \xE2\x86\x92 Create Custom Layout lets "
           "you pick the apps for each spot, and Ctrl+Alt+1-9 switch between your layouts.";
  }
  return std::nullopt;
}

}  // namespace tessary
