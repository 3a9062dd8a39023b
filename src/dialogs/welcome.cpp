#include "dialogs/welcome.h"

namespace tessary {
namespace {

constexpr const char* kWelcomeBody =
    "Drag a window by its title bar to the top center of a display. The layout picker drops "
    "down: move onto a region and release. Snap Assist then offers your other windows for the "
    "empty regions.\n\n"
    "• Region: one slot of a display's layout. Drag onto an occupied one for its menu: add to "
    "the stack, take a half, rejoin, span, or swap.\n"
    "• Stack: windows sharing a region. The badge on the front window's edge, Ctrl+Alt+S, and "
    "Ctrl+Alt+] / [ switch between them.\n"
    "• Span: one window across several regions. Hold Ctrl while resizing a snapped window's "
    "edge.\n"
    "• Layout: a display's whole arrangement, with the apps that live in it. Choose a Layout in "
    "Tessary's menu, Ctrl+Alt+Z, or Ctrl+Alt+1-9 for your own.\n\n"
    "Hold Alt while dragging to move a window freely. Every shortcut and mouse button can be "
    "changed in Settings. Tessary lives in the notification area; right-click its icon for "
    "everything else.";

}  // namespace

InfoTemplate WelcomeTemplate(const WelcomeFacts& facts) {
  InfoTemplate info;
  info.title = "Welcome to Tessary";
  info.heading = "Tessary gives every window a place";
  info.body = kWelcomeBody;
  if (facts.windowsSnapOn) {
    info.buttons.push_back({info_command::kTurnOffWindowsSnap, "Turn Off Windows Snap"});
  }
  info.buttons.push_back({info_command::kTakeTheTour, "Take the Tour"});
  info.buttons.push_back({info_command::kGetStarted, "Get Started", true});
  if (facts.offerStartAtLogin) {
    info.checkBox = InfoCheckBox{"Start Tessary when you sign in", facts.startAtLogin};
  }
  return info;
}

InfoTemplate WhatsNewTemplate(const std::string& notes) {
  InfoTemplate info;
  info.title = "What's New";
  info.heading = "What's New in Tessary";
  info.body = notes;
  info.buttons.push_back({info_command::kOk, "OK", true});
  return info;
}

}  // namespace tessary
