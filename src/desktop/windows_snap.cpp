#include "desktop/desktop.h"

namespace tessary {
namespace {

constexpr const char* kTurnOffCaption = "Turn Off Windows Snap";
constexpr const char* kTurnOffText =
    "Windows Snap reacts to the same drags as Tessary: the top of the screen (Snap Layouts, "
    "and maximizing), and the sides and corners. Each time, Windows snaps the window and "
    "offers its own suggestions just as Tessary places it.\n\nTurn off Windows Snap? You "
    "can turn it back on in Settings > System > Multitasking > Snap windows.";

}  // namespace

WindowsSnap Desktop::WindowsSnapSettings() const {
  SystemSettings& settings = platform_.systemSettings;
  WindowsSnap snap;
  snap.arranging = settings.WindowArranging().value_or(false);
  if (!snap.arranging) return snap;
  snap.dockMoving = settings.DockMoving().value_or(false);
  // A missing or unreadable value means the bar is on, as it is by default.
  snap.snapBar = settings.SnapBarValue().value_or(1) != 0;
  return snap;
}

bool Desktop::OfferTurnOffWindowsSnap() const {
  if (!platform_.prompts.Confirm(kTurnOffCaption, kTurnOffText)) return false;
  return platform_.systemSettings.TurnOffWindowArranging();
}

}  // namespace tessary
